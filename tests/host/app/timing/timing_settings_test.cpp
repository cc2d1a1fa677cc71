// The timing rules read from the settings file's [Timing] section.
#include "app/timing/timing_settings.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

// The rules as one line of numbers, so a case names all of them at once:
// min max gap close / after onto ahead endBefore endGap.
std::string summary(const RetimeRules& r) {
    return std::to_string(r.minMs) + " " + std::to_string(r.maxMs) + " " + std::to_string(r.gapFrames) + " " +
           std::to_string(r.closeFrames) + " / " + std::to_string(r.snap.startAfter) + " " +
           std::to_string(r.snap.startOnto) + " " + std::to_string(r.snap.startAhead) + " " +
           std::to_string(r.snap.endBefore) + " " + std::to_string(r.snap.endGap);
}

TEST(TimingSettings, KeysOverTheDefaults) {
    const struct {
        const char16_t* file;
        const char* expected;
    } cases[] = {
        {u"", "500 7000 2 12 / 12 7 12 12 2"},
        {u"[LastOpen]\r\nFileName=a.mcc\r\n", "500 7000 2 12 / 12 7 12 12 2"},
        {u"[Timing]\r\nMinMs=800\r\nMaxMs=6000\r\nGapFrames=3\r\nCloseFrames=0\r\n", "800 6000 3 0 / 12 7 12 12 2"},
        {u"[Timing]\r\nSnapStartAfter=0\r\nSnapStartOnto=3\r\nSnapStartAhead=10\r\nSnapEndBefore=6\r\nSnapEndGap=1\r\n",
         "500 7000 2 12 / 0 3 10 6 1"},
        {u"[Timing]\r\nSnapEndGap = 4 \r\n", "500 7000 2 12 / 12 7 12 12 4"},
        // Values no rule can use keep their defaults, one by one.
        {u"[Timing]\r\nGapFrames=-1\r\nCloseFrames=100\r\nSnapStartAfter=x\r\nSnapEndGap=\r\nMaxMs=600001\r\n",
         "500 7000 2 12 / 12 7 12 12 2"},
        {u"[Timing]\r\nMaxMs=600000\r\nSnapEndBefore=99\r\n", "500 600000 2 12 / 12 7 12 99 2"},
        // A minimum above the maximum would grow rows past it: both stay.
        {u"[Timing]\r\nMinMs=3000\r\nMaxMs=2000\r\n", "500 7000 2 12 / 12 7 12 12 2"},
        {u"[Timing]\r\nMinMs=3000\r\n", "3000 7000 2 12 / 12 7 12 12 2"},
        {u"[timing]\r\nminms=900\r\n", "900 7000 2 12 / 12 7 12 12 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(summary(timingRulesOf(IniDocument::parse(c.file))), c.expected) << std::string(c.expected);
}

}  // namespace
}  // namespace qucap
