// The vector YUY2 conversion against the tables: every (Y, U, V) through
// each instruction set the processor has, then whole frames of many widths,
// both row orders and target rectangles through the conversion entry point.
#include <algorithm>
#include <random>

#include "filter/core/compose/conversion.h"
#include "filter/core/compose/yuy2_tables.h"
#include "filter/core/compose/yuy2_vector.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Bgr;
using test::pixelOf;
using test::rgbFormat;
using test::yuy2Format;

// The tables' pixel, written out here from the tables alone.
Bgr tablePixel(int y, int u, int v) {
    const Yuy2Tables& t = kYuy2Tables;
    const auto limit = [](int value) { return std::clamp(value, 0, 255); };
    const int luma = t.luma[std::size_t(y)];
    return {limit(luma + t.uToBlue[std::size_t(u)]), limit(luma - t.uToGreen[std::size_t(u)] - t.vToGreen[std::size_t(v)]),
            limit(luma + t.vToRed[std::size_t(v)])};
}

using RowPath = int32_t (*)(const uint8_t*, uint8_t*, int32_t, int);

std::vector<std::pair<const char*, RowPath>> pathsOfThisProcessor() {
    std::vector<std::pair<const char*, RowPath>> paths{{"SSE2", convertYuy2RowSse2}, {"dispatch", convertYuy2RowVector}};
    if (yuy2VectorUsesAvx2()) paths.emplace_back("AVX2", convertYuy2RowAvx2);
    return paths;
}

TEST(Yuy2Vector, EveryLumaAndChromaCombinationGivesTheTablesBytes) {
    // One row of 256 pixels per (U, V): Y runs 0..255 over its 128 pairs.
    std::vector<uint8_t> row(512);
    for (int y = 0; y < 256; ++y) row[std::size_t(y) * 2] = uint8_t(y);
    const auto paths = pathsOfThisProcessor();
    std::vector<uint8_t> expected[2], out(256 * 4 + 16);
    int64_t mismatches = 0;
    for (int u = 0; u < 256; ++u)
        for (int v = 0; v < 256; ++v) {
            for (int pair = 0; pair < 128; ++pair) {
                row[std::size_t(pair) * 4 + 1] = uint8_t(u);
                row[std::size_t(pair) * 4 + 3] = uint8_t(v);
            }
            for (int outBytes : {3, 4}) {
                std::vector<uint8_t>& want = expected[outBytes - 3];
                want.assign(256 * std::size_t(outBytes) + 1, 0xEE);  // the last byte is never written
                for (int y = 0; y < 256; ++y) {
                    const Bgr bgr = tablePixel(y, u, v);
                    std::copy(bgr.begin(), bgr.end(), &want[std::size_t(y) * std::size_t(outBytes)]);
                    if (outBytes == 4) want[std::size_t(y) * 4 + 3] = 0;
                }
                for (const auto& [name, path] : paths) {
                    std::fill(out.begin(), out.end(), 0xEE);
                    ASSERT_EQ(path(row.data(), out.data(), 256, outBytes), 256) << name;
                    if (!std::equal(want.begin(), want.end(), out.begin()) && mismatches++ < 5)
                        ADD_FAILURE() << name << ", " << outBytes << " bytes: U " << u << " V " << v;
                }
            }
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(Yuy2Vector, ConvertsOnlyWholeStepsOfEightOrSixteen) {
    std::vector<uint8_t> row(2 * 40, 128), out(4 * 40, 0);
    for (const auto& [name, path] : pathsOfThisProcessor()) {
        const int32_t step = std::string_view(name) == "AVX2" ? 16 : 8;
        for (int32_t pixels : {0, 2, 7, 8, 15, 16, 17, 39})
            EXPECT_EQ(path(row.data(), out.data(), pixels, 4), pixels / step * step) << name << " " << pixels;
    }
    // The dispatch leaves fewer than eight for the tables.
    EXPECT_EQ(convertYuy2RowVector(row.data(), out.data(), 39, 4), 32);
}

// Frames of random YUY2 through the whole conversion: each output pixel is
// the tables' pixel of the input pixel it comes from, at every width (vector
// steps, the tables' tail, an odd last column), row order and target.
TEST(Yuy2Vector, WholeFramesMatchTheTablesPixelByPixel) {
    struct Case {
        int32_t width, height;
        PixelRect inputTarget, outputTarget;
    };
    const Case cases[] = {
        {8, 3, {}, {}},   {9, 3, {}, {}},    {14, 2, {}, {}},   {16, 2, {}, {}},          {17, -2, {}, {}},
        {31, 2, {}, {}},  {33, -3, {}, {}},  {720, 4, {}, {}},  {721, 3, {}, {}},         {1921, -2, {}, {}},
        {64, 6, {6, 1, 50, 5}, {}},          {64, 6, {}, {3, 2, 47, 6}},                  {40, -4, {2, 0, 40, 3}, {}},
    };
    std::mt19937 random(11);
    for (const Case& c : cases)
        for (int bits : {24, 32}) {
            PictureFormat in = yuy2Format(c.width, c.height);
            in.target = c.inputTarget;
            std::vector<uint8_t> input(test::pictureSize(in));
            for (uint8_t& b : input) b = uint8_t(random());
            PictureFormat out = rgbFormat(c.width, c.height, bits);
            out.target = c.outputTarget;
            std::vector<uint8_t> frame(test::pictureSize(out), 0xEE);
            ASSERT_EQ(convertPicture(input.data(), input.size(), in, frame.data(), frame.size(), out), 0);

            // Where the first pixel of each picture lies, and how many pixels
            // and rows both have (pairs only, from an even start).
            const bool inCut = c.inputTarget.right > c.inputTarget.left, outCut = c.outputTarget.right > c.outputTarget.left;
            const int32_t inLeft = inCut ? c.inputTarget.left : 0, inTop = inCut ? c.inputTarget.top : 0;
            const int32_t outLeft = outCut ? c.outputTarget.left : 0, outTop = outCut ? c.outputTarget.top : 0;
            const int32_t rows = std::min((inCut ? c.inputTarget.bottom : test::rowsOf(in)) - inTop,
                                          (outCut ? c.outputTarget.bottom : test::rowsOf(out)) - outTop);
            const int32_t pixels = std::min((inCut ? c.inputTarget.right : c.width) - inLeft,
                                            (outCut ? c.outputTarget.right : c.width) - outLeft) & ~1;
            int64_t mismatches = 0;
            for (int32_t y = 0; y < rows; ++y)
                for (int32_t x = 0; x < pixels; ++x) {
                    const uint8_t* pair = &input[test::offsetOf(in, inLeft + (x & ~1), inTop + y)];
                    const Bgr expected = tablePixel(pair[x & 1 ? 2 : 0], pair[1], pair[3]);
                    if (pixelOf(frame, out, outLeft + x, outTop + y) != expected && mismatches++ < 5)
                        ADD_FAILURE() << c.width << "x" << c.height << " " << bits << " bits at " << x << "," << y;
                }
            EXPECT_EQ(mismatches, 0);
            if (!outCut && c.width % 2 == 1) {
                EXPECT_EQ(pixelOf(frame, out, c.width - 1, 0), (Bgr{0, 0, 0})) << c.width;
            }
        }
}

}  // namespace
}  // namespace qucap
