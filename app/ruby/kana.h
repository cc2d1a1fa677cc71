#pragma once
// The kinds of Japanese characters the ruby proposal tells apart, and
// katakana turned into hiragana (ruby is written in hiragana).
#include <string>
#include <string_view>

namespace qucap {

// Kanji, with the iteration mark 々, 〆 and the small ヶ of 三ヶ月, which
// are read as part of the kanji around them.
bool isKanji(char16_t c);
// Hiragana, katakana and the long-vowel mark ー.
bool isKana(char16_t c);

std::u16string toHiragana(std::u16string_view text);

}  // namespace qucap
