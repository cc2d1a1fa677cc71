#pragma once
// One caption and the table of captions a deliverable holds in memory.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qucap {

// The four texts of a row, addressed by index in this order everywhere.
enum TextIndex : int { Line1Body = 0, Line1Ruby = 1, Line2Body = 2, Line2Ruby = 3 };
constexpr int kTextCount = 4;

inline constexpr std::u16string_view kHorizontal = u"横";
inline constexpr std::u16string_view kVertical = u"縦";

struct CaptionRow {
    int32_t number = 0;    // 1-based; 0 or less marks an empty slot
    int32_t start = 0;     // milliseconds
    int32_t duration = 0;  // milliseconds; shown from start to start + duration
    std::u16string orientation;                    // "横" or "縦" (at most 2 characters)
    std::array<std::u16string, kTextCount> texts;  // with markup, at most 1023 characters each
    std::array<int32_t, kTextCount> positions{};   // 0: not set
    int32_t lock = 0;                              // 1: positions kept by default positioning

    bool isCaption() const { return number > 0; }
    int64_t end() const { return int64_t(start) + duration; }
};

// Slots in file order; empty slots (number 0) are skipped by every consumer.
using CaptionTable = std::vector<CaptionRow>;

// Index of the first slot with a positive number whose start <= time <=
// start + duration, or -1.
int findRowAtTime(const CaptionTable& table, int32_t milliseconds);

}  // namespace qucap
