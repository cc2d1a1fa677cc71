#pragma once
// The model behind the timeline tab: the selected row's start and duration
// with their fields, steps and sliders; the range operations (slide the
// starts, change the durations, clear both) over many rows; the one-level
// undo over every row's times; and the live walk that stamps in and out
// times on the untimed rows while the movie plays.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/core/caption_list/caption_list.h"
#include "app/core/caption_list/row_range.h"
#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kTimeFieldError = u"時間の指定に誤りがありました、入力前の値に戻しました";
inline constexpr std::u16string_view kPressEnterMessage = u"Enterキーか、保存ボタンでリストに更新して下さい";
inline constexpr std::u16string_view kSlideAmountError = u"エラー：開始時間の指定に誤りがあります";
inline constexpr std::u16string_view kDurationAmountError = u"エラー：表示時間の指定に誤りがあります";
inline constexpr std::u16string_view kTimesUndoQuestion = u"更新前の表示開始時間、表示時間に戻します。\n実行しますか？";
inline constexpr std::u16string_view kLiveTimingQuestion =
    u"動画が自動的に再生されます。\n字幕を付けたい音声の最初の位置で、[イン／アウト]ボタンを押して開始時間を設定します、\n"
    u"音声の最後の位置で、再度[イン／アウト]ボタンを押すと、表示時間が設定できます。\n実行しますか？";

// A time field holds at most this many characters.
inline constexpr int kTimeFieldLimit = 10;
// The sliders rest in the middle of 0..100; a step of the slider is a second.
inline constexpr int kSliderRest = 50;
inline constexpr int kSliderLast = 100;
// The offset of slider position p from the base time.
constexpr int32_t sliderOffsetMs(int position) { return position * 1000 - kSliderRest * 1000; }

enum class TimeField { Start, Duration };

// The range operations of "実行".
enum class RangeOperation { SlideStart = 1, ChangeDuration = 2, Clear = 3 };

// A start and an end moved onto the picture's cuts (app/timing), while the
// tab's check box "ショットに合わせる" asks for it. Milliseconds.
class TimeSnapper {
public:
    virtual ~TimeSnapper() = default;
    virtual int32_t start(int32_t start) const = 0;
    virtual int32_t end(int32_t end, int32_t start) const = 0;
};

// A key held this long after an in press sets the out when it is let go.
inline constexpr uint64_t kHoldToTimeMs = 300;

// What the range fields say, as the user typed them.
struct TimeRangeRequest {
    bool allRows = true;
    std::u16string firstRow, lastRow;  // 1-based row numbers
    RangeOperation operation = RangeOperation::SlideStart;
    std::u16string amount;             // caption time form, of the chosen operation
    bool later = false;                // slide: "後方" (else "前方"); duration: "長" (else "短")
};

struct TimeRangeResult {
    int status = 0;  // 0 done, -1 refused (the message line holds why)
    RangeField focus = RangeField::None;
};

// What an in/out press did.
struct LivePress {
    int stampedRow = -1;   // the row that took the time, -1 for none
    int nextRow = -1;      // the row timed next, -1 when the walk ended
    bool finished = false; // no untimed row is left: the preview stops
};

class TimelineTab {
public:
    TimelineTab(CaptionList& list, Ui& ui);

    // Row mode with row `index` of the list (its times become the bases);
    // -1 (or a row that is not there) leaves no row loaded.
    void loadRow(int index);
    void clearRow() { loadRow(-1); }
    bool hasRow() const { return index_ >= 0; }
    int rowIndex() const { return index_; }
    const WorkingRow& row() const { return row_; }
    // What the field of `field` shows now (caption form).
    const std::u16string& shown(TimeField field) const;

    // Takes a typed field: a valid caption time is stored in caption form and
    // the message line emptied; anything else puts back what the field showed
    // and says so. False on failure.
    bool takeField(TimeField field, std::u16string_view typed);
    // The selected row's commit: takes both fields, then backs up every row's
    // times (so undo returns to the times before this change), writes the row
    // and takes its times as the new bases. Returns the field that failed, or
    // nothing done without a row; the list is unchanged on failure. With
    // `snapped` and a snapper, the start and the end go onto the cuts.
    bool commit(std::u16string_view startTyped, std::u16string_view durationTyped, TimeField* failed = nullptr,
                bool snapped = false);
    // A step button: the field taken (a failure still steps from the last
    // good value), moved by `stepMs` and kept at 0 or more, then committed
    // with the other field as typed.
    bool step(TimeField field, int32_t stepMs, std::u16string_view typed, std::u16string_view otherTyped,
              TimeField* failed = nullptr);
    // A slider at `position` (0..100): base + offset, at least 0, shown in
    // the field; the caller commits when the drag ends.
    const std::u16string& slide(TimeField field, int position);

    // "実行": checks the rows and the amount (the message line says what is
    // wrong and the undo copy stays as it was), then changes the rows.
    TimeRangeResult runRange(const TimeRangeRequest& request);

    // "元に戻す": asks first; on Yes every row that has a backup gets its
    // times back (a row made since has none and stays). False on No.
    bool undo();
    bool undoAvailable() const { return undoAvailable_; }
    // A new list was loaded: its rows hold no backup.
    void forgetUndo() { undoAvailable_ = false; }

    // "連続設定": asks first; on Yes the first untimed row becomes the row
    // being timed and every row's times are backed up, so undo takes the
    // whole walk back. Returns that row, -1 when the user said No or every
    // row is timed (then nothing happens).
    int startLive();
    // "イン／アウト" at the playback position `positionMs`.
    LivePress press(int32_t positionMs);
    // Typed times and live stamps go through the snapper while one is set (null: none).
    void setSnapper(const TimeSnapper* snapper) { snapper_ = snapper; }
    // Rows changed by a tool of the tab over many rows (the clean-up by the
    // rules): every row's times are backed up first, so undo takes them back.
    void changeTimes(const std::function<void(CaptionList&)>& change);

    // Live mode is switched off (stop, end of the movie, another project).
    void endLive();
    bool live() const { return liveRow_ >= 0; }
    int liveRow() const { return liveRow_; }
    bool nextPressIsOut() const { return nextOut_; }

private:
    std::u16string& field(TimeField which) { return which == TimeField::Start ? row_.start : row_.duration; }
    int32_t base(TimeField which) const { return which == TimeField::Start ? baseStart_ : baseDuration_; }
    void storeTime(int index, TimeField which, int32_t milliseconds);

    CaptionList& list_;
    Ui& ui_;
    WorkingRow row_;
    int index_ = -1;
    int32_t baseStart_ = 0, baseDuration_ = 0;
    bool undoAvailable_ = false;
    int liveRow_ = -1;
    bool nextOut_ = false;
    int32_t inTime_ = 0;
    const TimeSnapper* snapper_ = nullptr;
};

}  // namespace qucap
