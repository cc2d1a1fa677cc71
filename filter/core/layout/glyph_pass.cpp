#include "filter/core/layout/glyph_pass.h"

#include <algorithm>
#include <optional>

#include "captiondata/markup/markup.h"
#include "filter/core/layout/font_plan.h"
#include "filter/core/layout/glyph_bitmap.h"

namespace qucap {
namespace {

// Cell positions are kept this far inside the 32-bit range, so that adding
// bitmap offsets and ring offsets to them later can never overflow; such
// positions lie far outside any frame either way.
constexpr int64_t kFarthestPosition = int64_t(1) << 30;

int32_t framePosition(int64_t value) {
    return int32_t(std::clamp(value, -kFarthestPosition, kFarthestPosition));
}

// The companion glyphs drawn with a cell while their effect is on.
struct CompanionGlyph {
    EffectBit effect;
    char16_t character;
    std::optional<PlacedBitmap> GlyphCell::*slot;
};
constexpr CompanionGlyph kCompanionGlyphs[] = {
    {kUnderline, u'\uFF3F', &GlyphCell::underline},  // "＿"
    {kStrikeOut, u'\u2015', &GlyphCell::strike},     // "―"
};

class GlyphPass {
public:
    GlyphPass(GlyphPassState& state, int32_t x0, int32_t y0) : state_(state), x0_(x0), y0_(y0) {}

    void applyCode(char16_t letter);
    // The cell of one visible character, or nothing when it cannot be rasterised.
    std::optional<GlyphCell> layOut(char16_t character);

private:
    bool effectOn(EffectBit effect) const { return (effects_ & effect) != 0; }
    int32_t ascent();
    PlacedBitmap place(RasterisedGlyph glyph, int64_t advanceBefore);

    GlyphPassState& state_;
    int32_t x0_;
    int32_t y0_;
    unsigned effects_ = 0;  // italic, underline, strike of this pass (bold is kept in the state)
    std::optional<int32_t> ascent_;
    int64_t advance_ = 0;
};

void GlyphPass::applyCode(char16_t letter) {
    for (const EffectCode& code : kEffectCodes) {
        if (letter != code.on && letter != code.off) continue;
        const bool on = letter == code.on;
        if (code.bit == kBold) {
            state_.bold = on;
            const int32_t weight = on ? kBoldWeight : kNormalWeight;
            if (state_.font.weight != weight) {
                state_.font.weight = weight;
                ascent_.reset();
            }
        } else {
            effects_ = on ? effects_ | code.bit : effects_ & ~unsigned(code.bit);
        }
        return;
    }
    if (const std::size_t slot = kColourLetters.find(letter); slot != std::u16string_view::npos) {
        state_.pen.body = state_.colours[slot].text.value;
        return;
    }
    if (letter >= u'a' && letter <= u'z') {
        if (const std::size_t slot = kColourLetters.find(char16_t(letter - u'a' + u'A'));
            slot != std::u16string_view::npos) {
            state_.pen.borderStart = state_.colours[slot].borderStart.value;
            state_.pen.borderEnd = state_.colours[slot].borderEnd.value;
        }
    }
}

int32_t GlyphPass::ascent() {
    if (!ascent_) ascent_ = state_.rasteriser.ascent(state_.font);
    return *ascent_;
}

PlacedBitmap GlyphPass::place(RasterisedGlyph glyph, int64_t advanceBefore) {
    const GlyphMetrics& m = glyph.metrics;
    PlacedBitmap placed;
    if (state_.vertical) {
        placed.y = framePosition(y0_ + advanceBefore + (int64_t(m.cellIncY) - m.blackBoxY) / 2);
        placed.x = framePosition(int64_t(x0_) + m.originX - ascent());
    } else {
        placed.x = framePosition(x0_ + advanceBefore + m.originX);
        placed.y = framePosition(int64_t(y0_) + ascent() - m.originY);
    }
    placed.bitmap = std::move(glyph.bitmap);
    return placed;
}

std::optional<GlyphCell> GlyphPass::layOut(char16_t character) {
    ascent();  // the font of this pass is selected before its first glyph
    const bool italic = effectOn(kItalic);
    std::optional<RasterisedGlyph> glyph = rasteriseGlyph(state_.rasteriser, state_.font, character, italic);
    if (!glyph) return std::nullopt;

    GlyphCell cell;
    cell.bodyColour = state_.pen.body;
    cell.borderStart = state_.pen.borderStart;
    cell.borderEnd = state_.pen.borderEnd;
    const int64_t advanceBefore = advance_;
    advance_ += state_.vertical ? glyph->metrics.cellIncY : glyph->metrics.cellIncX;
    cell.glyph = place(std::move(*glyph), advanceBefore);

    for (const CompanionGlyph& companion : kCompanionGlyphs) {
        if (!effectOn(companion.effect)) continue;
        if (std::optional<RasterisedGlyph> extra =
                rasteriseGlyph(state_.rasteriser, state_.font, companion.character, italic))
            cell.*companion.slot = place(std::move(*extra), advanceBefore);
    }
    return cell;
}

}  // namespace

void runGlyphPass(GlyphPassState& state, std::u16string_view text, int32_t x0, int32_t y0,
                  std::vector<GlyphCell>& cells, std::array<int32_t, kBodyCoordinateCount>* bodyCoordinates) {
    GlyphPass pass(state, x0, y0);
    bool afterDollar = false;
    for (std::size_t i = 0; i < text.size() && cells.size() < std::size_t(kMaxCellsPerText); ++i) {
        const char16_t ch = text[i];
        if (afterDollar && ch != u'$') {
            afterDollar = false;
            pass.applyCode(ch);
            continue;
        }
        if (!afterDollar && ch == u'$') {
            afterDollar = true;
            continue;
        }
        afterDollar = false;
        std::optional<GlyphCell> cell = pass.layOut(ch);
        if (!cell) continue;
        if (bodyCoordinates)
            (*bodyCoordinates)[cells.size()] = state.vertical ? cell->glyph.y : cell->glyph.x;
        cells.push_back(std::move(*cell));
    }
}

}  // namespace qucap
