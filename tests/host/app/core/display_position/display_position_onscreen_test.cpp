// Rows placed by the default positions, laid out as the caption filter lays
// them out: every glyph inside the frame, the four texts stacked in their
// order without overlapping, at both orientations and both layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/core/display_position/default_positions.h"
#include "filter/core/layout/layouter.h"
#include "tests/host/filter/core/compose/compose_fixture.h"

namespace qucap {
namespace {

struct Extent {
    int32_t first = INT32_MAX;  // smallest y (horizontal) or x (vertical), 1-based
    int32_t last = INT32_MIN;   // largest
};

class DefaultsOnScreen : public ::testing::TestWithParam<std::tuple<bool, int32_t>> {};

TEST_P(DefaultsOnScreen, EveryTextIsInsideTheFrameInItsOwnSlot) {
    const auto [vertical, layoutType] = GetParam();
    test::Composer c;  // a 320 x 240 frame, body 24, ruby 12
    const int32_t width = c.inputFormat.width;
    const int32_t height = std::abs(c.inputFormat.height);

    PositionSettings settings;
    settings.frameWidth = width;
    settings.frameHeight = height;
    settings.mainSize = c.settings.mainSize;
    settings.rubySize = c.settings.rubySize;
    settings.layoutType = layoutType;
    settings.mainFont = c.settings.mainFace;
    settings.rubyFont = c.settings.rubyFace;
    WorkingRow working;
    working.vertical = vertical;
    // A ruby text names its base in the body: "base(ruby)".
    working.texts = {u"字幕", u"字幕(じまく)", u"二行目", u"行目(ぎょうめ)"};
    const PositionSet positions = defaultPositions(settings, working);

    c.settings.layoutType = layoutType;
    test::FakeRasteriser rasteriser;
    CaptionLayouter layouter(rasteriser);
    layouter.prepareFonts(c.settings);
    RowLayout layout;
    layouter.layoutRow(test::captionRow(1, 100, vertical ? u"縦" : u"横", working.texts, positions), c.colours,
                       width, height, layout);

    std::array<Extent, kTextCount> extents;
    for (int text = 0; text < kTextCount; ++text) {
        ASSERT_FALSE(layout.cells[std::size_t(text)].empty()) << text;
        for (const GlyphCell& cell : layout.cells[std::size_t(text)]) {
            const PlacedBitmap& glyph = cell.glyph;
            EXPECT_GE(glyph.x, 1) << text;
            EXPECT_GE(glyph.y, 1) << text;
            EXPECT_LE(glyph.x + glyph.bitmap.width - 1, width) << text;
            EXPECT_LE(glyph.y + glyph.bitmap.height - 1, height) << text;
            Extent& e = extents[std::size_t(text)];
            const int32_t from = vertical ? glyph.x : glyph.y;
            const int32_t size = vertical ? glyph.bitmap.width : glyph.bitmap.height;
            e.first = std::min(e.first, from);
            e.last = std::max(e.last, from + size - 1);
        }
    }
    // From the far edge inwards, as the slot order says; no two texts share a pixel row (column).
    const bool between = layoutType == 2;
    const std::array<int, kTextCount> fromFarEdge =
        vertical ? (between ? std::array<int, kTextCount>{Line1Ruby, Line1Body, Line2Ruby, Line2Body}
                            : std::array<int, kTextCount>{Line1Ruby, Line1Body, Line2Body, Line2Ruby})
                 : (between ? std::array<int, kTextCount>{Line2Body, Line2Ruby, Line1Body, Line1Ruby}
                            : std::array<int, kTextCount>{Line2Ruby, Line2Body, Line1Body, Line1Ruby});
    for (std::size_t slot = 1; slot < fromFarEdge.size(); ++slot) {
        const Extent& outer = extents[std::size_t(fromFarEdge[slot - 1])];
        const Extent& inner = extents[std::size_t(fromFarEdge[slot])];
        EXPECT_LT(inner.last, outer.first) << "slot " << slot;
    }
    // The outermost text keeps clear of the far edge by the margin's share.
    const Extent& outermost = extents[std::size_t(fromFarEdge[0])];
    EXPECT_LE(outermost.last, (vertical ? width - width / 36 : height - height / 24));
}

INSTANTIATE_TEST_SUITE_P(BothOrientationsAndLayouts, DefaultsOnScreen,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1, 2)));

}  // namespace
}  // namespace qucap
