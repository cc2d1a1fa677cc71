#pragma once
// The reading rules of Japanese subtitling checked on the caption rows: how
// fast the body text must be read, how long a line is, how long a caption
// stays, and the pause before the next one. Each broken rule is a warning
// with its figure; `Qucapcmd check --reading` prints them as a table.
#include <cstdint>
#include <string>
#include <vector>

#include "app/export/subtitles.h"

namespace qucap {

struct ReadingLimits {
    int64_t cpsTenths = 40;       // characters of body text per second, in tenths
    int64_t charsHorizontal = 13;  // full-width characters in a line of a horizontal row
    int64_t charsVertical = 11;    // and of a vertical row
    int64_t minMs = 500;
    int64_t maxMs = 7000;
    int64_t gapFrames = 2;         // frames between a caption's end and the next start
};

// 29.97 frames per second, in 100-nanosecond units, when the movie cannot be read.
inline constexpr int64_t kAssumedFrameDuration = 333'667;

enum class ReadingRule { Speed, Line1Length, Line2Length, TooShort, TooLong, Gap };

struct ReadingWarning {
    int row = 0;  // 1-based, in list order
    int32_t start = 0;
    ReadingRule rule = ReadingRule::Speed;
    std::u16string figure;  // the measured value and the limit
};

// Body characters in halves of a full-width character: half-width
// characters (ASCII, half-width katakana) count one, the rest two.
int64_t widthInHalves(std::u16string_view plain);

// Every row in list order against the limits; the gap is measured to the
// next row in the list. `frameDuration` in 100-nanosecond units.
std::vector<ReadingWarning> readingWarnings(const std::vector<SubtitleRow>& rows, const ReadingLimits& limits,
                                            int64_t frameDuration);

// The table printed for the warnings (its heading names the count), or the
// line saying that no row breaks a rule.
std::u16string readingTable(const std::vector<ReadingWarning>& warnings);

}  // namespace qucap
