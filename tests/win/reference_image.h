#pragma once
// Reference images for rendering tests: 24-bit BMP files read and written by
// our own small codec, compared with a tolerance, and refreshed only when
// QUCAP_UPDATE_REFERENCES=1 is set for the run.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "filter/core/frame.h"

namespace qucap::test {

// A picture as blue, green, red bytes per pixel, rows from the top, no padding.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int32_t w, int32_t h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h) * 3, 0) {}
    // The blue byte of the pixel at column x, row y (both from 0).
    uint8_t* at(int32_t x, int32_t y) { return pixels.data() + (std::size_t(y) * width + x) * 3; }
    const uint8_t* at(int32_t x, int32_t y) const { return pixels.data() + (std::size_t(y) * width + x) * 3; }
    bool operator==(const RgbImage&) const = default;
};

// The whole frame in picture order, whatever its row order; a 32-bit
// frame's fourth byte is dropped.
RgbImage imageOf(const FrameBuffer& frame);

// A 24-bit uncompressed bottom-up BMP file, rows padded to 4 bytes.
std::string encodeBmp(const RgbImage& image);
// A 24-bit uncompressed BMP in either row order; nothing for any other kind,
// a truncated file or one larger than kMaxBmpSide on a side.
std::optional<RgbImage> decodeBmp(std::string_view bytes);
constexpr int32_t kMaxBmpSide = 16384;

bool writeBmpFile(const std::filesystem::path& path, const RgbImage& image);
std::optional<RgbImage> readBmpFile(const std::filesystem::path& path);

// A pixel differs when one of its channels differs by more than
// `channelThreshold`; the images match when no more than
// `maxDifferingShare` of the pixels differ (0: none may).
struct ImageTolerance {
    int channelThreshold = 0;
    double maxDifferingShare = 0.0;
};

struct ImageComparison {
    bool sameSize = false;
    int64_t differingPixels = 0;
    int64_t pixelCount = 0;
    int largestDifference = 0;  // over all channels of all pixels
    bool matches = false;
};

ImageComparison compareImages(const RgbImage& expected, const RgbImage& actual, const ImageTolerance& tolerance);

// The repository's reference folder, tests/data/reference.
std::filesystem::path referenceFolder();

// Compares `actual` with the reference file `folder`/`name`. With
// QUCAP_UPDATE_REFERENCES=1 it writes `actual` as the reference instead.
// On a mismatch the actual image is written to the working folder as
// `name` with ".actual.bmp" appended, so it can be looked at.
::testing::AssertionResult matchesReference(const std::filesystem::path& folder, const std::string& name,
                                            const RgbImage& actual, const ImageTolerance& tolerance);
inline ::testing::AssertionResult matchesReference(const std::string& name, const RgbImage& actual,
                                                   const ImageTolerance& tolerance) {
    return matchesReference(referenceFolder(), name, actual, tolerance);
}

}  // namespace qucap::test
