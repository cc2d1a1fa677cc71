#include "app/core/display_position/position_tab.h"

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr int32_t kPageStep = 10;

int32_t stepOf(ScrollStep step) {
    switch (step) {
    case ScrollStep::LineBack: return -1;
    case ScrollStep::LineForward: return 1;
    case ScrollStep::PageBack: return -kPageStep;
    case ScrollStep::PageForward: return kPageStep;
    case ScrollStep::Drag: break;
    }
    return 0;
}

}  // namespace

PositionSet movedPositions(const PositionSettings& settings, const WorkingRow& row, int32_t delta) {
    PositionSet moved = row.positions;
    const int64_t extent = frameExtent(settings, row.vertical);
    for (int text = 0; text < kTextCount; ++text) {
        if (row.texts[std::size_t(text)].empty()) continue;
        const int64_t result = int64_t(moved[std::size_t(text)]) + delta;
        // 0 would read as "not set" and be refilled at the far edge: it counts as past the near edge.
        if (result <= 0) return defaultPositions(settings, row, PlacementEdge::Near);
        if (result > extent) return defaultPositions(settings, row, PlacementEdge::Far);
        moved[std::size_t(text)] = int32_t(result);
    }
    return moved;
}

PositionTab::PositionTab(CaptionList& list, Ui& ui, std::function<PositionSettings()> settings)
    : list_(list), ui_(ui), settings_(std::move(settings)) {}

void PositionTab::loadRow(int index) {
    row_ = WorkingRow{};
    index_ = list_.isRow(index) ? index : -1;
    if (index_ < 0) return;
    list_.readRow(index_, row_);
    list_.readLock(index_, row_);
}

void PositionTab::typePosition(int text, std::u16string_view typed) {
    if (text < 0 || text >= kTextCount) return;
    row_.positions[std::size_t(text)] = readLeadingInt(typed);
}

int32_t PositionTab::scroll(int text, ScrollStep step, int32_t dragged) {
    if (text < 0 || text >= kTextCount) return 0;
    const PositionSettings settings = settings_();
    int32_t& position = row_.positions[std::size_t(text)];
    const int64_t wanted = step == ScrollStep::Drag ? int64_t(dragged) : int64_t(position) + stepOf(step);
    position = keptInFrame(settings, row_.vertical, text, int32_t(std::clamp<int64_t>(wanted, INT32_MIN, INT32_MAX)));
    return position;
}

int32_t PositionTab::checkedPosition(int text) const {
    if (row_.texts[std::size_t(text)].empty()) return 0;
    return keptInFrame(settings_(), row_.vertical, text, row_.positions[std::size_t(text)]);
}

void PositionTab::commit(bool saveUndo) {
    if (!list_.isRow(index_)) return;
    for (int text = 0; text < kTextCount; ++text) row_.positions[std::size_t(text)] = checkedPosition(text);
    if (saveUndo) list_.backupAllPositions();
    list_.writeRow(index_, row_);
    list_.writeLock(index_, row_);
    list_.rebuildCaptionTable();
}

void PositionTab::setLock(bool locked) {
    row_.lock = locked ? 1 : 0;
    commit(true);
}

void PositionTab::switchOrientation() {
    row_.vertical = !row_.vertical;
    row_.positions = defaultPositions(settings_(), row_);
    commit(true);
}

void PositionTab::useDefaultPositions() {
    row_.positions = defaultPositions(settings_(), row_);
    row_.lock = 0;
    commit(true);
}

RangeMoveResult PositionTab::moveRange(const RangeMoveRequest& request) {
    const RowRange range = rowRangeOf(request.allRows, request.firstRow, request.lastRow, list_.rowCount(), ui_);
    if (!range.ok()) return {-1, range.refused};
    const PositionSettings settings = settings_();
    const int32_t amount = readLeadingInt(request.amount);
    if (amount < 1 || amount > settings.frameWidth - settings.mainSize + 1) {
        ui_.setMessage(request.kind == MoveKind::Horizontal ? kHorizontalAmountError : kVerticalAmountError);
        return {-1, RangeField::Amount};
    }

    // Taken once the move will happen: a refused one keeps the last change undoable.
    list_.backupAllPositions();
    const bool vertical = request.kind == MoveKind::Vertical;
    const int32_t delta = request.forward ? amount : -amount;
    for (int index = range.first; index <= range.last; ++index) {
        WorkingRow row;
        list_.readRow(index, row);
        list_.readLock(index, row);
        if (row.lock != 0 || row.vertical != vertical) continue;
        row.positions = movedPositions(settings, row, delta);
        list_.writeRow(index, row);
    }
    list_.rebuildCaptionTable();
    undoAvailable_ = true;
    loadRow(index_);
    ui_.setMessage(u"");
    return {};
}

bool PositionTab::applyDefaultsToAllRows() {
    if (!ui_.askYesNo(kAllRowsDefaultQuestion, kProgramTitle)) return false;
    list_.backupAllPositions();
    list_.applyDefaultPositions(DefaultPositionMode::RecomputeAll, defaultPositionRules(settings_()));
    undoAvailable_ = true;
    loadRow(index_);
    return true;
}

bool PositionTab::undo() {
    if (!undoAvailable_ || !ui_.askYesNo(kUndoQuestion, kProgramTitle)) return false;
    list_.restoreAllPositions();
    list_.rebuildCaptionTable();
    undoAvailable_ = false;
    loadRow(index_);
    return true;
}

}  // namespace qucap
