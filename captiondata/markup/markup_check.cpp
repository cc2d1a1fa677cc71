#include "captiondata/markup/markup_check.h"

namespace qucap {

bool isCodeCharacter(char16_t c) {
    static constexpr std::u16string_view kCodes = u"$HhIiUuSsRGBYMCKWrgbymckw";
    return kCodes.find(c) != std::u16string_view::npos;
}

MarkupFault checkMarkup(std::u16string_view text) {
    // Pairs are formed from the left, so "a$$$" ends with an unpaired "$" too.
    MarkupFault firstInvalid = MarkupFault::None;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'$') continue;
        if (i + 1 == text.size()) return MarkupFault::TrailingDollar;
        if (firstInvalid == MarkupFault::None && !isCodeCharacter(text[i + 1])) firstInvalid = MarkupFault::InvalidCode;
        ++i;
    }
    return firstInvalid;
}

MarkupFault firstMarkupFault(std::span<const std::u16string> texts) {
    for (const auto& text : texts)
        if (const MarkupFault fault = checkMarkup(text); fault != MarkupFault::None) return fault;
    return MarkupFault::None;
}

std::u16string_view markupFaultMessage(MarkupFault fault) {
    switch (fault) {
    case MarkupFault::TrailingDollar: return u"行目末尾に不正な識別文字が見つかりました";
    case MarkupFault::InvalidCode: return u"行目に不正な識別文字が見つかりました";
    case MarkupFault::None: break;
    }
    return {};
}

}  // namespace qucap
