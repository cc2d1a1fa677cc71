#pragma once
// Capacities and truncations that users can observe. Storage is dynamic;
// these numbers say where text is cut or refused.
#include <cstddef>

namespace qucap {

constexpr std::size_t kCaptionTextMax = 1023;       // one caption text (field buffer)
constexpr std::size_t kCaptionLineMax = 4607;       // one line of the caption-info file
constexpr std::size_t kCaptionTimeFieldMax = 10;    // start / duration text held by a row
constexpr std::size_t kOrientationMax = 2;          // "横" / "縦"
constexpr std::size_t kSmallLineMax = 255;          // one line of the colour-info or box-info file
constexpr std::size_t kSmallFieldMax = 63;          // one field of the colour-info or box-info file
constexpr std::size_t kColourTextMax = 6;           // RRGGBB
constexpr std::size_t kBoxColourMax = 2;            // colour word of a box row
constexpr std::size_t kPathMax = 255;               // paths and messages
constexpr std::size_t kFontNameMax = 63;            // font face names
constexpr std::size_t kDisplayNameMax = 63;         // one entry of a display-item list
constexpr std::size_t kPlainTextMax = 255;          // plain texts of the caption list and working row
constexpr std::size_t kPositionTextMax = 4;         // a position shown in the caption list
constexpr std::size_t kRowNumberTextMax = 5;        // the row number column of the caption list

}  // namespace qucap
