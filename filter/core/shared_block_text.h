#pragma once
// The content of the shared control block that the program writes and the
// filter reads: the seek position as the millisecond time text h:mm:ss.mmm
// in UTF-16, zero-terminated, in 12 units (24 bytes). Both deliverables use
// these definitions, so they are inline and need only the time texts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "captiondata/time/time_text.h"

namespace qucap {

// The name of the file mapping: five UTF-16 characters.
inline constexpr std::u16string_view kSharedBlockName = u"qucap";
constexpr std::size_t kSharedBlockUnits = 12;
constexpr std::size_t kSharedBlockBytes = kSharedBlockUnits * sizeof(char16_t);

using SharedBlockUnits = std::array<char16_t, kSharedBlockUnits>;

// The block for a seek position in milliseconds: its text (at most 11
// characters, as the time texts stop at 9:59:59.999), then zeros; a
// negative position gives an all-zero block, which means 0.
inline SharedBlockUnits sharedBlockOf(int32_t milliseconds) {
    SharedBlockUnits units{};
    const std::u16string text = formatTime(milliseconds, TimeForm::Millisecond);
    for (std::size_t i = 0; i < text.size() && i + 1 < kSharedBlockUnits; ++i) units[i] = text[i];
    return units;
}

// The seek offset in milliseconds a block holds: 0 when its 12 units hold
// no terminator, else its text read as a time (an empty text is 0).
inline int32_t seekOffsetOf(const SharedBlockUnits& units) {
    std::size_t length = 0;
    while (length < kSharedBlockUnits && units[length] != 0) ++length;
    if (length == kSharedBlockUnits) return 0;
    return parseTime(std::u16string_view(units.data(), length));
}

}  // namespace qucap
