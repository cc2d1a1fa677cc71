#include "filter/core/compose/compositor.h"

namespace qucap {
namespace {

// A slot is shown at t when it is a used slot with some time set and t lies
// from its first to its last millisecond, both included.
bool showsAt(int32_t number, bool timed, int64_t first, int64_t last, int64_t t) {
    return number > 0 && timed && first <= t && t <= last;
}

}  // namespace

FoundRows findRows(const CaptionTable& captions, const BoxTable& boxes, int32_t milliseconds) {
    FoundRows found;
    for (std::size_t i = 0; i < captions.size() && found.caption < 0; ++i) {
        const CaptionRow& row = captions[i];
        const bool timed = row.start > 0 || row.duration > 0;
        if (showsAt(row.number, timed, row.start, row.end(), milliseconds)) found.caption = int(i);
    }
    for (std::size_t i = 0; i < boxes.size() && found.box < 0; ++i) {
        const BoxRow& row = boxes[i];
        const bool timed = row.startTime > 0 || row.endTime > 0;
        if (showsAt(row.number, timed, row.startTime, row.endTime, milliseconds)) found.box = int(i);
    }
    return found;
}

}  // namespace qucap
