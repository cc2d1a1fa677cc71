#include "tests/win/reference_image.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/win/temp_folder.h"

namespace qucap::test {
namespace {

// Every pixel different: blue x * 40 + y, green y * 50, red 200 - x.
RgbImage sample(int32_t width, int32_t height) {
    RgbImage image(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(x, y);
            p[0] = uint8_t(x * 40 + y);
            p[1] = uint8_t(y * 50);
            p[2] = uint8_t(200 - x);
        }
    return image;
}

uint32_t le32(const std::string& bytes, std::size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint32_t(uint8_t(bytes[at + 2])) << 16 |
           uint32_t(uint8_t(bytes[at + 3])) << 24;
}

void setLe32(std::string& bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i) & 0xFF);
}

// Sets or clears the refresh switch for one scope.
class UpdateSwitch {
public:
    explicit UpdateSwitch(const char* value) { _putenv_s("QUCAP_UPDATE_REFERENCES", value); }
    ~UpdateSwitch() { _putenv_s("QUCAP_UPDATE_REFERENCES", ""); }
};

TEST(ReferenceImageTest, BmpRoundTripIsExactWithPaddedBottomUpRows) {
    const RgbImage image = sample(5, 3);
    const std::string bytes = encodeBmp(image);
    ASSERT_EQ(bytes.size(), 54u + 16u * 3u);  // 15 bytes of a row padded to 16
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(le32(bytes, 2), bytes.size());
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 18), 5u);
    EXPECT_EQ(le32(bytes, 22), 3u);
    EXPECT_EQ(uint8_t(bytes[28]), 24);
    // The first stored row is the picture's bottom row; padding is zero.
    EXPECT_EQ(uint8_t(bytes[54]), image.at(0, 2)[0]);
    EXPECT_EQ(uint8_t(bytes[54 + 15]), 0);
    EXPECT_EQ(decodeBmp(bytes), image);

    const RgbImage single = sample(1, 1);
    EXPECT_EQ(decodeBmp(encodeBmp(single)), single);
}

TEST(ReferenceImageTest, TopDownFilesReadInPictureOrder) {
    const RgbImage image = sample(3, 4);
    std::string bytes = encodeBmp(image);
    // Store the rows top first and mark the height negative.
    std::string topDown = bytes.substr(0, 54);
    setLe32(topDown, 22, uint32_t(-4));
    for (int stored = 3; stored >= 0; --stored) topDown += bytes.substr(54 + std::size_t(stored) * 12, 12);
    EXPECT_EQ(decodeBmp(topDown), image);
}

TEST(ReferenceImageTest, MalformedFilesAreRefused) {
    const std::string good = encodeBmp(sample(5, 3));
    EXPECT_FALSE(decodeBmp(""));
    EXPECT_FALSE(decodeBmp(good.substr(0, 53)));
    EXPECT_FALSE(decodeBmp(good.substr(0, good.size() - 1)));  // last row cut short
    std::string bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    bad[28] = 32;  // another depth
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    bad[30] = 1;  // compressed
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    setLe32(bad, 18, 0);
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    setLe32(bad, 22, 0x7FFFFFFF);  // claims far more rows than it holds
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    setLe32(bad, 22, 0x80000000u);
    EXPECT_FALSE(decodeBmp(bad));
    bad = good;
    setLe32(bad, 10, 0xFFFFFFF0u);  // pixels beyond the end
    EXPECT_FALSE(decodeBmp(bad));
}

TEST(ReferenceImageTest, ComparisonHonoursThresholdAndShare) {
    const RgbImage expected = sample(5, 3);  // 15 pixels
    EXPECT_TRUE(compareImages(expected, expected, {}).matches);

    RgbImage changed = expected;
    changed.at(4, 2)[1] = uint8_t(changed.at(4, 2)[1] + 10);
    const ImageComparison within = compareImages(expected, changed, {10, 0.0});
    EXPECT_TRUE(within.matches);
    EXPECT_EQ(within.differingPixels, 0);
    EXPECT_EQ(within.largestDifference, 10);
    const ImageComparison beyond = compareImages(expected, changed, {9, 0.0});
    EXPECT_FALSE(beyond.matches);
    EXPECT_EQ(beyond.differingPixels, 1);
    EXPECT_EQ(beyond.pixelCount, 15);

    // One pixel of fifteen may differ with a share of a tenth, not of a twentieth.
    EXPECT_TRUE(compareImages(expected, changed, {0, 0.1}).matches);
    EXPECT_FALSE(compareImages(expected, changed, {0, 0.05}).matches);

    // A difference downwards counts the same as upwards.
    changed = expected;
    changed.at(0, 0)[2] = uint8_t(changed.at(0, 0)[2] - 30);
    EXPECT_EQ(compareImages(expected, changed, {}).largestDifference, 30);

    const ImageComparison otherSize = compareImages(expected, sample(3, 5), {255, 1.0});
    EXPECT_FALSE(otherSize.sameSize);
    EXPECT_FALSE(otherSize.matches);
}

TEST(ReferenceImageTest, FramesBecomeImagesInPictureOrder) {
    // A 2 x 2 bottom-up 32-bit frame: memory row 0 is the picture's bottom row.
    std::vector<uint8_t> memory = {10, 11, 12, 99, 20, 21, 22, 99, 30, 31, 32, 99, 40, 41, 42, 99};
    const FrameBuffer frame{memory.data(), 2, 2, 4, 8, false};
    const RgbImage image = imageOf(frame);
    ASSERT_EQ(image.pixels.size(), 12u);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{30, 31, 32, 40, 41, 42, 10, 11, 12, 20, 21, 22}));
}

TEST(ReferenceImageTest, ReferencesAreWrittenOnlyWhenAskedAndThenCompared) {
    TempFolder folder;
    const std::filesystem::path where(folder.path());
    const RgbImage image = sample(4, 4);
    const std::string name = "sample.bmp";

    const ::testing::AssertionResult missing = matchesReference(where, name, image, {});
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("QUCAP_UPDATE_REFERENCES=1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(where / name));

    {
        const UpdateSwitch update("1");
        EXPECT_TRUE(matchesReference(where, name, image, {}));
    }
    EXPECT_EQ(readBmpFile(where / name), image);
    EXPECT_TRUE(matchesReference(where, name, image, {}));

    // A changed pixel fails the check, leaves the reference alone and puts
    // the actual image into the working folder.
    RgbImage changed = image;
    changed.at(2, 1)[0] = uint8_t(changed.at(2, 1)[0] ^ 0x80);
    const ::testing::AssertionResult mismatch = matchesReference(where, name, changed, {2, 0.0});
    EXPECT_FALSE(mismatch);
    EXPECT_NE(std::string(mismatch.message()).find("1 of 16 pixels"), std::string::npos) << mismatch.message();
    EXPECT_EQ(readBmpFile(where / name), image);
    EXPECT_EQ(readBmpFile("sample.bmp.actual.bmp"), changed);
    std::filesystem::remove("sample.bmp.actual.bmp");

    // Any other value of the switch compares as usual.
    const UpdateSwitch other("0");
    EXPECT_FALSE(matchesReference(where, name, changed, {}));
    std::filesystem::remove("sample.bmp.actual.bmp");
}

}  // namespace
}  // namespace qucap::test
