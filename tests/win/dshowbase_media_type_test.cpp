// CMediaType and the media-type helpers: deep copies, format blocks, the
// pUnk reference, sample sizes and partial matching.
#include <cstring>

#include <gtest/gtest.h>

#include "dshowbase/media_type.h"

namespace qucap {
namespace {

struct CountedUnknown final : IUnknown {
    STDMETHODIMP QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references); }
    long references = 1;
};

CMediaType videoType(BYTE firstFormatByte) {
    CMediaType type(&MEDIATYPE_Video);
    type.SetSubtype(&MEDIASUBTYPE_RGB24);
    type.SetFormatType(&FORMAT_VideoInfo);
    BYTE* format = type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER));
    format[0] = firstFormatByte;
    return type;
}

TEST(BaseMediaTypeTest, ANewTypeIsEmptyWithFixedSamplesOfOneByte) {
    CMediaType type;
    EXPECT_FALSE(type.IsValid());
    EXPECT_TRUE(type.IsPartiallySpecified());
    EXPECT_TRUE(type.IsFixedSize());
    EXPECT_EQ(type.GetSampleSize(), 1u);
    EXPECT_EQ(type.Format(), nullptr);
    EXPECT_EQ(type.FormatLength(), 0u);
    EXPECT_TRUE(CMediaType(&MEDIATYPE_Video).IsValid());
}

TEST(BaseMediaTypeTest, CopiesOwnTheirFormatBlockAndCompareByItsBytes) {
    const CMediaType original = videoType(7);
    CMediaType copy(original);
    ASSERT_EQ(copy.FormatLength(), sizeof(VIDEOINFOHEADER));
    EXPECT_NE(copy.Format(), original.Format());
    EXPECT_EQ(std::memcmp(copy.Format(), original.Format(), sizeof(VIDEOINFOHEADER)), 0);
    EXPECT_TRUE(copy == original);
    copy.Format()[0] = 8;
    EXPECT_TRUE(copy != original);
    copy = original;
    EXPECT_TRUE(copy == original);
    copy = copy;  // assignment to itself keeps the block
    EXPECT_EQ(copy.Format()[0], 7);
    EXPECT_FALSE(copy == CMediaType(&MEDIATYPE_Video));
}

TEST(BaseMediaTypeTest, TheUnknownOfATypeIsReferencedByEachCopyAndReleasedWithIt) {
    CountedUnknown unknown;
    {
        CMediaType type = videoType(1);
        type.pUnk = &unknown;
        unknown.AddRef();
        CMediaType copy(type);
        EXPECT_EQ(unknown.references, 3);
        AM_MEDIA_TYPE* handedOut = CreateMediaType(&copy);
        ASSERT_NE(handedOut, nullptr);
        EXPECT_EQ(unknown.references, 4);
        DeleteMediaType(handedOut);
        EXPECT_EQ(unknown.references, 3);
    }
    EXPECT_EQ(unknown.references, 1);
}

TEST(BaseMediaTypeTest, SampleSizeZeroMeansVariableSizedSamples) {
    CMediaType type;
    type.SetSampleSize(1382400);
    EXPECT_TRUE(type.IsFixedSize());
    EXPECT_EQ(type.GetSampleSize(), 1382400u);
    type.SetSampleSize(0);
    EXPECT_FALSE(type.IsFixedSize());
    EXPECT_EQ(type.GetSampleSize(), 0u);
}

TEST(BaseMediaTypeTest, FormatBlocksAreZeroedResizedAndCopiedEvenFromThemselves) {
    CMediaType type;
    BYTE* block = type.AllocFormatBuffer(4);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::memcmp(block, "\0\0\0\0", 4), 0);
    std::memcpy(block, "abcd", 4);
    ASSERT_NE(type.ReallocFormatBuffer(6), nullptr);
    EXPECT_EQ(std::memcmp(type.Format(), "abcd\0\0", 6), 0);
    ASSERT_NE(type.ReallocFormatBuffer(2), nullptr);
    EXPECT_EQ(type.FormatLength(), 2u);
    EXPECT_EQ(std::memcmp(type.Format(), "ab", 2), 0);
    // The new block is copied before the old one goes.
    ASSERT_TRUE(type.SetFormat(type.Format() + 1, 1));
    EXPECT_EQ(type.FormatLength(), 1u);
    EXPECT_EQ(type.Format()[0], 'b');
    type.ResetFormatBuffer();
    EXPECT_EQ(type.Format(), nullptr);
    EXPECT_EQ(type.FormatLength(), 0u);
}

TEST(BaseMediaTypeTest, APartialTypeMatchesOnTheFieldsItSets) {
    const CMediaType full = videoType(3);
    const CMediaType anything, video(&MEDIATYPE_Video), audio(&MEDIATYPE_Audio), otherFormat = videoType(4);
    EXPECT_TRUE(full.MatchesPartial(&anything));
    EXPECT_TRUE(full.MatchesPartial(&video));
    EXPECT_FALSE(full.MatchesPartial(&audio));
    CMediaType wrongSubtype(&MEDIATYPE_Video);
    wrongSubtype.SetSubtype(&MEDIASUBTYPE_RGB32);
    EXPECT_FALSE(full.MatchesPartial(&wrongSubtype));
    EXPECT_TRUE(full.MatchesPartial(&full));
    EXPECT_FALSE(full.MatchesPartial(&otherFormat));  // a format block must match byte for byte
    EXPECT_FALSE(full.IsPartiallySpecified());
}

TEST(BaseMediaTypeTest, CopyMediaTypeAndFreeMediaTypeWorkOnPlainRecords) {
    const CMediaType source = videoType(9);
    AM_MEDIA_TYPE copy;
    ASSERT_EQ(CopyMediaType(&copy, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(copy.majortype, MEDIATYPE_Video));
    ASSERT_EQ(copy.cbFormat, sizeof(VIDEOINFOHEADER));
    EXPECT_EQ(copy.pbFormat[0], 9);
    EXPECT_NE(copy.pbFormat, source.pbFormat);
    FreeMediaType(copy);
    EXPECT_EQ(copy.pbFormat, nullptr);
    EXPECT_EQ(copy.cbFormat, 0u);
    DeleteMediaType(nullptr);  // ignored
}

}  // namespace
}  // namespace qucap
