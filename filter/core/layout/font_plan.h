#pragma once
// The filter's four fonts as descriptions: the faces and cell heights taken
// from the settings (with the enlargement for Meiryo faces) and the main and
// ruby fonts for a horizontal or a vertical row.
#include <cstdint>
#include <string>
#include <string_view>

#include "filter/core/filter_settings.h"
#include "filter/core/rasteriser.h"

namespace qucap {

constexpr int32_t kHorizontalEscapement = 0;
constexpr int32_t kVerticalEscapement = 2700;
constexpr int32_t kNormalWeight = 400;
constexpr int32_t kBoldWeight = 700;

// "メイリオ" or "Meiryo UI", with or without a leading "@".
bool isMeiryoFace(std::u16string_view face);
// The configured size, or size x 14 / 10 for a Meiryo face.
int32_t cellHeightOf(std::u16string_view face, int32_t configuredSize);
// The face with "@" in front for a vertical row, without it for a horizontal one.
std::u16string faceFor(std::u16string_view face, bool vertical);

// What the main and ruby fonts are made from; the heights are computed once
// from the configured sizes, so re-creating a font never enlarges twice.
struct FontPlan {
    std::u16string mainFace;
    std::u16string rubyFace;
    int32_t mainHeight = 0;
    int32_t rubyHeight = 0;
    bool operator==(const FontPlan&) const = default;
};

FontPlan planFonts(const FilterSettings& settings);

// Main or ruby font of a row of that orientation, at normal weight.
FontSpec rowFont(std::u16string_view face, int32_t height, bool vertical);
// The time-display and watermark fonts: the main face without "@", upright,
// 16 and 10 pixels high (22 and 14 for a Meiryo main face).
FontSpec timeDisplayFont(std::u16string_view mainFace);
FontSpec watermarkFont(std::u16string_view mainFace);

}  // namespace qucap
