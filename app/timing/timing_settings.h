#pragma once
// The timing rules as the user's settings: the [Timing] section of the
// settings file "Qucapadd.ini" beside the program. The program snaps and
// cleans up by them; Qucapcmd retime starts from them, and its options of
// the same meaning override them.
#include <cstdint>
#include <string_view>

#include "app/timing/retime.h"
#include "captiondata/io/io.h"
#include "captiondata/profile/ini_document.h"

namespace qucap {

inline constexpr std::u16string_view kTimingSection = u"Timing";

// One rule: its key in [Timing], its option on the command line, and the
// largest value it takes (the smallest is 0).
template <typename Record>
struct TimingSetting {
    std::u16string_view key;
    std::u16string_view option;
    int64_t max;
    int64_t Record::*field;
};

inline constexpr int64_t kFramesSettingMax = 99;
inline constexpr int64_t kDurationSettingMax = 600'000;  // ten minutes

inline constexpr TimingSetting<SnapRules> kSnapSettings[] = {
    {u"SnapStartAfter", u"--snap-start-after", kFramesSettingMax, &SnapRules::startAfter},
    {u"SnapStartOnto", u"--snap-start-onto", kFramesSettingMax, &SnapRules::startOnto},
    {u"SnapStartAhead", u"--snap-start-ahead", kFramesSettingMax, &SnapRules::startAhead},
    {u"SnapEndBefore", u"--snap-end-before", kFramesSettingMax, &SnapRules::endBefore},
    {u"SnapEndGap", u"--snap-end-gap", kFramesSettingMax, &SnapRules::endGap},
};

inline constexpr TimingSetting<RetimeRules> kRetimeSettings[] = {
    {u"MinMs", u"--min-ms", kDurationSettingMax, &RetimeRules::minMs},
    {u"MaxMs", u"--max-ms", kDurationSettingMax, &RetimeRules::maxMs},
    {u"GapFrames", u"--gap-frames", kFramesSettingMax, &RetimeRules::gapFrames},
    {u"CloseFrames", u"--close-frames", kFramesSettingMax, &RetimeRules::closeFrames},
};

// The rules of [Timing] over the defaults. A key that is missing, or holds
// no whole number from 0 to its maximum, keeps its default; a minimum
// duration above the maximum keeps both defaults.
RetimeRules timingRulesOf(const IniDocument& settings);
// The same from the settings file; the defaults when it is missing or
// cannot be read.
RetimeRules readTimingRules(const Io& io, std::u16string_view settingsFile);

}  // namespace qucap
