#pragma once
// GDI writes 0 into the fourth byte of every 32-bit pixel it draws, which
// players that read that byte as alpha show as holes in the picture. This
// canvas passes each text and fill on to the frame's canvas and first keeps
// the fourth bytes of the rectangle it may touch; once the canvas is flushed
// they are put back, so drawn pixels keep the value of the picture beneath.
// The work follows what is drawn, never the whole frame.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "filter/core/canvas.h"
#include "filter/core/frame.h"
#include "filter/core/rasteriser.h"

namespace qucap {

// The kept bytes, held across frames so that drawing allocates nothing once warm.
struct KeptFourthBytes {
    struct Area {
        PixelRect rect;      // within the frame
        std::size_t offset;  // of its first byte in `bytes`, row after row
    };
    std::vector<Area> areas;
    std::vector<uint8_t> bytes;
};

class FourthByteKeepingCanvas : public FrameCanvas {
public:
    // `frame` is the whole bitmap `canvas` draws on; texts are measured with `measurer`.
    FourthByteKeepingCanvas(FrameCanvas& canvas, GlyphRasteriser& measurer, const FrameBuffer& frame,
                            KeptFourthBytes& kept);
    ~FourthByteKeepingCanvas() override;  // puts back what is still kept
    FourthByteKeepingCanvas(const FourthByteKeepingCanvas&) = delete;
    FourthByteKeepingCanvas& operator=(const FourthByteKeepingCanvas&) = delete;

    void drawText(const FontSpec& font, int32_t x, int32_t y, std::u16string_view text, TextStyle style) override;
    void fillBlack(const PixelRect& rect) override;
    void flush() override;

private:
    void keep(int64_t left, int64_t top, int64_t right, int64_t bottom);
    void putBack();

    FrameCanvas& canvas_;
    GlyphRasteriser& measurer_;
    FrameBuffer frame_;
    KeptFourthBytes& kept_;
};

}  // namespace qucap
