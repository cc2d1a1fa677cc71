#pragma once
// Shared set-up of the layout tests: a recording fake rasteriser, settings
// with plain (not Meiryo) faces, a colour table whose every colour is
// different, and rows built from their four texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/core/layout/layouter.h"
#include "tests/support/fake_rasteriser.h"

namespace qucap::test {

// Also records which font each character and each measurement used.
class RecordingRasteriser : public FakeRasteriser {
public:
    struct Use {
        FontSpec font;
        char16_t character;
    };
    std::optional<RasterGlyph> rasterise(const FontSpec& font, char16_t character) override {
        uses.push_back({font, character});
        return FakeRasteriser::rasterise(font, character);
    }
    TextExtent textExtent(const FontSpec& font, std::u16string_view text) override {
        measured.push_back(font);
        return FakeRasteriser::textExtent(font, text);
    }
    std::vector<Use> uses;
    std::vector<FontSpec> measured;
};

inline constexpr char16_t kMainFace[] = u"ＭＳ ゴシック";
inline constexpr char16_t kRubyFace[] = u"ＭＳ 明朝";

// Slot s: text 0x000010 + s, border start 0x000020 + s, border end 0x000030 + s.
inline ColourTable distinctColours() {
    ColourTable table;
    for (int s = 0; s < kColourSlotCount; ++s) {
        table[s].text.value = 0x10u + s;
        table[s].borderStart.value = 0x20u + s;
        table[s].borderEnd.value = 0x30u + s;
    }
    return table;
}

inline CaptionRow captionRow(std::u16string_view orientation, std::array<std::u16string, kTextCount> texts,
                             std::array<int32_t, kTextCount> positions = {400, 370, 440, 420}) {
    CaptionRow row;
    row.number = 1;
    row.start = 1000;
    row.duration = 2000;
    row.orientation = std::u16string(orientation);
    row.texts = std::move(texts);
    row.positions = positions;
    return row;
}

struct LayoutTest : ::testing::Test {
    RecordingRasteriser rasteriser;
    CaptionLayouter layouter{rasteriser};
    FilterSettings settings;
    ColourTable colours = distinctColours();
    RowLayout layout;
    int32_t width = 720;
    int32_t height = 480;

    LayoutTest() {
        settings.mainFace = kMainFace;
        settings.rubyFace = kRubyFace;
        settings.mainSize = 32;
        settings.rubySize = 16;
        layouter.prepareFonts(settings);
    }

    void lay(const CaptionRow& row) { layouter.layoutRow(row, colours, width, height, layout); }
    void layHorizontal(std::array<std::u16string, kTextCount> texts) { lay(captionRow(u"横", std::move(texts))); }
    void layVertical(std::array<std::u16string, kTextCount> texts) { lay(captionRow(u"縦", std::move(texts))); }

    // The weight each character of the last layout was rasterised with, in order.
    std::vector<int32_t> weightsOf(char16_t character) const {
        std::vector<int32_t> weights;
        for (const auto& use : rasteriser.uses)
            if (use.character == character) weights.push_back(use.font.weight);
        return weights;
    }
};

}  // namespace qucap::test
