#include "filter/core/compose/overlays.h"

#include <algorithm>
#include <array>

#include "captiondata/time/time_text.h"
#include "filter/core/layout/font_plan.h"

namespace qucap {
namespace {

constexpr int32_t kLabelX = 60;
constexpr int32_t kValueX = 190;
constexpr int32_t kWatermarkMargin = 2;

struct TimeDisplayLine {
    std::u16string_view label;
    int32_t y;
};
constexpr std::array<TimeDisplayLine, 4> kTimeDisplayLines = {{
    {u"開始フレーム時間", 50},
    {u"終了フレーム時間", 70},
    {u"字幕情報", 90},
    {u"シーク時間", 110},
}};

int32_t clampedToInt32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

void drawTimeDisplay(FrameCanvas& canvas, const FontSpec& font, const TimeDisplayValues& values) {
    const std::array<std::u16string, 4> shown = {
        formatTime(values.start, TimeForm::Millisecond),
        formatTime(values.end, TimeForm::Millisecond),
        values.captionInfoPath,
        formatTime(values.seekOffset, TimeForm::Millisecond),
    };
    const TextStyle opaque{};
    for (std::size_t i = 0; i < kTimeDisplayLines.size(); ++i) {
        canvas.drawText(font, kLabelX, kTimeDisplayLines[i].y, kTimeDisplayLines[i].label, opaque);
        canvas.drawText(font, kValueX, kTimeDisplayLines[i].y, shown[i], opaque);
    }
}

TextPosition watermarkPosition(TextExtent extent, std::u16string_view mainFace, int32_t frameWidth,
                               int32_t frameHeight) {
    const int64_t height = isMeiryoFace(mainFace) ? int64_t(extent.cy) * 8 / 10 : extent.cy;
    return {clampedToInt32(int64_t(frameWidth) - extent.cx - kWatermarkMargin),
            clampedToInt32(int64_t(frameHeight) - height - kWatermarkMargin)};
}

void drawWatermark(FrameCanvas& canvas, GlyphRasteriser& measurer, const FilterFonts& fonts,
                   std::u16string_view text, uint32_t colour, int32_t frameWidth, int32_t frameHeight) {
    if (text.empty()) return;
    const TextExtent extent = measurer.textExtent(fonts.watermark, text);
    const TextPosition at = watermarkPosition(extent, fonts.main.face, frameWidth, frameHeight);
    canvas.drawText(fonts.watermark, at.x, at.y, text, TextStyle{true, colour});
}

}  // namespace qucap
