#pragma once
// Frames in guarded memory and hand-built glyph cells for the outline and
// glyph tests. Guard bytes around the frame and the padding at the end of
// each row must stay as they were: nothing may be written outside the frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "filter/core/effects/effects.h"
#include "filter/core/frame.h"
#include "filter/core/glyph_cell.h"

namespace qucap::test {

constexpr uint8_t kGuardByte = 0xA5;

class TestFrame {
public:
    TestFrame(int32_t width, int32_t height, int32_t bitsPerPixel = 24, bool topDown = false) {
        frame_.width = width;
        frame_.height = height;
        frame_.bytesPerPixel = bitsPerPixel / 8;
        frame_.stride = rowBytesOf(width, bitsPerPixel);
        frame_.topDown = topDown;
        memory_.assign(frame_.byteSize() + 2 * kGuard, kGuardByte);
        frame_.bits = memory_.data() + kGuard;
        fill(0x00000000);
    }
    TestFrame(const TestFrame& other) : memory_(other.memory_), frame_(other.frame_) {
        frame_.bits = memory_.data() + kGuard;
    }
    TestFrame& operator=(const TestFrame&) = delete;

    FrameBuffer& buffer() { return frame_; }
    const FrameBuffer& buffer() const { return frame_; }

    // Every pixel the colour 0x00BBGGRR; the fourth byte of 32-bit pixels
    // 0x77, which the effects must keep.
    void fill(uint32_t colour) {
        for (int32_t y = 1; y <= frame_.height; ++y)
            for (int32_t x = 1; x <= frame_.width; ++x) set(x, y, colour);
    }
    // A background that differs from pixel to pixel.
    void fillPattern(uint32_t seed) {
        for (int32_t y = 1; y <= frame_.height; ++y)
            for (int32_t x = 1; x <= frame_.width; ++x)
                set(x, y,
                    colourRefOf(uint8_t(x * 37 + y * 11 + seed), uint8_t(x * 5 + y * 53 + seed * 3),
                                uint8_t(x * 91 + y * 7 + seed * 7)));
    }
    void set(int32_t x, int32_t y, uint32_t colour) {
        uint8_t* p = frame_.pixel(x, y);
        p[0] = blueOf(colour);
        p[1] = greenOf(colour);
        p[2] = redOf(colour);
        if (frame_.bytesPerPixel == 4) p[3] = 0x77;
    }

    uint32_t at(int32_t x, int32_t y) const {
        const uint8_t* p = frame_.pixel(x, y);
        return colourRefOf(p[2], p[1], p[0]);
    }
    uint8_t fourthByte(int32_t x, int32_t y) const { return frame_.pixel(x, y)[3]; }

    // The guard bytes and every row's padding are as they were made.
    bool untouchedOutside() const {
        for (std::size_t i = 0; i < kGuard; ++i)
            if (memory_[i] != kGuardByte || memory_[memory_.size() - 1 - i] != kGuardByte) return false;
        const int32_t used = frame_.width * frame_.bytesPerPixel;
        for (int32_t row = 0; row < frame_.height; ++row)
            for (int32_t b = used; b < frame_.stride; ++b)
                if (frame_.bits[std::size_t(row) * frame_.stride + b] != kGuardByte) return false;
        return true;
    }

    std::vector<uint8_t> bytes() const { return memory_; }

private:
    static constexpr std::size_t kGuard = 64;
    std::vector<uint8_t> memory_;
    FrameBuffer frame_;
};

// A bitmap from rows of coverage values (rows padded to 4 bytes with 0).
inline CoverageBitmap bitmapOf(const std::vector<std::vector<int>>& rows) {
    CoverageBitmap bitmap;
    bitmap.height = int32_t(rows.size());
    bitmap.width = rows.empty() ? 0 : int32_t(rows.front().size());
    bitmap.bytes.assign(std::size_t(bitmap.rowBytes()) * bitmap.height, 0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            bitmap.bytes[r * std::size_t(bitmap.rowBytes()) + c] = uint8_t(rows[r][c]);
    return bitmap;
}

inline CoverageBitmap solidBitmap(int32_t width, int32_t height, int coverage = 64) {
    return bitmapOf(std::vector<std::vector<int>>(std::size_t(height), std::vector<int>(std::size_t(width), coverage)));
}

inline GlyphCell cellAt(int32_t x, int32_t y, CoverageBitmap bitmap, uint32_t body = 0x00FFFFFF,
                        uint32_t borderStart = 0x00000000, uint32_t borderEnd = 0x00000000) {
    GlyphCell cell;
    cell.glyph = {std::move(bitmap), x, y};
    cell.bodyColour = body;
    cell.borderStart = borderStart;
    cell.borderEnd = borderEnd;
    return cell;
}

inline BorderSettings borderOf(int32_t type, int32_t gradation, int32_t mainWidth, int32_t rubyWidth) {
    BorderSettings border;
    border.type = type;
    border.gradation = gradation;
    border.mainWidth = mainWidth;
    border.rubyWidth = rubyWidth;
    return border;
}

// Moves every bitmap of the layout by (dx, dy).
inline RowLayout shifted(RowLayout layout, int32_t dx, int32_t dy) {
    for (auto& cells : layout.cells)
        for (auto& cell : cells) {
            for (PlacedBitmap* placed : {&cell.glyph, cell.underline ? &*cell.underline : nullptr,
                                         cell.strike ? &*cell.strike : nullptr})
                if (placed) placed->x += dx, placed->y += dy;
        }
    return layout;
}

}  // namespace qucap::test
