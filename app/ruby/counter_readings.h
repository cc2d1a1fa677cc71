#pragma once
// Numbers followed by a counter, which the analyser reads wrongly or not at
// all: 一人 ひとり, 二十日 はつか, 3本 さんぼん, ６分 ろっぷん. Numbers are
// written in digits (half or full width) or in kanji numerals.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qucap {

bool isNumeral(char16_t c);

// The value of a number: digits, kanji digits written place by place
// (二〇二六), or with the units 十, 百, 千, 万 (二十三, 12万). Nothing when it is none of
// these or not below a hundred million.
std::optional<int64_t> numberValue(std::u16string_view number);

// The reading of a number on its own: 三百 さんびゃく.
std::u16string numberReading(int64_t value);

// Which readings counterReading gives: all, or only those of the numbers
// that make a word of their own with the counter (一人 ひとり, 二十日 はつか).
enum class CounterWords { All, WholeOnly };

// The reading of `text`, a number followed by one of the counters the
// table knows (人 日 歳 本 分 時 月 年 回 個), or nothing.
std::optional<std::u16string> counterReading(std::u16string_view text, CounterWords which = CounterWords::All);

}  // namespace qucap
