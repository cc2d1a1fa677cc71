// Thumbnails of every pixel layout, and the cuts of a synthetic movie that
// has moving patterns, a fade and hard cuts.
#include "app/timing/shot_detector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <functional>

namespace qucap {
namespace {

constexpr int kWidth = 256, kHeight = 144;

std::vector<uint8_t> yuy2Picture(const std::function<int(int x, int y)>& brightness) {
    std::vector<uint8_t> bytes(std::size_t(kWidth * kHeight * 2), 128);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) bytes[std::size_t((y * kWidth + x) * 2)] = uint8_t(brightness(x, y));
    return bytes;
}

Thumbnail thumbnailOf(const std::vector<uint8_t>& yuy2) {
    return greyThumbnail({yuy2.data(), kWidth, kHeight, kWidth * 2, PixelLayout::Yuy2});
}

TEST(ShotDetector, ThumbnailsOfEachLayout) {
    const std::vector<uint8_t> halves = yuy2Picture([](int x, int) { return x < kWidth / 2 ? 0 : 255; });
    const Thumbnail t = thumbnailOf(halves);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[15], 0);
    EXPECT_EQ(t[16], 255);
    EXPECT_EQ(t[std::size_t(kThumbnailWidth * kThumbnailHeight - 1)], 255);

    const std::vector<uint8_t> rgb24 = [] {
        std::vector<uint8_t> v;
        for (int i = 0; i < kWidth * kHeight; ++i) v.insert(v.end(), {10, 100, 250});
        return v;
    }();
    const Thumbnail grey = greyThumbnail({rgb24.data(), kWidth, kHeight, kWidth * 3, PixelLayout::Rgb24});
    EXPECT_EQ(grey[100], (10 + 200 + 250) / 4);
    std::vector<uint8_t> rgb32(std::size_t(kWidth * kHeight * 4), 60);
    // Bottom-up pictures (a negative stride) give the same differences.
    const Thumbnail flipped = greyThumbnail(
        {rgb32.data() + (kHeight - 1) * kWidth * 4, kWidth, kHeight, -kWidth * 4, PixelLayout::Rgb32});
    EXPECT_EQ(flipped[5], 60);
    EXPECT_EQ(thumbnailDifference(grey, flipped), (115 - 60) * kThumbnailWidth * kThumbnailHeight);
    // The brightness plane of a planar picture: the halves again, a byte a pixel.
    std::vector<uint8_t> luma(std::size_t(kWidth * kHeight));
    for (std::size_t i = 0; i < luma.size(); ++i) luma[i] = halves[2 * i];
    EXPECT_EQ(greyThumbnail({luma.data(), kWidth, kHeight, kWidth, PixelLayout::Luma8}), t);
    EXPECT_EQ(greyThumbnail({}), Thumbnail{});
}

TEST(ShotDetector, HardCutsOnlyNotMovementOrAFade) {
    auto stripes = [](int shift) {  // a pattern moving a pixel a frame
        return yuy2Picture([shift](int x, int y) {
            return int(128 + 100 * std::sin((x + y / 2 + shift) * 2 * std::numbers::pi / 64));
        });
    };
    auto flat = [](int value) { return yuy2Picture([value](int, int) { return value; }); };
    auto checks = yuy2Picture([](int x, int y) { return (x / 32 + y / 24) % 2 ? 230 : 20; });
    std::vector<std::vector<uint8_t>> movie;
    for (int f = 0; f < 30; ++f) movie.push_back(stripes(f));
    for (int f = 0; f < 30; ++f) movie.push_back(flat(200));                 // cut at 30
    for (int f = 0; f < 30; ++f) movie.push_back(flat(200 - f * 6));         // a fade to dark
    for (int f = 0; f < 30; ++f) movie.push_back(checks);                    // cut at 90
    for (int f = 0; f < 30; ++f) movie.push_back(stripes(f * 2));           // cut at 120, faster movement
    for (int f = 0; f < 10; ++f) movie.push_back(flat(f % 2 ? 90 : 96));     // cut at 150, flicker
    ShotDetector detector;
    for (const auto& frame : movie) detector.add(thumbnailOf(frame));
    EXPECT_EQ(detector.frames(), 160);
    EXPECT_EQ(detector.cuts(), (std::vector<int64_t>{30, 90, 120, 150}));
}

TEST(ShotDetector, CutListsKeptAndRefused) {
    const CutList list{900, 333667, {30, 90, 899}};
    EXPECT_EQ(cutListBytes(list), "900 333667\n30\n90\n899\n");
    EXPECT_EQ(cutListFromBytes(cutListBytes(list)), list);
    EXPECT_EQ(cutListFromBytes("0 400000\n"), (CutList{0, 400000, {}}));
    for (const std::string_view broken : {"", "900 1", "900\n", "900 1\n30\n30\n", "900 1\n900\n", "900 1\n-1\n",
                                          "9a 1\n", "900 1\n5"})
        EXPECT_FALSE(cutListFromBytes(broken)) << broken;
}

}  // namespace
}  // namespace qucap
