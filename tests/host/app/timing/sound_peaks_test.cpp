// The peak table from decoded sound in every PCM layout, its levels, the
// loudest of equal parts and the cache files.
#include "app/timing/sound_peaks.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/timing/analysis_cache.h"

namespace qucap {
namespace {

using namespace std::literals;

std::vector<uint8_t> littleEndian(const std::vector<int64_t>& samples, int bytes) {
    std::vector<uint8_t> out;
    for (const int64_t s : samples)
        for (int b = 0; b < bytes; ++b) out.push_back(uint8_t(uint64_t(s) >> (8 * b)));
    return out;
}

TEST(SoundPeaks, EveryLayoutGivesSixteenBitMagnitudes) {
    struct Case {
        PcmFormat format;
        std::vector<uint8_t> frame;
        uint16_t loudness;
    };
    const float loudFloat = -0.5f, overFloat = 2.0f;
    auto floatBytes = [](float v) {
        uint8_t b[4];
        std::memcpy(b, &v, 4);
        return std::vector<uint8_t>(b, b + 4);
    };
    const Case cases[] = {
        {{8000, 1, 8, false}, {0}, 32768},                                  // 8-bit unsigned, the lowest
        {{8000, 2, 8, false}, {128, 192}, 16384},
        {{8000, 2, 16, false}, littleEndian({-32768, 5}, 2), 32768},
        {{8000, 2, 16, false}, littleEndian({100, -200}, 2), 200},
        {{8000, 1, 24, false}, littleEndian({-0x123456}, 3), 0x1235},      // the top 16 bits
        {{8000, 1, 32, false}, littleEndian({0x40000000}, 4), 0x4000},
        {{8000, 1, 32, true}, floatBytes(loudFloat), 16384},
        {{8000, 1, 32, true}, floatBytes(overFloat), 32767},                // clipped as a 16-bit decoder does
    };
    for (const Case& c : cases) EXPECT_EQ(frameLoudness(c.frame.data(), c.format), c.loudness);
    EXPECT_FALSE((PcmFormat{8000, 1, 12, false}.readable()));
    EXPECT_FALSE((PcmFormat{8000, 0, 16, false}.readable()));
    EXPECT_FALSE((PcmFormat{0, 1, 16, false}.readable()));
    EXPECT_FALSE((PcmFormat{8000, 1, 16, true}.readable()));
}

TEST(SoundPeaks, SlicesLevelsAndPartsFromBlocksOfAnySize) {
    // 1 kHz mono: 10 samples a slice. Slice k holds the value k * 10.
    const PcmFormat format{1000, 1, 16, false};
    std::vector<int64_t> samples;
    for (int k = 0; k < 25; ++k)
        for (int i = 0; i < 10; ++i) samples.push_back(i == 3 ? -k * 10 : 0);
    const std::vector<uint8_t> bytes = littleEndian(samples, 2);
    PeakBuilder builder(format, true);
    for (std::size_t at = 0; at < bytes.size(); at += 7)  // blocks that cut sample frames
        builder.add(bytes.data() + at, std::min<std::size_t>(7, bytes.size() - at));
    EXPECT_EQ(builder.frames(), 250);
    const PeakTable table = builder.table();
    ASSERT_EQ(table.level(0).size(), 25u);
    EXPECT_EQ(table.level(0)[24], 240);
    EXPECT_EQ(table.level(1).size(), 13u);
    EXPECT_EQ(table.level(1)[3], 70);
    EXPECT_EQ(table.level(7).size(), 1u);
    EXPECT_EQ(table.peakOver(0, 250, 10), 240);
    EXPECT_EQ(table.peakOver(30, 60, 10), 50);    // slices 3 to 5
    EXPECT_EQ(table.peakOver(30, 60, 20), 50);    // level 1: the pairs of slices 2-3 and 4-5
    EXPECT_EQ(table.peakOver(500, 900, 10), 0);   // past the sound
    EXPECT_EQ(builder.parts(4), (std::vector<uint16_t>{50, 120, 180, 240}));  // frames 0-61, 62-124, ...
    EXPECT_EQ(builder.parts(1), (std::vector<uint16_t>{240}));
    EXPECT_TRUE(PeakBuilder(format).table().empty());
    EXPECT_EQ(PeakBuilder(format).parts(3), (std::vector<uint16_t>{0, 0, 0}));
}

TEST(AnalysisCache, KeptForTheSameMovieOnly) {
    const MovieStamp movie{u"C:\\動画\\a.avi", 1234, 5678};
    const PeakTable table(std::vector<uint16_t>{1, 300, 0x8000});
    const std::string bytes = stampedBytes(AnalysisKind::Peaks, movie, peakTableBytes(table));
    EXPECT_EQ(bytes.substr(0, 14), "QUCAP-PEAKS 1\n");
    const auto body = stampedBody(bytes, AnalysisKind::Peaks, movie);
    ASSERT_TRUE(body);
    EXPECT_EQ(peakTableFromBytes(*body), table);
    MovieStamp rewritten = movie;
    rewritten.writeTime = 5679;
    EXPECT_FALSE(stampedBody(bytes, AnalysisKind::Peaks, rewritten));
    EXPECT_FALSE(stampedBody(bytes, AnalysisKind::Shots, movie));
    for (const std::string_view broken : {""sv, "3\n\x01"sv, "x\n"sv, "3\n\x01\x00\x02\x00\x03\x00\x04"sv})
        EXPECT_FALSE(peakTableFromBytes(broken)) << broken;
    EXPECT_EQ(analysisCachePath(u"C:\\字幕\\作品.mcc", AnalysisKind::Peaks), u"C:\\字幕\\作品.peaks");
    EXPECT_EQ(analysisCachePath(u"C:\\a.b\\作品", AnalysisKind::Shots), u"C:\\a.b\\作品.shots");
}

}  // namespace
}  // namespace qucap
