#pragma once
// The seam to the morphological analyser: a text cut into its words, each
// with the reading the dictionary gives it.
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

struct Morpheme {
    std::u16string surface;
    std::u16string reading;  // katakana as the dictionary writes it; empty when it has none
    bool operator==(const Morpheme&) const = default;
};

class MorphemeAnalyser {
public:
    virtual ~MorphemeAnalyser() = default;
    // The words of `text` in order; white space belongs to none of them.
    virtual std::vector<Morpheme> morphemes(std::u16string_view text) = 0;
};

}  // namespace qucap
