#include "filter/core/compose/boxes.h"

#include <algorithm>
#include <array>

namespace qucap {
namespace {

struct NamedColour {
    std::u16string_view name;
    uint8_t red, green, blue;
};

constexpr std::array<NamedColour, 8> kBoxColours = {{
    {u"赤", 255, 0, 0},   {u"緑", 0, 255, 0},     {u"青", 0, 0, 255},   {u"黄", 255, 255, 0},
    {u"桃", 255, 0, 255}, {u"水", 0, 255, 255},   {u"黒", 0, 0, 0},     {u"白", 255, 255, 255},
}};

constexpr int32_t kOpaque = 64;

// A value v stays when 1 <= v <= limit, else becomes 0.
int32_t keptWithin(int64_t value, int64_t limit) { return value >= 1 && value <= limit ? int32_t(value) : 0; }

void drawBox(const BoxRect& limited, uint32_t colour, int32_t weight, FrameBuffer& frame, FrameBuffer* snapshot) {
    // Only the part inside the frame: columns and rows from 1 to the frame's size.
    const int32_t left = std::max(limited.x, 1);
    const int32_t top = std::max(limited.y, 1);
    const int32_t right = std::min<int64_t>(int64_t(limited.x) + limited.width - 1, frame.width);
    const int32_t bottom = std::min<int64_t>(int64_t(limited.y) + limited.height - 1, frame.height);
    const std::array<int32_t, 3> box = {blueOf(colour), greenOf(colour), redOf(colour)};
    const FrameBuffer& source = snapshot != nullptr ? *snapshot : frame;
    for (int32_t y = top; y <= bottom; ++y)
        for (int32_t x = left; x <= right; ++x) {
            const uint8_t* from = source.pixel(x, y);
            uint8_t* to = frame.pixel(x, y);
            uint8_t* copy = snapshot != nullptr ? snapshot->pixel(x, y) : nullptr;
            for (int c = 0; c < 3; ++c) {
                const uint8_t value = uint8_t(box[c] * weight / kOpaque + from[c] * (kOpaque - weight) / kOpaque);
                to[c] = value;
                if (copy != nullptr) copy[c] = value;
            }
        }
}

}  // namespace

uint32_t boxColourOf(std::u16string_view name) {
    for (const NamedColour& c : kBoxColours)
        if (c.name == name) return colourRefOf(c.red, c.green, c.blue);
    return 0;
}

BoxRect limitedBox(const BoxRect& box, int32_t frameWidth, int32_t frameHeight) {
    BoxRect limited;
    limited.x = keptWithin(box.x, frameWidth);
    limited.y = keptWithin(box.y, frameHeight);
    limited.width = keptWithin(int64_t(limited.x) + box.width, int64_t(frameWidth) + 1) != 0 ? box.width : 0;
    limited.height = keptWithin(int64_t(limited.y) + box.height, int64_t(frameHeight) + 1) != 0 ? box.height : 0;
    return limited;
}

void drawBoxes(const BoxRow& row, int32_t frameWidth, int32_t frameHeight, FrameBuffer& frame,
               FrameBuffer* snapshot) {
    const uint32_t colour = boxColourOf(row.colour);
    const int32_t weight = std::clamp(row.transparency, 0, kOpaque);
    for (const BoxRect& box : row.boxes)
        drawBox(limitedBox(box, frameWidth, frameHeight), colour, weight, frame, snapshot);
}

}  // namespace qucap
