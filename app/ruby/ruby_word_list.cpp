#include "app/ruby/ruby_word_list.h"

#include <algorithm>

#include "app/ruby/kana.h"

namespace qucap {
namespace {

std::u16string_view trimmed(std::u16string_view text) {
    constexpr std::u16string_view kBlanks = u" \t\u3000\uFEFF";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

RubyWordList RubyWordList::parse(std::u16string_view text) {
    RubyWordList list;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.starts_with(u'#')) continue;
        const std::size_t comma = line.find(u',');
        if (comma == std::u16string_view::npos) continue;
        const std::u16string_view surface = trimmed(line.substr(0, comma));
        std::u16string_view reading = line.substr(comma + 1);
        reading = trimmed(reading.substr(0, reading.find(u',')));
        if (surface.empty() || reading.empty()) continue;
        std::erase_if(list.words_, [&](const RubyWord& word) { return word.surface == surface; });
        list.words_.push_back({std::u16string(surface), toHiragana(reading)});
    }
    std::stable_sort(list.words_.begin(), list.words_.end(),
                     [](const RubyWord& a, const RubyWord& b) { return a.surface.size() > b.surface.size(); });
    return list;
}

const RubyWord* RubyWordList::longestAt(std::u16string_view text, std::size_t at) const {
    const std::u16string_view rest = text.substr(std::min(at, text.size()));
    for (const RubyWord& word : words_)
        if (rest.starts_with(word.surface)) return &word;
    return nullptr;
}

}  // namespace qucap
