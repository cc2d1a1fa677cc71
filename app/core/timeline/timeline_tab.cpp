#include "app/core/timeline/timeline_tab.h"

#include <algorithm>

#include "app/core/caption_list/caption_columns.h"
#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

// A field reads at most its limit of characters.
std::u16string_view limited(std::u16string_view typed) { return typed.substr(0, kTimeFieldLimit); }

bool validTime(std::u16string_view typed) { return isValidCaptionTime(limited(typed), TimeChecker::Program); }

std::u16string captionForm(int32_t milliseconds) { return formatTime(milliseconds, TimeForm::Caption); }

// The duration a range change gives a row; a lengthened row that would reach
// the next row's start keeps its duration (the last row is always lengthened).
int32_t changedDuration(const CaptionList& list, int index, const WorkingRow& row, int32_t amount, bool longer) {
    const int32_t duration = parseTime(row.duration);
    if (!longer) return addTimeStep(duration, -amount);
    const int32_t lengthened = addTimeStep(duration, amount);
    if (index + 1 >= list.rowCount()) return lengthened;
    const int64_t end = int64_t(parseTime(row.start)) + lengthened;
    return end >= parseTime(list.cell(index + 1, ColStart)) ? duration : lengthened;
}

}  // namespace

TimelineTab::TimelineTab(CaptionList& list, Ui& ui) : list_(list), ui_(ui) { loadRow(-1); }

void TimelineTab::loadRow(int index) {
    row_ = WorkingRow{};
    row_.start = row_.duration = std::u16string(kZeroTime);
    index_ = list_.isRow(index) ? index : -1;
    if (index_ >= 0) list_.readRow(index_, row_);
    baseStart_ = parseTime(row_.start);
    baseDuration_ = parseTime(row_.duration);
}

const std::u16string& TimelineTab::shown(TimeField which) const {
    return which == TimeField::Start ? row_.start : row_.duration;
}

bool TimelineTab::takeField(TimeField which, std::u16string_view typed) {
    if (!validTime(typed)) {
        ui_.setMessage(kTimeFieldError);
        return false;
    }
    field(which) = captionForm(parseTime(limited(typed)));
    ui_.setMessage(u"");
    return true;
}

bool TimelineTab::commit(std::u16string_view startTyped, std::u16string_view durationTyped, TimeField* failed,
                         bool snapped) {
    if (!list_.isRow(index_)) return false;
    // Copied first: the typed texts may be what the fields show, which is replaced below.
    const std::u16string typed[] = {std::u16string(startTyped), std::u16string(durationTyped)};
    // The row's texts as the list holds them now, with the times the fields show.
    WorkingRow fresh;
    list_.readRow(index_, fresh);
    fresh.start = row_.start;
    fresh.duration = row_.duration;
    row_ = std::move(fresh);
    for (const TimeField which : {TimeField::Start, TimeField::Duration}) {
        if (takeField(which, typed[which == TimeField::Start ? 0 : 1])) continue;
        if (failed) *failed = which;
        return false;
    }
    if (snapped && snapper_) {
        const int32_t start = parseTime(row_.start);
        const int32_t snappedStart = snapper_->start(start);
        const int32_t end = snapper_->end(int32_t(std::min<int64_t>(int64_t(start) + parseTime(row_.duration), INT32_MAX)),
                                          snappedStart);
        row_.start = captionForm(snappedStart);
        row_.duration = captionForm(std::max(0, end - snappedStart));
    }
    // Backed up only now: a commit refused above keeps the last change undoable.
    list_.backupAllTimes();
    list_.writeRow(index_, row_);
    list_.rebuildCaptionTable();
    baseStart_ = parseTime(row_.start);
    baseDuration_ = parseTime(row_.duration);
    undoAvailable_ = true;
    return true;
}

bool TimelineTab::step(TimeField which, int32_t stepMs, std::u16string_view typed, std::u16string_view otherTyped,
                       TimeField* failed) {
    if (!hasRow()) return false;
    takeField(which, typed);
    field(which) = captionForm(addTimeStep(parseTime(field(which)), stepMs));
    const std::u16string stepped = field(which);
    return which == TimeField::Start ? commit(stepped, otherTyped, failed) : commit(otherTyped, stepped, failed);
}

const std::u16string& TimelineTab::slide(TimeField which, int position) {
    const int32_t offset = sliderOffsetMs(std::clamp(position, 0, kSliderLast));
    field(which) = captionForm(addTimeStep(base(which), offset));
    return field(which);
}

TimeRangeResult TimelineTab::runRange(const TimeRangeRequest& request) {
    const RowRange range = rowRangeOf(request.allRows, request.firstRow, request.lastRow, list_.rowCount(), ui_);
    if (!range.ok()) return {-1, range.refused};
    int32_t amount = 0;
    if (request.operation != RangeOperation::Clear) {
        if (!validTime(request.amount)) {
            ui_.setMessage(request.operation == RangeOperation::SlideStart ? kSlideAmountError : kDurationAmountError);
            return {-1, RangeField::Amount};
        }
        amount = parseTime(limited(request.amount));
    }
    // Backed up once every field was good: a refused operation changes nothing.
    list_.backupAllTimes();
    for (int index = range.first; index <= range.last; ++index) {
        WorkingRow row;
        list_.readRow(index, row);
        switch (request.operation) {
        case RangeOperation::SlideStart:
            row.start = captionForm(addTimeStep(parseTime(row.start), request.later ? amount : -amount));
            break;
        case RangeOperation::ChangeDuration:
            row.duration = captionForm(changedDuration(list_, index, row, amount, request.later));
            break;
        case RangeOperation::Clear: row.start = row.duration = std::u16string(kZeroTime); break;
        }
        list_.writeRow(index, row);
    }
    list_.rebuildCaptionTable();
    undoAvailable_ = true;
    loadRow(index_);
    ui_.setMessage(u"");
    return {};
}

void TimelineTab::changeTimes(const std::function<void(CaptionList&)>& change) {
    list_.backupAllTimes();
    change(list_);
    list_.rebuildCaptionTable();
    undoAvailable_ = true;
    loadRow(index_);
}

bool TimelineTab::undo() {
    if (!ui_.askYesNo(kTimesUndoQuestion, kProgramTitle)) return false;
    list_.restoreAllTimes();
    list_.rebuildCaptionTable();
    undoAvailable_ = false;
    loadRow(index_);
    return true;
}

int TimelineTab::startLive() {
    if (!ui_.askYesNo(kLiveTimingQuestion, kProgramTitle)) return -1;
    const int first = list_.findNextUntimedRow(-1);
    if (first < 0) return -1;
    list_.backupAllTimes();
    undoAvailable_ = true;
    liveRow_ = first;
    nextOut_ = false;
    inTime_ = 0;
    return first;
}

LivePress TimelineTab::press(int32_t positionMs) {
    if (!live()) return {};
    if (!list_.isRow(liveRow_)) {
        // The row being timed is gone: nothing is stamped on another.
        endLive();
        return {-1, -1, true};
    }
    const int stamped = liveRow_;
    if (!nextOut_) {
        const int32_t start = snapper_ ? snapper_->start(positionMs) : positionMs;
        storeTime(stamped, TimeField::Start, start);
        inTime_ = start;
        nextOut_ = true;
        return {stamped, stamped, false};
    }
    const int32_t end = snapper_ ? snapper_->end(positionMs, inTime_) : positionMs;
    if (end >= inTime_) storeTime(stamped, TimeField::Duration, end - inTime_);
    const int next = list_.findNextUntimedRow(stamped);
    if (next < 0) {
        endLive();
        return {stamped, -1, true};
    }
    liveRow_ = next;
    nextOut_ = false;
    return {stamped, next, false};
}

void TimelineTab::endLive() {
    liveRow_ = -1;
    nextOut_ = false;
    inTime_ = 0;
}

void TimelineTab::storeTime(int index, TimeField which, int32_t milliseconds) {
    WorkingRow row;
    list_.readRow(index, row);
    (which == TimeField::Start ? row.start : row.duration) = captionForm(milliseconds);
    list_.writeRow(index, row);
    list_.rebuildCaptionTable();
    if (index != index_) return;
    field(which) = which == TimeField::Start ? row.start : row.duration;
    (which == TimeField::Start ? baseStart_ : baseDuration_) = parseTime(field(which));
}

}  // namespace qucap
