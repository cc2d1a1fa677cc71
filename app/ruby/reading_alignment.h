#pragma once
// A word's reading spread over the word so that only its kanji carry ruby:
// 食べる read たべる gives 食(た); 降り続い read ふりつづい gives
// 降(ふ) and 続(つづ).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

struct RubySpan {
    std::size_t offset = 0;  // where the base starts in the word (or line)
    std::u16string base;
    std::u16string reading;  // hiragana
    bool operator==(const RubySpan&) const = default;
};

// The spans of the word's kanji runs, or nothing when the reading (katakana
// or hiragana) does not fit the word: each kana run of the word must be
// found in the reading at its place, each kanji run takes at least one
// character, and a word holding characters that are neither kanji nor kana
// beside kanji cannot be split. A word without kanji gives no spans.
std::optional<std::vector<RubySpan>> alignReading(std::u16string_view word, std::u16string_view reading);

}  // namespace qucap
