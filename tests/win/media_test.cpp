// The media toolkit's plain parts: the BMP file made from a grabbed frame and
// the pictures read from DirectShow media types.
#include <gtest/gtest.h>

#include "app/media/bmp_file.h"
#include "app/media/media_type.h"

#include <dvdmedia.h>
#include "tests/win/reference_image.h"

namespace qucap::test {
namespace {

// A picture whose pixel (x, y), counted from the top, is blue x, green y,
// red 100 + x + y, with the fourth byte 0xEE in a 32-bit picture, in the
// row order its height's sign gives.
RgbPicture countedPicture(int32_t width, int32_t height, int32_t bits) {
    RgbPicture picture{width, height, bits, {}};
    const int32_t rows = height < 0 ? -height : height;
    const std::size_t stride = rgbRowBytes(width, bits);
    picture.bytes.assign(stride * std::size_t(rows), 0x55);  // padding is never copied
    for (int32_t y = 0; y < rows; ++y) {
        const int32_t stored = height < 0 ? y : rows - 1 - y;
        uint8_t* row = picture.bytes.data() + std::size_t(stored) * stride;
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = row + std::size_t(x) * std::size_t(bits / 8);
            pixel[0] = uint8_t(x);
            pixel[1] = uint8_t(y);
            pixel[2] = uint8_t(100 + x + y);
            if (bits == 32) pixel[3] = 0xEE;
        }
    }
    return picture;
}

RgbImage countedImage(int32_t width, int32_t rows) {
    RgbImage image(width, rows);
    for (int32_t y = 0; y < rows; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = image.at(x, y);
            pixel[0] = uint8_t(x);
            pixel[1] = uint8_t(y);
            pixel[2] = uint8_t(100 + x + y);
        }
    return image;
}

TEST(BmpFile, HeadersDescribeA24BitBottomUpPicture) {
    const std::string file = bmpFileBytes(countedPicture(3, 2, 32));
    // 3 pixels of 3 bytes are 9 bytes, padded to 12 a row.
    const std::string expectedHeaders(
        "BM\x4E\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00"   // file size 54 + 24, pixels at 54
        "\x28\x00\x00\x00\x03\x00\x00\x00\x02\x00\x00\x00"     // info size 40, 3 x 2, bottom-up
        "\x01\x00\x18\x00\x00\x00\x00\x00\x18\x00\x00\x00"     // 1 plane, 24 bits, BI_RGB, 24 bytes
        "\x13\x0B\x00\x00\x13\x0B\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00",
        54);
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file.substr(0, 54), expectedHeaders);
    // The bottom row first, its padding zero.
    EXPECT_EQ(file.substr(54, 12), std::string("\x00\x01\x65\x01\x01\x66\x02\x01\x67\x00\x00\x00", 12));
}

TEST(BmpFile, EveryRowOrderAndDepthGivesThePictureTheRightWayUp) {
    for (const int32_t bits : {24, 32})
        for (const int32_t height : {5, -5}) {
            const std::optional<RgbImage> decoded = decodeBmp(bmpFileBytes(countedPicture(7, height, bits)));
            ASSERT_TRUE(decoded.has_value()) << bits << " bits, height " << height;
            EXPECT_EQ(*decoded, countedImage(7, 5)) << bits << " bits, height " << height;
        }
}

TEST(BmpFile, APictureMissingBytesOrOfAnotherDepthGivesNoFile) {
    RgbPicture shortPicture = countedPicture(4, 4, 24);
    shortPicture.bytes.pop_back();
    EXPECT_EQ(bmpFileBytes(shortPicture), "");
    RgbPicture sixteenBits{4, 4, 16, std::vector<uint8_t>(64)};
    EXPECT_EQ(bmpFileBytes(sixteenBits), "");
    EXPECT_EQ(bmpFileBytes(RgbPicture{0, 4, 24, {}}), "");
    EXPECT_EQ(bmpFileBytes(RgbPicture{4, 0, 24, {}}), "");
}

TEST(RgbPicture, RowsArePaddedToFourBytes) {
    EXPECT_EQ(rgbRowBytes(720, 24), 2160u);
    EXPECT_EQ(rgbRowBytes(3, 24), 12u);
    EXPECT_EQ(rgbRowBytes(3, 32), 12u);
    EXPECT_EQ(rgbRowBytes(0, 24), 0u);
    EXPECT_EQ(rgbRowBytes(5, 16), 0u);
}

// A media type whose format block is `format`, which must outlive it.
template <class Format>
AM_MEDIA_TYPE mediaType(const GUID& major, const GUID& subtype, const GUID& formatType, Format& format) {
    AM_MEDIA_TYPE type{};
    type.majortype = major;
    type.subtype = subtype;
    type.formattype = formatType;
    type.cbFormat = sizeof(Format);
    type.pbFormat = reinterpret_cast<BYTE*>(&format);
    return type;
}

// A video type with a VIDEOINFOHEADER of the given subtype and picture.
struct VideoType {
    VIDEOINFOHEADER info{};
    AM_MEDIA_TYPE type{};
    VideoType(const GUID& subtype, LONG width, LONG height, WORD bits) {
        info.AvgTimePerFrame = 333'667;
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biBitCount = bits;
        type = mediaType(MEDIATYPE_Video, subtype, FORMAT_VideoInfo, info);
    }
};

TEST(MediaType, RgbPicturesAreReadFromEitherVideoHeader) {
    VideoType rgb32(MEDIASUBTYPE_RGB32, 720, -480, 32);
    const std::optional<RgbPicture> picture = rgbPictureOf(rgb32.type);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 720);
    EXPECT_EQ(picture->height, -480);
    EXPECT_EQ(picture->bitsPerPixel, 32);

    VIDEOINFOHEADER2 info2{};
    info2.AvgTimePerFrame = 400'000;
    info2.bmiHeader.biWidth = 640;
    info2.bmiHeader.biHeight = 360;
    info2.bmiHeader.biBitCount = 24;
    const AM_MEDIA_TYPE type2 = mediaType(MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo2, info2);
    const std::optional<RgbPicture> picture2 = rgbPictureOf(type2);
    ASSERT_TRUE(picture2.has_value());
    EXPECT_EQ(picture2->width, 640);
    EXPECT_EQ(picture2->height, 360);
    EXPECT_EQ(picture2->bitsPerPixel, 24);
    EXPECT_EQ(videoFormatOf(type2)->averageTimePerFrame, 400'000);
}

TEST(MediaType, OtherPicturesAndShortFormatsAreNoRgbPicture) {
    EXPECT_FALSE(rgbPictureOf(VideoType(MEDIASUBTYPE_YUY2, 720, 480, 16).type).has_value());
    EXPECT_FALSE(rgbPictureOf(VideoType(MEDIASUBTYPE_RGB565, 720, 480, 16).type).has_value());
    EXPECT_FALSE(rgbPictureOf(VideoType(MEDIASUBTYPE_RGB32, 720, 480, 24).type).has_value()) << "depth disagrees";
    EXPECT_FALSE(rgbPictureOf(VideoType(MEDIASUBTYPE_RGB24, 0, 480, 24).type).has_value());
    VideoType truncated(MEDIASUBTYPE_RGB24, 720, 480, 24);
    truncated.type.cbFormat = sizeof(VIDEOINFOHEADER) - 1;
    EXPECT_FALSE(rgbPictureOf(truncated.type).has_value());
    VideoType audio(MEDIASUBTYPE_RGB24, 720, 480, 24);
    audio.type.majortype = MEDIATYPE_Audio;
    EXPECT_FALSE(rgbPictureOf(audio.type).has_value());
}

TEST(MediaType, OnlyAWholePcmWaveFormatIsPcmAudio) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    const AM_MEDIA_TYPE pcm = mediaType(MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, wave);
    EXPECT_TRUE(isPcmAudio(pcm));
    struct Case {
        const char* what;
        void (*spoil)(AM_MEDIA_TYPE&, WAVEFORMATEX&);
    };
    const Case cases[] = {
        {"compressed (MPEG layer 3)", [](AM_MEDIA_TYPE&, WAVEFORMATEX& w) { w.wFormatTag = 0x55; }},
        {"floating-point samples", [](AM_MEDIA_TYPE&, WAVEFORMATEX& w) { w.wFormatTag = 3; }},
        {"a short format block", [](AM_MEDIA_TYPE& t, WAVEFORMATEX&) { t.cbFormat = sizeof(WAVEFORMATEX) - 1; }},
        {"no format block", [](AM_MEDIA_TYPE& t, WAVEFORMATEX&) { t.pbFormat = nullptr; }},
        {"another format type", [](AM_MEDIA_TYPE& t, WAVEFORMATEX&) { t.formattype = FORMAT_VideoInfo; }},
        {"video", [](AM_MEDIA_TYPE& t, WAVEFORMATEX&) { t.majortype = MEDIATYPE_Video; }},
    };
    for (const Case& c : cases) {
        AM_MEDIA_TYPE type = pcm;
        WAVEFORMATEX format = wave;
        type.pbFormat = reinterpret_cast<BYTE*>(&format);
        c.spoil(type, format);
        EXPECT_FALSE(isPcmAudio(type)) << c.what;
    }
}

}  // namespace
}  // namespace qucap::test
