#include "app/ruby/kana.h"

namespace qucap {

bool isKanji(char16_t c) {
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') ||
           (c >= u'\uF900' && c <= u'\uFAFF') || c == u'々' || c == u'〆' || c == u'ヶ' || c == u'ヵ';
}

bool isKana(char16_t c) {
    return c != u'ヶ' && c != u'ヵ' && ((c >= u'\u3041' && c <= u'\u3096') || (c >= u'\u30A1' && c <= u'\u30FA') || c == u'ー');
}

std::u16string toHiragana(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'\u30A1' && c <= u'\u30F6') c = char16_t(c - 0x60);
    return out;
}

}  // namespace qucap
