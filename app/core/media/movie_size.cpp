#include "app/core/media/movie_size.h"

namespace qucap {

uint64_t uncompressedPictureBytes(int64_t frames, int32_t width, int32_t height) {
    if (frames <= 0 || width <= 0 || height <= 0) return 0;
    return uint64_t(frames) * uint64_t(width) * uint64_t(height) * 4;
}

bool passesPlainAviLimit(int64_t frames, int32_t width, int32_t height) {
    return uncompressedPictureBytes(frames, width, height) >= kPlainAviLimitBytes;
}

}  // namespace qucap
