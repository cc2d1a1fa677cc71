#include "filter/core/compose/conversion.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "filter/core/compose/picture_walk.h"
#include "filter/core/compose/yuy2_tables.h"
#include "filter/core/compose/yuy2_vector.h"

namespace qucap {
namespace {

// Limits a channel sum to 0..255 by lookup: every sum of a luma entry and a
// chroma term lies within kLeast..kMost, so no branch is needed per channel.
constexpr int kLeast = -19 - 253;  // luma 0 with the lowest blue term
constexpr int kMost = 278 + 253;   // luma 255 with the highest term of any channel
struct ByteLimiter {
    std::array<uint8_t, kMost - kLeast + 1> table{};
    constexpr ByteLimiter() {
        for (int v = kLeast; v <= kMost; ++v) table[std::size_t(v - kLeast)] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    uint8_t operator()(int value) const { return table[std::size_t(value - kLeast)]; }
};
constexpr ByteLimiter kLimit;

// One row of `pixels` pixels; YUY2 rows always have an even count.
using RowConverter = void (*)(const uint8_t* from, uint8_t* to, int32_t pixels);

// The vector path converts the row's leading steps of eight pixels; the
// tables convert the rest, pair by pair.
template <int OutBytes>
void yuy2Row(const uint8_t* from, uint8_t* to, int32_t pixels) {
    const int32_t done = convertYuy2RowVector(from, to, pixels, OutBytes);
    from += done * 2;
    to += done * OutBytes;
    const Yuy2Tables& t = kYuy2Tables;
    for (int32_t pair = 0; pair < (pixels - done) / 2; ++pair, from += 4) {
        const int u = from[1], v = from[3];
        const int red = t.vToRed[v], green = -(t.uToGreen[u] + t.vToGreen[v]), blue = t.uToBlue[u];
        for (int half = 0; half < 2; ++half, to += OutBytes) {
            const int y = t.luma[from[half * 2]];
            to[0] = kLimit(y + blue);
            to[1] = kLimit(y + green);
            to[2] = kLimit(y + red);
            if constexpr (OutBytes == 4) to[3] = 0;
        }
    }
}

template <int InBytes, int OutBytes>
void rgbRow(const uint8_t* from, uint8_t* to, int32_t pixels) {
    if constexpr (InBytes == OutBytes) {
        std::memcpy(to, from, std::size_t(pixels) * InBytes);
    } else {
        for (int32_t x = 0; x < pixels; ++x, from += InBytes, to += OutBytes) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            if constexpr (OutBytes == 4) to[3] = 0;
        }
    }
}

struct Conversion {
    PictureKind inputKind;
    int32_t inputBits;  // 0: any (YUY2 is counted as 16)
    int32_t outputBits;
    RowConverter row;
};

constexpr Conversion kConversions[] = {
    {PictureKind::Yuy2, 0, 24, yuy2Row<3>},     {PictureKind::Yuy2, 0, 32, yuy2Row<4>},
    {PictureKind::Rgb, 24, 24, rgbRow<3, 3>},   {PictureKind::Rgb, 32, 32, rgbRow<4, 4>},
    {PictureKind::Rgb, 24, 32, rgbRow<3, 4>},   {PictureKind::Rgb, 32, 24, rgbRow<4, 3>},
};

const Conversion* conversionFor(const PictureFormat& in, const PictureFormat& out) {
    if (out.kind != PictureKind::Rgb) return nullptr;
    for (const Conversion& c : kConversions)
        if (c.inputKind == in.kind && (c.inputBits == 0 || c.inputBits == in.bitsPerPixel) &&
            c.outputBits == out.bitsPerPixel)
            return &c;
    return nullptr;
}

// Same depth, same size, both whole pictures: the buffers have the same
// layout and the input is copied as it is, padding included.
bool sameLayout(const PictureFormat& in, const PictureFormat& out) {
    return in.kind == PictureKind::Rgb && in.bitsPerPixel == out.bitsPerPixel && in.width == out.width &&
           in.height == out.height && isEmptyRect(in.target) && isEmptyRect(out.target);
}

}  // namespace

bool isConvertible(const PictureFormat& inputFormat, const PictureFormat& outputFormat) {
    return conversionFor(inputFormat, outputFormat) != nullptr;
}

bool convertsInPlace(const PictureFormat& inputFormat, const PictureFormat& outputFormat) {
    if (inputFormat.kind != PictureKind::Rgb || inputFormat.bitsPerPixel != outputFormat.bitsPerPixel ||
        !isConvertible(inputFormat, outputFormat))
        return false;
    const PictureWalk from = pictureWalkOf(inputFormat);
    const PictureWalk to = pictureWalkOf(outputFormat);
    const int64_t outputRows = outputFormat.height < 0 ? -int64_t(outputFormat.height) : int64_t(outputFormat.height);
    return to.rows > 0 && from.first == to.first && from.step == to.step && from.rows == to.rows &&
           from.pixels == to.pixels && to.rows == outputRows && to.pixels == outputFormat.width &&
           int64_t(to.pixels) * to.bytesPerPixel == rowLengthOf(outputFormat);
}

int convertPicture(const uint8_t* input, std::size_t inputSize, const PictureFormat& inputFormat, uint8_t* frame,
                   std::size_t frameSize, const PictureFormat& outputFormat) {
    const Conversion* conversion = conversionFor(inputFormat, outputFormat);
    if (conversion == nullptr) return -1;
    if (frame == nullptr || frameSize == 0) return 0;
    if (input == nullptr) inputSize = 0;

    if (sameLayout(inputFormat, outputFormat)) {
        const std::size_t copied = std::min(inputSize, frameSize);
        if (copied > 0 && frame != input) std::memcpy(frame, input, copied);
        std::memset(frame + copied, 0, frameSize - copied);
        return 0;
    }

    const PictureWalk from = pictureWalkOf(inputFormat);
    const PictureWalk to = pictureWalkOf(outputFormat);
    int32_t pixels = std::min(from.pixels, to.pixels);
    if (inputFormat.kind == PictureKind::Yuy2) pixels &= ~1;  // W / 2 pairs
    const int32_t rows = std::min(from.rows, to.rows);
    const int64_t inBytes = int64_t(pixels) * from.bytesPerPixel;
    const int64_t outBytes = int64_t(pixels) * to.bytesPerPixel;

    // Offsets grow or shrink evenly with the row, so the first and last rows
    // tell whether every row fits.
    const auto allRowsFit = [&] {
        return rows > 0 && from.row(input, inputSize, 0, inBytes) && from.row(input, inputSize, rows - 1, inBytes) &&
               to.row(frame, frameSize, 0, outBytes) && to.row(frame, frameSize, rows - 1, outBytes);
    };
    // Rows the input does not reach are cleared whole; when every row is
    // reached from its first column (no target, or a target as high as the
    // picture starting at its left edge), only what follows the converted
    // pixels in each row (an odd last column, a narrower input, padding), so
    // a wider output costs a few bytes a row and the frame is never cleared
    // before it is written: composing in the input's own buffer relies on it.
    const int64_t outputRows = outputFormat.height < 0 ? -int64_t(outputFormat.height) : int64_t(outputFormat.height);
    const bool fromFirstColumn = isEmptyRect(outputFormat.target) || outputFormat.target.left <= 0;
    const bool reachesEveryRow = fromFirstColumn && rows == outputRows && allRowsFit();
    if (!reachesEveryRow) std::memset(frame, 0, frameSize);
    const int64_t tailBytes = reachesEveryRow ? rowLengthOf(outputFormat) - outBytes : 0;

    // Rows are independent, so they are visited in the order the output lies
    // in memory: a bottom-up picture walked from its top row would be
    // written backwards, which the processor's prefetching does not follow
    // (a 1080p copy takes twice as long).
    const bool upwards = to.step < 0;
    for (int32_t k = 0; k < rows; ++k) {
        const int32_t r = upwards ? rows - 1 - k : k;
        const uint8_t* source = from.row(input, inputSize, r, inBytes);
        uint8_t* target = to.row(frame, frameSize, r, outBytes);
        if (source == nullptr || target == nullptr || source == target) continue;
        conversion->row(source, target, pixels);
        if (tailBytes > 0 && to.row(frame, frameSize, r, outBytes + tailBytes) != nullptr)
            std::memset(target + outBytes, 0, std::size_t(tailBytes));
    }
    return 0;
}

}  // namespace qucap
