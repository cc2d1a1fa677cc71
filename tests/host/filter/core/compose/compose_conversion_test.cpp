// The input picture into the frame bitmap: the YUY2 tables, the four
// conversions, the order rows are walked in, target rectangles, odd and
// extreme sizes and buffers shorter than their pictures.
#include <cmath>

#include "filter/core/compose/conversion.h"
#include "filter/core/compose/yuy2_tables.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

using test::Bgr;
using test::patternAt;
using test::pixelOf;
using test::rgbFormat;
using test::yuy2Format;

struct Converted {
    std::vector<uint8_t> frame;
    int result = 0;
};

// Converts into a frame that starts out all 0xEE, so untouched bytes show.
Converted convert(const std::vector<uint8_t>& input, const PictureFormat& in, const PictureFormat& out) {
    Converted c;
    c.frame.assign(test::pictureSize(out), 0xEE);
    c.result = convertPicture(input.data(), input.size(), in, c.frame.data(), c.frame.size(), out);
    return c;
}

TEST(Yuy2Tables, EveryEntryIsTheFactorTimesTheDistanceRoundedHalfUp) {
    struct Expected {
        const ConversionTable& table;
        int offset;
        double factor;
        int first, last;
    };
    const Yuy2Tables& t = kYuy2Tables;
    const Expected tables[] = {
        {t.luma, 16, 1.164, -19, 278},      {t.vToRed, 128, 1.567, -201, 199}, {t.vToGreen, 128, 0.798, -102, 101},
        {t.uToGreen, 128, 0.384, -49, 49},  {t.uToBlue, 128, 1.9801, -253, 251},
    };
    for (const Expected& e : tables) {
        EXPECT_EQ(e.table[0], e.first);
        EXPECT_EQ(e.table[255], e.last);
        for (int i = 0; i < 256; ++i)
            EXPECT_EQ(e.table[std::size_t(i)], int(std::floor(e.factor * (i - e.offset) + 0.5))) << i;
    }
    // 1.164 x 125 is exactly 145.5: the half goes up.
    EXPECT_EQ(t.luma[141], 146);
    // The entries of the worked example.
    EXPECT_EQ(t.luma[81], 76);
    EXPECT_EQ(t.vToRed[240], 176);
    EXPECT_EQ(t.uToGreen[90], -15);
    EXPECT_EQ(t.vToGreen[240], 89);
    EXPECT_EQ(t.uToBlue[90], -75);
}

TEST(Yuy2Conversion, GivesBlackWhiteAndTheWorkedExampleAtBothDepths) {
    const PictureFormat in = yuy2Format(4, 1);
    std::vector<uint8_t> input(test::pictureSize(in));
    test::setPair(input, in, 0, 0, {16, 128, 235, 128});
    test::setPair(input, in, 1, 0, {81, 90, 81, 240});
    for (int bits : {24, 32}) {
        const PictureFormat out = rgbFormat(4, 1, bits);
        const Converted c = convert(input, in, out);
        ASSERT_EQ(c.result, 0);
        EXPECT_EQ(pixelOf(c.frame, out, 0, 0), (Bgr{0, 0, 0}));
        EXPECT_EQ(pixelOf(c.frame, out, 1, 0), (Bgr{255, 255, 255}));
        EXPECT_EQ(pixelOf(c.frame, out, 2, 0), (Bgr{1, 2, 252}));
        EXPECT_EQ(pixelOf(c.frame, out, 3, 0), (Bgr{1, 2, 252}));
        if (bits == 32) {
            for (int x = 0; x < 4; ++x) EXPECT_EQ(c.frame[test::offsetOf(out, x, 0) + 3], 0) << x;
        }
    }
}

TEST(Yuy2Conversion, ChannelsAreLimitedToTheByteRange) {
    const PictureFormat in = yuy2Format(2, 1);
    std::vector<uint8_t> input(test::pictureSize(in));
    // Y 255 with U and V 255: red 278 + 199 and blue 278 + 251 above 255,
    // green 278 - 49 - 101 = 128. Y 0 with U and V 0: red and blue below 0,
    // green -19 + 49 + 102 = 132.
    test::setPair(input, in, 0, 0, {255, 255, 0, 0});
    input[3] = 255;  // V of the pair; the second pixel shares it
    const PictureFormat out = rgbFormat(2, 1, 32);
    const Converted c = convert(input, in, out);
    EXPECT_EQ(pixelOf(c.frame, out, 0, 0), (Bgr{255, 128, 255}));
    // Y 0, U 255, V 255: red -19 + 199 = 180, green -19 - 49 - 101 < 0, blue -19 + 251 = 232.
    EXPECT_EQ(pixelOf(c.frame, out, 1, 0), (Bgr{232, 0, 180}));
}

// Distinct luma per row and pair, so a misplaced row or pair shows.
std::vector<uint8_t> yuy2Rows(const PictureFormat& in) {
    std::vector<uint8_t> input(test::pictureSize(in));
    for (int32_t y = 0; y < test::rowsOf(in); ++y)
        for (int32_t pair = 0; pair < in.width / 2; ++pair)
            test::setPair(input, in, pair, y, {uint8_t(16 + 10 * y + pair), 128, uint8_t(16 + 10 * y + pair), 128});
    return input;
}
int grey(int y, int pair) { return kYuy2Tables.luma[std::size_t(16 + 10 * y + pair)]; }

TEST(Yuy2Conversion, TheTopRowGoesToTheTopOfABottomUpOrTopDownFrame) {
    for (int32_t inHeight : {3, -3}) {  // a YUY2 picture is stored from the top either way
        const PictureFormat in = yuy2Format(4, inHeight);
        const std::vector<uint8_t> input = yuy2Rows(in);
        for (int32_t outHeight : {3, -3}) {
            const PictureFormat out = rgbFormat(4, outHeight, 24);
            const Converted c = convert(input, in, out);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 4; ++x) {
                    const int g = grey(y, x / 2);
                    EXPECT_EQ(pixelOf(c.frame, out, x, y), (Bgr{g, g, g})) << inHeight << " " << outHeight << " " << x << "," << y;
                }
        }
    }
}

TEST(RgbConversion, SameDepthCopiesTheBufferAsItIs) {
    for (int bits : {24, 32})
        for (int32_t height : {5, -5}) {
            const PictureFormat f = rgbFormat(7, height, bits);
            const std::vector<uint8_t> input = test::rgbPattern(f);
            const Converted c = convert(input, f, f);
            EXPECT_EQ(c.result, 0);
            EXPECT_EQ(c.frame, input) << bits << " " << height;  // padding and fourth bytes too
        }
}

TEST(RgbConversion, ChangingDepthKeepsEveryPixelAndWritesTheFourthByteAsZero) {
    for (const auto& [from, to] : {std::pair{24, 32}, std::pair{32, 24}})
        for (int32_t height : {3, -3}) {
            const PictureFormat in = rgbFormat(5, height, from);
            const PictureFormat out = rgbFormat(5, height, to);
            const Converted c = convert(test::rgbPattern(in), in, out);
            ASSERT_EQ(c.result, 0);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    EXPECT_EQ(pixelOf(c.frame, out, x, y), patternAt(x, y)) << from << " " << height << " " << x << "," << y;
                    if (to == 32) {
                        EXPECT_EQ(c.frame[test::offsetOf(out, x, y) + 3], 0);
                    }
                }
        }
}

TEST(RgbConversion, AWiderOutputGetsEveryRowInPlaceAndBlackBeyondTheInput) {
    // An output row longer than the input's (a renderer's wider stride):
    // the rows are walked, not copied as one block, so nothing is sheared.
    const PictureFormat in = rgbFormat(6, 4, 24);
    const PictureFormat out = rgbFormat(9, 4, 24);
    const Converted c = convert(test::rgbPattern(in), in, out);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) EXPECT_EQ(pixelOf(c.frame, out, x, y), patternAt(x, y)) << x << "," << y;
        for (int x = 6; x < 9; ++x) EXPECT_EQ(pixelOf(c.frame, out, x, y), (Bgr{0, 0, 0})) << x << "," << y;
    }
}

TEST(PictureWalk, AnInputTargetRectangleIsWhatIsConverted) {
    PictureFormat in = rgbFormat(8, 6, 32);
    in.target = {2, 1, 6, 4};  // 4 x 3 from column 2, row 1 (from the top)
    for (int32_t height : {6, -6}) {
        in.height = height;
        const std::vector<uint8_t> picture = test::rgbPattern(in);
        const PictureFormat out = rgbFormat(4, 3, 24);
        const Converted c = convert(picture, in, out);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelOf(c.frame, out, x, y), patternAt(x + 2, y + 1)) << height;
    }
}

TEST(PictureWalk, AnOutputTargetRectangleReceivesThePictureAndTheRestIsBlack) {
    const PictureFormat in = yuy2Format(2, 2);
    const std::vector<uint8_t> input = yuy2Rows(in);
    PictureFormat out = rgbFormat(5, 4, 32);
    out.target = {3, 1, 5, 3};
    const Converted c = convert(input, in, out);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 3 && y >= 1 && y < 3;
            const int g = inside ? grey(y - 1, 0) : 0;
            EXPECT_EQ(pixelOf(c.frame, out, x, y), (Bgr{g, g, g})) << x << "," << y;
        }
}

TEST(PictureWalk, ATargetReachingOutsideThePictureIsCutToIt) {
    PictureFormat in = rgbFormat(4, 4, 24);
    in.target = {-3, 2, 100, 100};  // the whole width, rows 2 and 3
    const PictureFormat out = rgbFormat(4, 2, 24);
    const Converted c = convert(test::rgbPattern(in), in, out);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(pixelOf(c.frame, out, x, y), patternAt(x, y + 2));
}

TEST(Yuy2Conversion, AnOddWidthConvertsItsPairsAndLeavesTheLastColumnBlack) {
    const PictureFormat in = yuy2Format(5, 2);  // rows of 12 bytes: 2 pairs and padding
    const std::vector<uint8_t> input = yuy2Rows(in);
    for (int bits : {24, 32}) {
        const PictureFormat out = rgbFormat(5, 2, bits);
        const Converted c = convert(input, in, out);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                const int g = grey(y, x / 2);
                EXPECT_EQ(pixelOf(c.frame, out, x, y), (Bgr{g, g, g}));
            }
            EXPECT_EQ(pixelOf(c.frame, out, 4, y), (Bgr{0, 0, 0})) << bits;
        }
    }
}

TEST(Conversion, SmallestAndLargestFrames) {
    {
        const PictureFormat in = yuy2Format(2, 2);
        std::vector<uint8_t> input(test::pictureSize(in));
        test::setPair(input, in, 0, 0, {16, 128, 235, 128});
        test::setPair(input, in, 0, 1, {235, 128, 16, 128});
        const PictureFormat out = rgbFormat(2, 2, 24);
        const Converted c = convert(input, in, out);
        EXPECT_EQ(pixelOf(c.frame, out, 0, 0), (Bgr{0, 0, 0}));
        EXPECT_EQ(pixelOf(c.frame, out, 1, 0), (Bgr{255, 255, 255}));
        EXPECT_EQ(pixelOf(c.frame, out, 0, 1), (Bgr{255, 255, 255}));
        EXPECT_EQ(pixelOf(c.frame, out, 1, 1), (Bgr{0, 0, 0}));
    }
    {
        const PictureFormat in = yuy2Format(4096, 2160);
        std::vector<uint8_t> input = test::yuy2Filled(in, {81, 90, 81, 240});
        test::setPair(input, in, 2047, 2159, {16, 128, 235, 128});  // the bottom-right pair
        const PictureFormat out = rgbFormat(4096, 2160, 32);
        const Converted c = convert(input, in, out);
        EXPECT_EQ(pixelOf(c.frame, out, 0, 0), (Bgr{1, 2, 252}));
        EXPECT_EQ(pixelOf(c.frame, out, 4093, 2159), (Bgr{1, 2, 252}));
        EXPECT_EQ(pixelOf(c.frame, out, 4094, 2159), (Bgr{0, 0, 0}));
        EXPECT_EQ(pixelOf(c.frame, out, 4095, 2159), (Bgr{255, 255, 255}));
        // The bottom-right pixel of a bottom-up frame is near the start of its memory.
        EXPECT_EQ(c.frame[4095 * 4 + 2], 255);
    }
}

TEST(Conversion, AShortInputConvertsTheRowsItHoldsAndBlacksTheRest) {
    const PictureFormat in = rgbFormat(4, 4, 24);  // rows of 12 bytes
    std::vector<uint8_t> input = test::rgbPattern(in);
    input.resize(12 * 3 - 1);  // three rows in memory, less one byte
    const PictureFormat out = rgbFormat(4, 4, 32);
    const Converted c = convert(input, in, out);
    // Bottom-up: memory rows 0 and 1 are the picture's rows 3 and 2.
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixelOf(c.frame, out, x, 3), patternAt(x, 3));
        EXPECT_EQ(pixelOf(c.frame, out, x, 2), patternAt(x, 2));
        EXPECT_EQ(pixelOf(c.frame, out, x, 1), (Bgr{0, 0, 0}));
        EXPECT_EQ(pixelOf(c.frame, out, x, 0), (Bgr{0, 0, 0}));
    }
    // A same-layout copy takes what there is and blacks the rest.
    const PictureFormat same = rgbFormat(4, 4, 24);
    const Converted copied = convert(input, same, same);
    EXPECT_TRUE(std::equal(input.begin(), input.end(), copied.frame.begin()));
    EXPECT_EQ(copied.frame.back(), 0);
}

TEST(Conversion, NoInputOrAnEmptyPictureWritesNothingOutsideTheFrame) {
    const PictureFormat out = rgbFormat(4, 2, 32);
    std::vector<uint8_t> frame(test::pictureSize(out), 0xEE);
    EXPECT_EQ(convertPicture(nullptr, 0, yuy2Format(4, 2), frame.data(), frame.size(), out), 0);
    EXPECT_EQ(frame, std::vector<uint8_t>(frame.size(), 0));
    // A zero height on either side converts no row.
    EXPECT_EQ(convertPicture(nullptr, 0, yuy2Format(4, 0), nullptr, 0, rgbFormat(4, 0, 32)), 0);
    const std::vector<uint8_t> input(16, 200);
    EXPECT_EQ(convertPicture(input.data(), input.size(), yuy2Format(4, 0), frame.data(), frame.size(), out), 0);
    EXPECT_EQ(frame, std::vector<uint8_t>(frame.size(), 0));
}

// In place is only claimed where converting into another buffer gives the
// input's bytes unchanged; converting onto itself then leaves every byte.
TEST(Conversion, InPlaceOnlyWhereEveryByteStaysWhereItIs) {
    const auto targeted = [](PictureFormat f, PixelRect target) {
        f.target = target;
        return f;
    };
    struct Case {
        PictureFormat in, out;
        bool inPlace;
    };
    const Case cases[] = {
        {rgbFormat(6, 4, 32), rgbFormat(6, 4, 32), true},
        {rgbFormat(6, -4, 32), rgbFormat(6, -4, 32), true},
        {rgbFormat(8, 3, 24), rgbFormat(8, 3, 24), true},                          // rows of whole words
        {targeted(rgbFormat(6, 4, 32), {0, 0, 6, 4}), rgbFormat(6, 4, 32), true},  // the target is all of it
        {rgbFormat(6, 4, 32), targeted(rgbFormat(6, 4, 32), {0, 0, 6, 4}), true},
        {rgbFormat(5, 3, 24), rgbFormat(5, 3, 24), false},   // padding in each row
        {rgbFormat(6, 4, 32), rgbFormat(6, -4, 32), false},  // rows turned over
        {rgbFormat(6, 4, 24), rgbFormat(6, 4, 32), false},
        {rgbFormat(6, 4, 32), rgbFormat(8, 4, 32), false},  // a wider output
        {targeted(rgbFormat(6, 4, 32), {1, 0, 6, 4}), rgbFormat(6, 4, 32), false},
        {rgbFormat(6, 4, 32), targeted(rgbFormat(6, 4, 32), {0, 1, 6, 4}), false},
        {yuy2Format(6, 4), rgbFormat(6, 4, 32), false},
        {rgbFormat(0, 4, 32), rgbFormat(0, 4, 32), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertsInPlace(c.in, c.out), c.inPlace) << c.in.width << "x" << c.in.height << " " << c.out.width;
        if (!c.inPlace) continue;
        const std::vector<uint8_t> input = test::rgbPattern(c.in);
        EXPECT_EQ(convert(input, c.in, c.out).frame, input);
        std::vector<uint8_t> shared = input;
        EXPECT_EQ(convertPicture(shared.data(), shared.size(), c.in, shared.data(), shared.size(), c.out), 0);
        EXPECT_EQ(shared, input);
    }
}

TEST(Conversion, KindsOutsideTheFourConversionsAreRefusedUntouched) {
    const std::vector<uint8_t> input(64, 1);
    std::vector<uint8_t> frame(64, 0xEE);
    const PictureFormat refused[][2] = {
        {rgbFormat(4, 2, 16), rgbFormat(4, 2, 32)},
        {yuy2Format(4, 2), yuy2Format(4, 2)},
        {yuy2Format(4, 2), rgbFormat(4, 2, 16)},
        {rgbFormat(4, 2, 8), rgbFormat(4, 2, 24)},
    };
    for (const auto& pair : refused) {
        EXPECT_FALSE(isConvertible(pair[0], pair[1]));
        EXPECT_EQ(convertPicture(input.data(), input.size(), pair[0], frame.data(), frame.size(), pair[1]), -1);
    }
    EXPECT_EQ(frame, std::vector<uint8_t>(64, 0xEE));
}

}  // namespace
}  // namespace qucap
