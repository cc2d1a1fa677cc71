#pragma once
// Checks the "$" codes of a caption text.
#include <span>
#include <string>
#include <string_view>

namespace qucap {

enum class MarkupFault {
    None,
    TrailingDollar,  // the text ends with a "$" that has no partner
    InvalidCode,     // "$" followed by a character outside the code set
};

// The valid code characters: "$", H h I i U u S s, R G B Y M C K W and their lower case.
bool isCodeCharacter(char16_t c);

// Every "$" met from the left forms a pair with the next character. A "$"
// left without a partner at the end is TrailingDollar (checked first, as the
// messages are); otherwise the first pair whose second character is not a
// code character is InvalidCode.
MarkupFault checkMarkup(std::u16string_view text);

// The fault of the first text that has one, in order.
MarkupFault firstMarkupFault(std::span<const std::u16string> texts);

// What a message says about the fault after the row number, e.g.
// "行目に不正な識別文字が見つかりました"; empty for None.
std::u16string_view markupFaultMessage(MarkupFault fault);

}  // namespace qucap
