#include "filter/core/layout/layouter.h"

#include <algorithm>

#include "captiondata/markup/markup.h"
#include "captiondata/markup/ruby_groups.h"
#include "filter/core/layout/glyph_pass.h"
#include "filter/core/layout/row_preparation.h"

namespace qucap {
namespace {

// Text indexes of each line: its body and its ruby.
struct Line {
    int body;
    int ruby;
};
constexpr std::array<Line, 2> kLines{{{Line1Body, Line1Ruby}, {Line2Body, Line2Ruby}}};

PenColours rowStartColours(const ColourTable& colours) {
    const uint32_t black = colours[SlotBlack].text.value;
    return {colours[SlotWhite].text.value, black, black};
}

int32_t coordinateAt(const std::array<int32_t, kBodyCoordinateCount>& table, int32_t anchor) {
    return anchor >= 0 && anchor < kBodyCoordinateCount ? table[std::size_t(anchor)] : 0;
}

}  // namespace

CaptionLayouter::CaptionLayouter(GlyphRasteriser& rasteriser) : rasteriser_(rasteriser) {}

void CaptionLayouter::prepareFonts(const FilterSettings& settings) {
    plan_ = planFonts(settings);
    fromEdge_ = settings.sideFlag == 1;
    bold_ = false;
    previousVertical_ = false;
    fonts_.main = rowFont(plan_.mainFace, plan_.mainHeight, false);
    fonts_.ruby = rowFont(plan_.rubyFace, plan_.rubyHeight, false);
    fonts_.timeDisplay = timeDisplayFont(settings.mainFace);
    fonts_.watermark = watermarkFont(settings.mainFace);
}

const FilterFonts& CaptionLayouter::fonts() const { return fonts_; }

LayoutCarry CaptionLayouter::carry() const { return {bold_, previousVertical_, fonts_}; }

void CaptionLayouter::restore(const LayoutCarry& carry) {
    bold_ = carry.bold;
    previousVertical_ = carry.previousVertical;
    fonts_ = carry.fonts;
}

void CaptionLayouter::bringFontsTo(bool vertical) {
    if (vertical == previousVertical_) return;
    bold_ = false;
    fonts_.main = rowFont(plan_.mainFace, plan_.mainHeight, vertical);
    fonts_.ruby = rowFont(plan_.rubyFace, plan_.rubyHeight, vertical);
    previousVertical_ = vertical;
}

void CaptionLayouter::layoutRow(const CaptionRow& row, const ColourTable& colours, int32_t frameWidth,
                                int32_t frameHeight, RowLayout& layout) {
    layout = RowLayout{};
    const bool vertical = isVerticalRow(row);
    layout.vertical = vertical;
    layout.positions = laidOutPositions(row, vertical, plan_.mainHeight, plan_.rubyHeight, frameWidth);
    for (int k = 0; k < kTextCount; ++k) layout.plainTexts[k] = layoutPlainText(row.texts[k]);

    std::array<RubyGroups, 2> groups;
    for (std::size_t line = 0; line < kLines.size(); ++line)
        if (!row.texts[kLines[line].ruby].empty())
            groups[line] = buildRubyGroups(row.texts[kLines[line].ruby], layout.plainTexts[kLines[line].body]);

    // Measured with the main font as held, before the fonts follow this
    // row's orientation.
    const int32_t widerExtent = std::max(rasteriser_.textExtent(fonts_.main, layout.plainTexts[Line1Body]).cx,
                                         rasteriser_.textExtent(fonts_.main, layout.plainTexts[Line2Body]).cx);
    const int32_t start = startOffset(fromEdge_, vertical, frameWidth, frameHeight, widerExtent);

    PenColours pen = rowStartColours(colours);
    // Runs one pass from `along` (the coordinate along the line) at the
    // text's position across it.
    auto pass = [&](int k, std::u16string_view text, int32_t along,
                    std::array<int32_t, kBodyCoordinateCount>* bodyCoordinates) {
        bringFontsTo(vertical);
        FontSpec& font = kindOfText(k) == TextKind::Body ? fonts_.main : fonts_.ruby;
        GlyphPassState state{rasteriser_, colours, pen, bold_, font, vertical};
        const int32_t across = layout.positions[k];
        runGlyphPass(state, text, vertical ? across : along, vertical ? along : across, layout.cells[k],
                     bodyCoordinates);
    };

    for (std::size_t line = 0; line < kLines.size(); ++line) {
        const Line& texts = kLines[line];
        std::array<int32_t, kBodyCoordinateCount>& coordinates = layout.bodyCoordinates[line];
        if (!row.texts[texts.body].empty()) pass(texts.body, row.texts[texts.body], start, &coordinates);
        if (row.texts[texts.ruby].empty()) continue;
        for (int g = 0; g < groups[line].count; ++g) {
            const RubyGroup& group = groups[line].groups[std::size_t(g)];
            pass(texts.ruby, group.ruby, coordinateAt(coordinates, group.anchor), nullptr);
        }
    }
}

}  // namespace qucap
