#pragma once
// The clean-up of a caption list by the reading rules: starts snapped to the
// cuts, rows too short grown into the room after them, rows too long cut,
// gaps too small opened and small gaps closed. Starts keep their order and
// no row comes to overlap the next, so the list stays valid.
#include <cstdint>
#include <string>
#include <vector>

#include "app/timing/shot_snapping.h"

namespace qucap {

struct RetimeRules {
    int64_t minMs = 500;
    int64_t maxMs = 7000;
    int64_t gapFrames = 2;     // a gap under this opens to it
    int64_t closeFrames = 12;  // a gap under this closes to gapFrames
    bool shots = true;         // snap to the cuts
    SnapRules snap;
};

// One row's times in milliseconds; the end is its last shown millisecond
// (start plus duration). A row with neither (0 and 0) has no time and is
// left alone.
struct RowTimes {
    int64_t start = 0, end = 0;
    bool timed() const { return start > 0 || end > 0; }
    bool operator==(const RowTimes&) const = default;
};

enum class RetimeField { Start, End };
enum class RetimeRule { Shot, Minimum, Maximum, Gap, Close };

struct RetimeChange {
    int row = 0;  // index into the rows
    RetimeField field = RetimeField::Start;
    int64_t before = 0, after = 0;
    RetimeRule rule = RetimeRule::Shot;
};

// Changes the rows from `first` to `last` (indices, both included) and
// returns each step in order; rows outside the range only bound the ones
// inside. `cuts` are frame numbers, ascending.
std::vector<RetimeChange> retimeRows(std::vector<RowTimes>& rows, int first, int last,
                                     const std::vector<int64_t>& cuts, const FrameClock& clock,
                                     const RetimeRules& rules);

// The table of the changes (row numbers as the list shows them, 1-based),
// or the line saying nothing would change.
std::u16string retimeTable(const std::vector<RetimeChange>& changes);

// The program's question before it applies the changes: the table, at most
// kRetimeQuestionRows of them and a count of the rest.
inline constexpr std::size_t kRetimeQuestionRows = 12;
std::u16string retimeQuestion(const std::vector<RetimeChange>& changes);
// The message line once they are applied.
std::u16string retimeDoneMessage(std::size_t changes);
inline constexpr std::u16string_view kRetimeNothing = u"タイミングを変える字幕はありません";
inline constexpr std::u16string_view kRetimeWaitForCuts = u"動画のカットを解析中です。解析が終わってから実行して下さい";

}  // namespace qucap
