#include "captiondata/caption/caption_row.h"

namespace qucap {

int findRowAtTime(const CaptionTable& table, int32_t milliseconds) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CaptionRow& row = table[i];
        if (row.isCaption() && row.start <= milliseconds && milliseconds <= row.end()) return int(i);
    }
    return -1;
}

}  // namespace qucap
