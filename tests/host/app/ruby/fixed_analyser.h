#pragma once
// An analyser for tests that knows only the words it is given.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/ruby/morphemes.h"

namespace qucap::test {

// Cuts a text at the words it knows, longest first, and reads them as given;
// any other character is a word without reading.
class FixedAnalyser final : public MorphemeAnalyser {
public:
    explicit FixedAnalyser(std::map<std::u16string, std::u16string> words) : words_(std::move(words)) {}
    std::vector<Morpheme> morphemes(std::u16string_view text) override {
        std::vector<Morpheme> out;
        for (std::size_t at = 0; at < text.size();) {
            std::size_t length = 1;
            std::u16string reading;
            for (const auto& [surface, read] : words_)
                if (surface.size() > length - (reading.empty() ? 1 : 0) && text.substr(at).starts_with(surface)) {
                    length = surface.size();
                    reading = read;
                }
            if (text[at] != u' ') out.push_back({std::u16string(text.substr(at, length)), reading});
            at += length;
        }
        return out;
    }

private:
    std::map<std::u16string, std::u16string> words_;
};

}  // namespace qucap::test
