#pragma once
// Pictures for the compositing tests: YUY2 and RGB buffers of exact size
// (so a read or write past the end shows under the sanitizers) and pixel
// access by picture position, worked out here from the format independently
// of the code under test.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "captiondata/colour/colour_info.h"
#include "filter/core/compose/compositor.h"
#include "tests/support/fake_rasteriser.h"

namespace qucap::test {

using Bgr = std::array<int, 3>;  // blue, green, red

inline int64_t rowBytes(int32_t width, int32_t bits) { return (int64_t(bits) / 8 * width + 3) & ~int64_t(3); }
inline int32_t rowsOf(const PictureFormat& f) { return std::abs(f.height); }
inline std::size_t pictureSize(const PictureFormat& f) {
    return std::size_t(rowBytes(f.width, f.kind == PictureKind::Yuy2 ? 16 : f.bitsPerPixel)) * rowsOf(f);
}

inline PictureFormat yuy2Format(int32_t width, int32_t height) { return {PictureKind::Yuy2, width, height, 16, {}}; }
inline PictureFormat rgbFormat(int32_t width, int32_t height, int32_t bits) {
    return {PictureKind::Rgb, width, height, bits, {}};
}

// Byte offset of picture pixel (x, y), both 0-based from the top-left.
inline std::size_t offsetOf(const PictureFormat& f, int32_t x, int32_t y) {
    const int32_t bits = f.kind == PictureKind::Yuy2 ? 16 : f.bitsPerPixel;
    const bool bottomUp = f.kind == PictureKind::Rgb && f.height > 0;
    const int32_t row = bottomUp ? rowsOf(f) - 1 - y : y;
    return std::size_t(row) * rowBytes(f.width, bits) + std::size_t(x) * (bits / 8);
}

inline Bgr pixelOf(const std::vector<uint8_t>& picture, const PictureFormat& f, int32_t x, int32_t y) {
    const uint8_t* p = &picture[offsetOf(f, x, y)];
    return {p[0], p[1], p[2]};
}

inline void setPixel(std::vector<uint8_t>& picture, const PictureFormat& f, int32_t x, int32_t y, Bgr bgr,
                     uint8_t fourth = 0) {
    uint8_t* p = &picture[offsetOf(f, x, y)];
    for (int c = 0; c < 3; ++c) p[c] = uint8_t(bgr[c]);
    if (f.bitsPerPixel == 32) p[3] = fourth;
}

// The pair of pixels 2 * pair and 2 * pair + 1 of YUY2 row y.
inline void setPair(std::vector<uint8_t>& picture, const PictureFormat& f, int32_t pair, int32_t y,
                    std::array<uint8_t, 4> y0uy1v) {
    uint8_t* p = &picture[offsetOf(f, pair * 2, y)];
    for (int i = 0; i < 4; ++i) p[i] = y0uy1v[std::size_t(i)];
}

inline std::vector<uint8_t> yuy2Filled(const PictureFormat& f, std::array<uint8_t, 4> y0uy1v) {
    std::vector<uint8_t> picture(pictureSize(f), 0);
    for (int32_t y = 0; y < rowsOf(f); ++y)
        for (int32_t pair = 0; pair < f.width / 2; ++pair) setPair(picture, f, pair, y, y0uy1v);
    return picture;
}

// An RGB picture whose every pixel differs: blue x, green y, red x + y (mod 256).
inline Bgr patternAt(int32_t x, int32_t y) { return {x & 0xFF, y & 0xFF, (x + y) & 0xFF}; }
inline std::vector<uint8_t> rgbPattern(const PictureFormat& f, uint8_t fourth = 0x77) {
    std::vector<uint8_t> picture(pictureSize(f), 0x55);  // padding stays 0x55
    for (int32_t y = 0; y < rowsOf(f); ++y)
        for (int32_t x = 0; x < f.width; ++x) setPixel(picture, f, x, y, patternAt(x, y), fourth);
    return picture;
}

// One compositor over the fakes, with plain (not Meiryo) faces, composing
// frames of an input picture into an output buffer of exact size.
struct Composer {
    FakeRasteriser rasteriser;
    FakeSurfaceFactory surfaces;
    FrameCompositor compositor{rasteriser, surfaces};
    FilterSettings settings;
    CaptionTable captions;
    BoxTable boxes;
    ColourTable colours = defaultColourTable();

    PictureFormat inputFormat = yuy2Format(320, 240);
    PictureFormat outputFormat = rgbFormat(320, 240, 32);
    std::vector<uint8_t> input;
    std::vector<uint8_t> output;
    int result = 0;

    Composer() {
        settings.mainFace = u"ＭＳ ゴシック";
        settings.rubyFace = u"ＭＳ 明朝";
        settings.mainSize = 24;
        settings.rubySize = 12;
    }
    void initialise() { compositor.initialise(settings, captions, boxes, colours); }

    // Composes one sample with these times (100-ns units), or none.
    const std::vector<uint8_t>& composeSample(std::optional<SampleTimes> times, int32_t seekOffset = 0,
                                              std::size_t outputSize = SIZE_MAX) {
        if (input.size() != pictureSize(inputFormat)) input = yuy2OrRgbGrey();
        output.assign(outputSize == SIZE_MAX ? pictureSize(outputFormat) : outputSize, 0xEE);
        ComposeRequest request;
        request.input = input.data();
        request.inputSize = input.size();
        request.inputFormat = inputFormat;
        request.output = output.data();
        request.outputSize = output.size();
        request.outputFormat = outputFormat;
        request.times = times;
        request.seekOffset = seekOffset;
        result = compositor.composeFrame(request);
        return output;
    }
    // A sample starting at `startMs` milliseconds of stream time, one frame of 29.97 fps long.
    const std::vector<uint8_t>& compose(std::optional<int64_t> startMs, int32_t seekOffset = 0,
                                        std::size_t outputSize = SIZE_MAX) {
        std::optional<SampleTimes> times;
        if (startMs) times = SampleTimes{*startMs * 10'000, *startMs * 10'000 + 333'667};
        return composeSample(times, seekOffset, outputSize);
    }

    // A mid-grey picture: Y 126 (grey 128) in YUY2, or (128, 128, 128) in RGB.
    std::vector<uint8_t> yuy2OrRgbGrey() const {
        if (inputFormat.kind == PictureKind::Yuy2) return yuy2Filled(inputFormat, {126, 128, 126, 128});
        std::vector<uint8_t> picture(pictureSize(inputFormat), 0);
        for (int32_t y = 0; y < rowsOf(inputFormat); ++y)
            for (int32_t x = 0; x < inputFormat.width; ++x) setPixel(picture, inputFormat, x, y, {128, 128, 128});
        return picture;
    }

    // The canvas of the surface of the output geometry, with what it was asked to draw.
    FakeCanvas& canvas() {
        FrameSurface* surface = surfaces.surface({outputFormat.width, outputFormat.height, outputFormat.bitsPerPixel});
        return dynamic_cast<FakeCanvas&>(surface->canvas());
    }
    Bgr at(int32_t x, int32_t y) const { return pixelOf(output, outputFormat, x, y); }
};

inline CaptionRow captionRow(int32_t start, int32_t duration, std::u16string_view orientation,
                             std::array<std::u16string, 4> texts, std::array<int32_t, 4> positions) {
    CaptionRow row;
    row.number = 1;
    row.start = start;
    row.duration = duration;
    row.orientation = std::u16string(orientation);
    row.texts = std::move(texts);
    row.positions = positions;
    return row;
}

}  // namespace qucap::test
