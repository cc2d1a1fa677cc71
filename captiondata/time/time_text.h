#pragma once
// Time values (32-bit milliseconds) and their text forms.
#include <cstdint>
#include <string>
#include <string_view>

namespace qucap {

constexpr int32_t kLargestShownTime = 35'999'999;  // 9:59:59.999
constexpr std::size_t kTimeTextMax = 11;            // longer texts parse as 0 and never check

enum class TimeForm {
    Caption,      // h:mm:ss.cc
    Millisecond,  // h:mm:ss.mmm
    Clock,        // 0h:mm:ss
    Subtitle,     // 0h:mm:ss,mmm
};

// Writes the text of `form` into `destination`; a negative time leaves it unchanged.
void formatTime(int32_t milliseconds, TimeForm form, std::u16string& destination);
// The text of `form`; empty for a negative time.
std::u16string formatTime(int32_t milliseconds, TimeForm form);

// Never fails: whatever cannot be read counts as 0.
int32_t parseTime(std::u16string_view text);

// The two checkers differ in the seconds-only shapes (the filter allows at most 59 s).
enum class TimeChecker { Program, Filter };
bool isValidCaptionTime(std::u16string_view text, TimeChecker checker);

// Start or duration moved by a signed step, never below 0.
int32_t addTimeStep(int32_t value, int32_t step);

// Movie positions are 100-nanosecond units.
constexpr int32_t positionToMilliseconds(int64_t position) { return int32_t(position / 10'000); }
constexpr int64_t millisecondsToPosition(int32_t milliseconds) { return int64_t(milliseconds) * 10'000; }

}  // namespace qucap
