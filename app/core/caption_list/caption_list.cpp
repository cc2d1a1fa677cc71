#include "app/core/caption_list/caption_list.h"

#include "captiondata/limits.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {

namespace {

const std::u16string kEmptyCell;

std::u16string positionText(int32_t position) { return truncated(toDecimal(position), kPositionTextMax); }
std::u16string rowNumberText(int index) { return truncated(toDecimal(int64_t(index) + 1), kRowNumberTextMax); }

// A row's positions in the all-rows default: the defaults, with the line-2
// pair swapped where the user had put the line-2 ruby on the other side of
// its body (above it in a horizontal row, right of it in a vertical row).
PositionSet recomputeAllPositions(const WorkingRow& row, const PositionSet& defaults,
                                  const DefaultPositionRules& rules) {
    const int32_t body = row.positions[Line2Body];
    const int32_t ruby = row.positions[Line2Ruby];
    const bool rubyBeforeBody = ruby < body;
    const bool rubyAfterBody = ruby > body;
    const bool swap = row.vertical ? rubyAfterBody : (rubyBeforeBody && ruby != 0);
    if (!swap) return defaults;
    const auto swapped = rules.swapLine2(row, {defaults[Line2Body], defaults[Line2Ruby]});
    PositionSet result = defaults;
    result[Line2Body] = swapped.body;
    result[Line2Ruby] = swapped.ruby;
    return result;
}

}  // namespace

const std::u16string& CaptionList::cell(int index, int column) const {
    if (!isRow(index) || column < 0 || column >= kCaptionColumnCount) return kEmptyCell;
    return rows_[index][column];
}

void CaptionList::setCell(int index, int column, std::u16string_view text) {
    if (!isRow(index) || column < 0 || column >= kCaptionColumnCount) return;
    rows_[index][column] = std::u16string(text);
}

void CaptionList::clear() {
    rows_.clear();
    selection_ = -1;
    unreadFile_.clear();
    forgetPartlyReadFile();
}

void CaptionList::setPartlyReadFile(std::u16string path) {
    partlyReadFile_ = std::move(path);
    partlyReadRows_ = fileRows();
}

void CaptionList::forgetPartlyReadFile() {
    partlyReadFile_.clear();
    partlyReadRows_.clear();
}

bool CaptionList::holdsPartlyReadRows() const { return !partlyReadFile_.empty() && fileRows() == partlyReadRows_; }

void CaptionList::readRow(int index, WorkingRow& row) const {
    if (!isRow(index)) return;
    const Cells& cells = rows_[index];
    row.number = readLeadingInt(cells[ColNumber]);
    row.start = cells[ColStart];
    row.duration = cells[ColDuration];
    row.vertical = cells[ColOrientation] == kVertical;
    for (int i = 0; i < kTextCount; ++i) {
        row.texts[i] = cells[kMarkupColumns[i]];
        row.positions[i] = readLeadingInt(cells[kPositionColumns[i]]);
        row.plainTexts[i] = cells[kPlainColumns[i]];
    }
}

void CaptionList::readLock(int index, WorkingRow& row) const {
    if (isRow(index)) row.lock = readLeadingInt(rows_[index][ColLock]);
}

void CaptionList::writeRow(int index, WorkingRow& row) {
    if (!isRow(index)) return;
    if (row.start.empty()) row.start = kZeroTime;
    if (row.duration.empty()) row.duration = kZeroTime;
    Cells& cells = rows_[index];
    cells[ColStart] = truncated(row.start, kCaptionTimeFieldMax);
    cells[ColDuration] = truncated(row.duration, kCaptionTimeFieldMax);
    cells[ColOrientation] = row.vertical ? kVertical : kHorizontal;
    for (int i = 0; i < kTextCount; ++i) {
        cells[kMarkupColumns[i]] = row.texts[i];
        cells[kPositionColumns[i]] = row.texts[i].empty() ? std::u16string() : positionText(row.positions[i]);
        cells[kPlainColumns[i]] = truncated(row.plainTexts[i], kPlainTextMax);
    }
}

void CaptionList::writeLock(int index, const WorkingRow& row) {
    if (isRow(index)) rows_[index][ColLock] = row.lock == 1 ? u"1" : u"0";
}

CaptionList::Cells CaptionList::newRowCells(int index) const {
    Cells cells;
    cells[ColNumber] = rowNumberText(index);
    cells[ColStart] = kZeroTime;
    cells[ColDuration] = kZeroTime;
    cells[ColOrientation] = kHorizontal;
    return cells;
}

int CaptionList::appendRow() {
    const int index = rowCount();
    rows_.push_back(newRowCells(index));
    selection_ = index;
    return index;
}

int CaptionList::insertRowAtSelection() {
    if (!isRow(selection_)) return -1;
    const int index = selection_;
    rows_.insert(rows_.begin() + index, newRowCells(index));
    renumber();
    selection_ = index;
    return index;
}

bool CaptionList::deleteSelectedRow(Ui& ui) {
    if (!isRow(selection_)) return false;
    if (!ui.askYesNo(toDecimal(int64_t(selection_) + 1) + std::u16string(kDeleteQuestionTail), kProgramTitle))
        return false;
    rows_.erase(rows_.begin() + selection_);
    selection_ = -1;
    renumber();
    // Rebuilt at once so the preview never shows a deleted caption.
    rebuildCaptionTable();
    return true;
}

void CaptionList::renumber() {
    for (int i = 0; i < rowCount(); ++i) rows_[i][ColNumber] = rowNumberText(i);
}

void CaptionList::fillFrom(const CaptionTable& table) {
    clear();
    for (const CaptionRow& slot : table) {
        if (!slot.isCaption()) continue;
        WorkingRow row;
        row.start = formatTime(slot.start, TimeForm::Caption);
        row.duration = formatTime(slot.duration, TimeForm::Caption);
        row.vertical = slot.orientation == kVertical;
        row.texts = slot.texts;
        for (int i = 0; i < kTextCount; ++i) row.plainTexts[i] = truncated(plainText(slot.texts[i]), kPlainTextMax);
        row.positions = slot.positions;
        row.lock = slot.lock;
        const int index = appendRow();
        writeRow(index, row);
        writeLock(index, row);
    }
    selection_ = -1;
    rebuildCaptionTable();
}

CaptionFileRow CaptionList::fileRow(int index) const {
    WorkingRow row;
    readRow(index, row);
    readLock(index, row);
    CaptionFileRow out;
    out.number = cell(index, ColNumber);
    out.start = row.start;
    out.duration = row.duration;
    out.vertical = row.vertical;
    out.texts = row.texts;
    out.positions = row.positions;
    out.lock = row.lock;
    return out;
}

std::vector<CaptionFileRow> CaptionList::fileRows() const {
    std::vector<CaptionFileRow> out;
    out.reserve(rows_.size());
    for (int i = 0; i < rowCount(); ++i) out.push_back(fileRow(i));
    return out;
}

void CaptionList::rebuildCaptionTable() { table_ = qucap::rebuildCaptionTable(fileRows()); }

void CaptionList::backupTimes(int index) {
    if (!isRow(index)) return;
    Cells& cells = rows_[index];
    cells[ColStartBackup] = cells[ColStart];
    cells[ColDurationBackup] = cells[ColDuration];
}

void CaptionList::restoreTimes(int index) {
    if (!isRow(index)) return;
    Cells& cells = rows_[index];
    cells[ColStart] = cells[ColStartBackup];
    cells[ColDuration] = cells[ColDurationBackup];
}

void CaptionList::backupPositions(int index) {
    if (!isRow(index)) return;
    Cells& cells = rows_[index];
    for (int i = 0; i < kTextCount; ++i) cells[kPositionBackupColumns[i]] = cells[kPositionColumns[i]];
    cells[ColOrientationBackup] = cells[ColOrientation];
    cells[ColLockBackup] = cells[ColLock];
}

bool CaptionList::restorePositions(int index) {
    if (!isRow(index)) return false;
    Cells& cells = rows_[index];
    for (int i = 0; i < kTextCount; ++i) cells[kPositionColumns[i]] = cells[kPositionBackupColumns[i]];
    cells[ColOrientation] = cells[ColOrientationBackup];
    cells[ColLock] = cells[ColLockBackup];
    return cells[ColOrientation] == kVertical;
}

void CaptionList::backupAllTimes() {
    for (int index = 0; index < rowCount(); ++index) backupTimes(index);
}

void CaptionList::restoreAllTimes() {
    for (int index = 0; index < rowCount(); ++index)
        if (!cell(index, ColStartBackup).empty()) restoreTimes(index);
}

void CaptionList::backupAllPositions() {
    for (int index = 0; index < rowCount(); ++index) backupPositions(index);
}

void CaptionList::restoreAllPositions() {
    for (int index = 0; index < rowCount(); ++index)
        if (!cell(index, ColOrientationBackup).empty()) restorePositions(index);
}

int CaptionList::findNextUntimedRow(int index) const {
    for (int i = index < 0 ? 0 : index + 1; i < rowCount(); ++i)
        if (parseTime(rows_[i][ColDuration]) == 0) return i;
    return -1;
}

void CaptionList::applyDefaultPositions(DefaultPositionMode mode, const DefaultPositionRules& rules) {
    for (int i = 0; i < rowCount(); ++i) {
        WorkingRow row;
        readRow(i, row);
        readLock(i, row);
        if (mode == DefaultPositionMode::RecomputeUnlocked && row.lock != 0) continue;
        const PositionSet defaults = rules.defaults(row);
        switch (mode) {
        case DefaultPositionMode::FillUnset:
            for (int t = 0; t < kTextCount; ++t)
                if (row.positions[t] == 0) row.positions[t] = defaults[t];
            break;
        case DefaultPositionMode::RecomputeUnlocked:
            row.positions = defaults;
            break;
        case DefaultPositionMode::RecomputeAll:
            row.positions = recomputeAllPositions(row, defaults, rules);
            row.lock = 0;
            writeLock(i, row);
            break;
        }
        writeRow(i, row);
    }
    rebuildCaptionTable();
}

}  // namespace qucap
