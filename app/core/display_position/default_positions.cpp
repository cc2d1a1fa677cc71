#include "app/core/display_position/default_positions.h"

#include <algorithm>
#include <vector>

namespace qucap {
namespace {

using SlotOrder = std::array<int, kTextCount>;

// The texts in the order they are stacked from the far edge inwards.
constexpr SlotOrder kHorizontalLayout1 = {Line2Ruby, Line2Body, Line1Body, Line1Ruby};
constexpr SlotOrder kHorizontalLayout2 = {Line2Body, Line2Ruby, Line1Body, Line1Ruby};
constexpr SlotOrder kVerticalLayout1 = {Line1Ruby, Line1Body, Line2Body, Line2Ruby};
constexpr SlotOrder kVerticalLayout2 = {Line1Ruby, Line1Body, Line2Ruby, Line2Body};

const SlotOrder& slotOrder(bool vertical, int32_t layoutType) {
    const bool between = layoutType == 2;
    if (vertical) return between ? kVerticalLayout2 : kVerticalLayout1;
    return between ? kHorizontalLayout2 : kHorizontalLayout1;
}

bool isRuby(int text) { return text == Line1Ruby || text == Line2Ruby; }
bool isLine2(int text) { return text == Line2Body || text == Line2Ruby; }

// Meiryo fonts draw their glyphs without the usual gap between lines.
int32_t gapOf(const PositionSettings& settings) { return isMeiryoFont(settings.mainFont) ? 0 : 2; }

// Meiryo fonts stand lower (horizontal) or further left (vertical) in their
// cell: a text in one is moved back by a share of its size. `sign` -1 undoes it.
int32_t meiryoShift(bool vertical, int32_t size, int sign) {
    return vertical ? sign * (size / 5) : -sign * (size / 7);
}

// The slots that take a place: line 2 gives up both when it is empty, an
// empty ruby gives up its own when the fill option is on.
std::vector<int> placedSlots(const PositionSettings& settings, const WorkingRow& row, PlacementEdge edge) {
    const auto has = [&row](int text) { return !row.texts[std::size_t(text)].empty(); };
    const bool line2Empty = !has(Line2Body) && !has(Line2Ruby);
    std::vector<int> slots;
    for (const int text : slotOrder(row.vertical, settings.layoutType)) {
        if (line2Empty && isLine2(text)) continue;
        if (settings.fill && isRuby(text) && !has(text)) continue;
        slots.push_back(text);
    }
    if (edge == PlacementEdge::Near) std::reverse(slots.begin(), slots.end());
    return slots;
}

}  // namespace

PositionSettings positionSettingsOf(const ProjectSettings& settings, const MediaFacts& movie) {
    PositionSettings out;
    out.frameWidth = movie.width;
    out.frameHeight = movie.height;
    out.mainSize = settings.mainSize;
    out.rubySize = settings.rubySize;
    out.layoutType = settings.layoutType;
    out.fill = settings.fillFlag != 0;
    out.mainFont = settings.mainFontName;
    out.rubyFont = settings.rubyFontName;
    return out;
}

bool isMeiryoFont(std::u16string_view name) { return name == u"メイリオ" || name == u"Meiryo UI"; }

int32_t frameExtent(const PositionSettings& settings, bool vertical) {
    return vertical ? settings.frameWidth : settings.frameHeight;
}

int32_t textSize(const PositionSettings& settings, int text) {
    return isRuby(text) ? settings.rubySize : settings.mainSize;
}

int32_t lastPosition(const PositionSettings& settings, bool vertical, int text) {
    return std::max(1, frameExtent(settings, vertical) - textSize(settings, text) + 1);
}

int32_t keptInFrame(const PositionSettings& settings, bool vertical, int text, int32_t position) {
    return std::clamp(position, 1, lastPosition(settings, vertical, text));
}

PositionSet defaultPositions(const PositionSettings& settings, const WorkingRow& row, PlacementEdge edge) {
    PositionSet positions{};
    const auto has = [&row](int text) { return !row.texts[std::size_t(text)].empty(); };
    if (!has(Line1Body) || (!has(Line2Body) && has(Line2Ruby))) return positions;

    const bool vertical = row.vertical;
    const int32_t gap = gapOf(settings);
    const int32_t extent = frameExtent(settings, vertical);
    // Pixels taken from the stacking edge so far, the margin first.
    int32_t taken = vertical ? settings.frameWidth / 36 : settings.frameHeight / 24;
    for (const int text : placedSlots(settings, row, edge)) {
        const int32_t size = textSize(settings, text);
        int32_t position = edge == PlacementEdge::Far ? extent - taken - size : taken;
        taken += size + gap;
        const std::u16string& font = isRuby(text) ? settings.rubyFont : settings.mainFont;
        if (isMeiryoFont(font)) position += meiryoShift(vertical, size, +1);
        // 0 would read as "not set"; a tiny frame still gets a place.
        if (has(text)) positions[std::size_t(text)] = std::max(position, 1);
    }
    return positions;
}

DefaultPositionRules::Line2 swappedLine2(const PositionSettings& settings, bool vertical,
                                         DefaultPositionRules::Line2 defaults) {
    if (defaults.body == defaults.ruby) return defaults;
    const int32_t mainSize = settings.mainSize;
    const int32_t rubySize = settings.rubySize;
    const bool meiryo = isMeiryoFont(settings.rubyFont);
    const auto shift = [&](DefaultPositionRules::Line2 pair, int sign) {
        if (!meiryo) return pair;
        return DefaultPositionRules::Line2{pair.body + meiryoShift(vertical, mainSize, sign),
                                           pair.ruby + meiryoShift(vertical, rubySize, sign)};
    };
    const DefaultPositionRules::Line2 plain = shift(defaults, -1);
    const int32_t gap = gapOf(settings);
    DefaultPositionRules::Line2 swapped;
    if (plain.body < plain.ruby)
        swapped = {plain.body + rubySize + gap, plain.body};
    else
        swapped = {plain.ruby, plain.ruby + mainSize + gap};
    return shift(swapped, +1);
}

DefaultPositionRules defaultPositionRules(const PositionSettings& settings) {
    return {[settings](const WorkingRow& row) { return defaultPositions(settings, row); },
            [settings](const WorkingRow& row, DefaultPositionRules::Line2 pair) {
                return swappedLine2(settings, row.vertical, pair);
            }};
}

void fillZeroPositions(const PositionSettings& settings, WorkingRow& row) {
    const PositionSet defaults = defaultPositions(settings, row);
    for (int text = 0; text < kTextCount; ++text)
        if (row.positions[std::size_t(text)] == 0) row.positions[std::size_t(text)] = defaults[std::size_t(text)];
}

void followDefaultPositions(const PositionSettings& settings, const WorkingRow& before, WorkingRow& row) {
    if (row.lock == 0) {
        const PositionSet previous = defaultPositions(settings, before);
        for (std::size_t text = 0; text < row.positions.size(); ++text)
            if (row.positions[text] == previous[text]) row.positions[text] = 0;
    }
    fillZeroPositions(settings, row);
}

}  // namespace qucap
