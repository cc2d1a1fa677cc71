#include "app/core/media/encoder_tables.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

using Names = std::vector<std::u16string>;

TEST(EncoderNameFilterTest, VideoEncoderFiltersNeedEncoderAndNoAudio) {
    EXPECT_TRUE(isVideoEncoderFilterName(u"MPEG-4 Encoder"));
    EXPECT_TRUE(isVideoEncoderFilterName(u"x264 encoder"));
    EXPECT_FALSE(isVideoEncoderFilterName(u"MP3 Audio Encoder"));
    EXPECT_FALSE(isVideoEncoderFilterName(u"audio encoder"));
    EXPECT_FALSE(isVideoEncoderFilterName(u"ENCODER"));        // case-sensitive
    EXPECT_FALSE(isVideoEncoderFilterName(u"Video Processor"));
    EXPECT_TRUE(isVideoEncoderFilterName(u"AUDIO Encoder"));   // "AUDIO" is neither form
}

TEST(EncoderNameFilterTest, AudioEncoderFiltersTakeProcessorsButNoVideo) {
    EXPECT_TRUE(isAudioEncoderFilterName(u"Sound Processor"));
    EXPECT_TRUE(isAudioEncoderFilterName(u"dsp processor"));
    EXPECT_TRUE(isAudioEncoderFilterName(u"MP3 Audio Encoder"));
    EXPECT_TRUE(isAudioEncoderFilterName(u"aac encoder"));
    EXPECT_FALSE(isAudioEncoderFilterName(u"Video Processor"));
    EXPECT_FALSE(isAudioEncoderFilterName(u"video encoder"));
    EXPECT_FALSE(isAudioEncoderFilterName(u"AVI Mux"));
}

TEST(EncoderTablesTest, BuildsTheFourTablesInEnumerationOrder) {
    EncoderCategoryNames names;
    names.videoCompressors = {u"Microsoft Video 1", u"Cinepak Codec by Radius"};
    names.audioCompressors = {u"PCM", u"IMA ADPCM"};
    names.directShowFilters = {u"AVI Mux", u"MPEG Video Encoder", u"WMAudio Encoder DMO", u"Audio Processor",
                               u"Video Processor", u"Sample encoder"};
    const EncoderTables tables = buildEncoderTables(names);
    EXPECT_EQ(tables.videoCompressors, (Names{u"Microsoft Video 1", u"Cinepak Codec by Radius"}));
    EXPECT_EQ(tables.videoEncoderFilters, (Names{u"MPEG Video Encoder", u"Sample encoder"}));
    EXPECT_EQ(tables.audioCompressors, (Names{u"PCM", u"IMA ADPCM"}));
    EXPECT_EQ(tables.audioEncoderFilters, (Names{u"WMAudio Encoder DMO", u"Audio Processor", u"Sample encoder"}));
}

TEST(EncoderTablesTest, NamesLongerThanSixtyFourAreCutToSixtyThree) {
    const std::u16string exact(64, u'a');
    const std::u16string longer = std::u16string(70, u'b');
    EXPECT_EQ(encoderTableName(exact), exact);
    EXPECT_EQ(encoderTableName(longer), std::u16string(63, u'b'));
    // A cut never leaves half of a surrogate pair behind.
    const std::u16string pair = std::u16string(62, u'c') + u"\U00020B9F" + u"dd";
    EXPECT_EQ(encoderTableName(pair), std::u16string(62, u'c'));

    EncoderCategoryNames names;
    names.videoCompressors = {longer};
    names.directShowFilters = {std::u16string(60, u'x') + u" Encoder"};
    const EncoderTables tables = buildEncoderTables(names);
    EXPECT_EQ(tables.videoCompressors, Names{std::u16string(63, u'b')});
    EXPECT_EQ(tables.videoEncoderFilters, Names{std::u16string(60, u'x') + u" En"});
}

TEST(EncoderTablesTest, CutNamesStillMatchTheirDevice) {
    const std::u16string device = std::u16string(60, u'x') + u" Encoder";
    EXPECT_TRUE(encoderNameMatches(device, encoderTableName(device)));
    EXPECT_TRUE(encoderNameMatches(u"PCM", u"PCM"));
    EXPECT_FALSE(encoderNameMatches(u"PCM", u"pcm"));
    EXPECT_FALSE(encoderNameMatches(u"PCM Audio", u"PCM"));
}

TEST(EncoderTablesTest, ChosenNamesAreLookedUpInTheirCategory) {
    EncoderTables tables;
    tables.videoCompressors = {u"Microsoft Video 1"};
    tables.videoEncoderFilters = {u"MPEG Video Encoder"};
    tables.audioCompressors = {u"PCM"};
    tables.audioEncoderFilters = {u"Audio Processor"};
    EXPECT_TRUE(isVideoCompressorName(tables, u"Microsoft Video 1"));
    EXPECT_FALSE(isVideoCompressorName(tables, u"microsoft video 1"));
    EXPECT_EQ(videoEncoderCategory(tables, u"Microsoft Video 1"), EncoderCategory::VideoCompressors);
    EXPECT_EQ(videoEncoderCategory(tables, u"MPEG Video Encoder"), EncoderCategory::DirectShowFilters);
    EXPECT_EQ(videoEncoderCategory(tables, u"PCM"), EncoderCategory::DirectShowFilters);
    EXPECT_TRUE(isAudioCompressorName(tables, u"PCM"));
    EXPECT_EQ(audioEncoderCategory(tables, u"PCM"), EncoderCategory::AudioCompressors);
    EXPECT_EQ(audioEncoderCategory(tables, u"Audio Processor"), EncoderCategory::DirectShowFilters);
    EXPECT_EQ(audioEncoderCategory(tables, u"Microsoft Video 1"), EncoderCategory::DirectShowFilters);
}

TEST(EncoderTablesTest, ListTextHasFourHeadedLists) {
    EncoderTables tables;
    tables.videoCompressors = {u"Microsoft Video 1", u"Cinepak"};
    tables.audioEncoderFilters = {u"Audio Processor"};
    EXPECT_EQ(encoderListText(tables),
              u"映像圧縮（ビデオコンプレッサ）\n  Microsoft Video 1\n  Cinepak\n"
              u"\n映像エンコーダ（DirectShowフィルタ）\n  （なし）\n"
              u"\n音声圧縮（オーディオコンプレッサ）\n  （なし）\n"
              u"\n音声エンコーダ（DirectShowフィルタ）\n  Audio Processor\n");
}

}  // namespace
}  // namespace qucap
