#include "captiondata/markup/table_normalise.h"

#include <optional>

#include "captiondata/markup/markup.h"
#include "captiondata/markup/markup_check.h"

namespace qucap {
namespace {

// Puts the carried formatting in front of a body text and the off-codes of
// the effects still on at its end; `carried` becomes the formatting at the end.
std::u16string carryIntoBody(const std::u16string& body, FormattingState& carried) {
    std::u16string text = carried.allCodes() + body;
    carried = stateAfter(text);
    // A "$" without partner at the end would pair with the off-codes and
    // change the text; it stays last, where the checks report it.
    const bool loneDollarAtEnd = checkMarkup(text) == MarkupFault::TrailingDollar;
    if (loneDollarAtEnd) text.pop_back();
    text += carried.offCodes();
    if (loneDollarAtEnd) text += u'$';
    return text;
}

}  // namespace

void normaliseCaptionTable(CaptionTable& table) {
    FormattingState carried;
    std::optional<std::u16string> previousOrientation;
    for (CaptionRow& row : table) {
        if (!row.isCaption()) continue;
        if (row.orientation != previousOrientation) carried.effects = 0;
        previousOrientation = row.orientation;
        carried.textColour = carried.borderColour = 0;
        for (int index = 0; index < kTextCount; ++index) {
            std::u16string& text = row.texts[index];
            if (text.empty()) continue;
            if (kindOfText(index) == TextKind::Body) {
                if (text.size() > kCarriedBodyTextMax) break;
                text = carryIntoBody(text, carried);
            } else {
                text = formatRubyGroups(text, carried);
            }
            text = normaliseBodyText(text);
        }
    }
}

}  // namespace qucap
