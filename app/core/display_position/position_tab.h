#pragma once
// The model behind the display-position tab: the selected row's working
// copy with its typed and scrolled positions, the commits that write it back
// to the caption list, the range move, the all-rows default and the one-level
// undo over every row's positions, orientation and lock.
#include <functional>
#include <string>
#include <string_view>

#include "app/core/caption_list/caption_list.h"
#include "app/core/caption_list/row_range.h"
#include "app/core/display_position/default_positions.h"
#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kHorizontalAmountError = u"エラー：横字幕の位置の指定に誤りがあります";
inline constexpr std::u16string_view kVerticalAmountError = u"エラー：縦字幕の位置指定に誤りがあります";
inline constexpr std::u16string_view kAllRowsDefaultQuestion =
    u"デフォルトの表示位置を全行に設定します。\n2行目のルビを入れ替えている行の位置関係は保持されます。\n"
    u"表示位置のロックはリセットされます。\n実行しますか？";
inline constexpr std::u16string_view kUndoQuestion = u"更新前の表示位置に戻します。\n実行しますか？";

// Which captions a range move moves, and which way.
enum class MoveKind { Horizontal, Vertical };

// What the range fields say, as the user typed it.
struct RangeMoveRequest {
    bool allRows = true;
    std::u16string firstRow, lastRow;  // 1-based row numbers
    MoveKind kind = MoveKind::Horizontal;
    std::u16string amount;             // pixels
    bool forward = false;              // down or right; else up or left
};

struct RangeMoveResult {
    int status = 0;  // 0 moved, -1 refused (the message line holds why)
    RangeField focus = RangeField::None;
};

// The steps of a position scroll bar.
enum class ScrollStep { LineBack, LineForward, PageBack, PageForward, Drag };

// A row's positions moved by `delta` pixels (each non-empty text). A row
// pushed to 0 or past the near edge is placed anew at the near edge, one
// pushed past the frame at the far edge.
PositionSet movedPositions(const PositionSettings& settings, const WorkingRow& row, int32_t delta);

class PositionTab {
public:
    // `settings` gives the frame size and font settings of the moment.
    PositionTab(CaptionList& list, Ui& ui, std::function<PositionSettings()> settings);

    // Row mode with row `index` of the list; -1 (or a row that is not
    // there) leaves no row loaded.
    void loadRow(int index);
    void clearRow() { loadRow(-1); }
    bool hasRow() const { return index_ >= 0; }
    int rowIndex() const { return index_; }
    const WorkingRow& row() const { return row_; }

    // The user typed into the position field of `text` (digits as typed).
    void typePosition(int text, std::u16string_view typed);
    // A scroll bar step on `text`; `dragged` is the thumb's place for Drag.
    // Returns the working position, kept in the frame.
    int32_t scroll(int text, ScrollStep step, int32_t dragged = 0);

    // Writes the working copy back to its row: orientation, the positions
    // kept in the frame (0 for empty texts) and the lock; then the caption
    // table is rebuilt. `saveUndo` takes the undo copy first.
    void commit(bool saveUndo);
    // The lock box, "縦横変更" and "デフォルト位置": each commits with the undo copy.
    void setLock(bool locked);
    void switchOrientation();
    void useDefaultPositions();

    // "実行": checks the fields (the message line says what is wrong and the
    // undo copy is kept as it was), then moves the rows of the range.
    RangeMoveResult moveRange(const RangeMoveRequest& request);
    // "全行デフォルト位置" and "元に戻す" ask first; false when the user said No.
    bool applyDefaultsToAllRows();
    bool undo();

    // "元に戻す" has something to give back.
    bool undoAvailable() const { return undoAvailable_; }
    // A new list was loaded: its rows hold no undo copy.
    void forgetUndo() { undoAvailable_ = false; }

private:
    int32_t checkedPosition(int text) const;

    CaptionList& list_;
    Ui& ui_;
    std::function<PositionSettings()> settings_;
    WorkingRow row_;
    int index_ = -1;
    bool undoAvailable_ = false;
};

}  // namespace qucap
