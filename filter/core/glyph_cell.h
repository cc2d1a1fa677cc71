#pragma once
// A laid-out caption row: glyph cells with coverage bitmaps, colours and
// frame positions, as the outline effects and the glyph blending take them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qucap {

constexpr int kMaxCellsPerText = 80;
constexpr int kBodyCoordinateCount = 81;

// One byte per pixel, coverage 0 (empty) to 64 (covered); each row padded to
// a multiple of 4 bytes. `width` is the row length before padding.
struct CoverageBitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bytes;

    int32_t rowBytes() const { return (width + 3) & ~3; }
    uint8_t at(int32_t row, int32_t column) const { return bytes[std::size_t(row) * rowBytes() + column]; }
    bool operator==(const CoverageBitmap&) const = default;
};

// A bitmap and the frame position (1-based) of its top-left pixel.
struct PlacedBitmap {
    CoverageBitmap bitmap;
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlacedBitmap&) const = default;
};

struct GlyphCell {
    PlacedBitmap glyph;
    uint32_t bodyColour = 0;  // 0x00BBGGRR
    uint32_t borderStart = 0;
    uint32_t borderEnd = 0;
    std::optional<PlacedBitmap> underline;  // "＿" of the same font
    std::optional<PlacedBitmap> strike;     // "―" of the same font
    bool operator==(const GlyphCell&) const = default;
};

struct RowLayout {
    bool vertical = false;
    std::array<int32_t, 4> positions{};        // after the vertical adjustment
    std::array<std::u16string, 4> plainTexts;  // at most 255 characters each
    std::array<std::vector<GlyphCell>, 4> cells;
    // Per line (0: body 0, 1: body 2): x (horizontal) or y (vertical) of each body cell.
    std::array<std::array<int32_t, kBodyCoordinateCount>, 2> bodyCoordinates{};
    bool operator==(const RowLayout&) const = default;
};

}  // namespace qucap
