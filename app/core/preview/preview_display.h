#pragma once
// Offers: what the preview shows besides the picture — the frame and time
// counters, the two caption lines of the current time, the preview dialog's
// title and which of its buttons are usable in each PlayState.
#include <string>
#include <string_view>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/preview/preview_position.h"
#include "captiondata/caption/caption_row.h"

namespace qucap {

inline constexpr int kPreviewDialogId = 120;
inline constexpr int kPreviewCloseButton = 2;  // "終了(&Q)"
inline constexpr std::u16string_view kPreviewTitle = u"ﾌﾟﾚﾋﾞｭｰ";

struct CounterTexts {
    std::u16string frame;  // "current / total", for example "1 / 4500"
    std::u16string time;   // "0:00:00.000 / 0:02:30.150": current time and duration
    bool operator==(const CounterTexts&) const = default;
};
CounterTexts counterTexts(const PreviewPosition& at);

// The body texts of the two lines of the caption shown at the time, without
// their markup; both empty when no caption is shown then.
struct CaptionLines {
    std::u16string first;
    std::u16string second;
    bool operator==(const CaptionLines&) const = default;
};
CaptionLines captionLinesAt(const CaptionTable& table, int64_t milliseconds);

// "ﾌﾟﾚﾋﾞｭｰ (name)" with the input's file name without its folder, or
// "ﾌﾟﾚﾋﾞｭｰ" when the path names no file.
std::u16string previewDialogTitle(std::u16string_view inputPath);

// The preview dialog's buttons 1107-1110, the position bar 1102 and the
// close button 2, in that order, by the main window's rules; the close
// button follows the main window's end button.
std::vector<ControlEnabling> previewDialogControlStates(PlayState state);

}  // namespace qucap
