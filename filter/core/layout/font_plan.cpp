#include "filter/core/layout/font_plan.h"

namespace qucap {
namespace {

constexpr char16_t kVerticalMark = u'@';

struct SmallFontHeights {
    int32_t plain;
    int32_t meiryo;
};
constexpr SmallFontHeights kTimeDisplayHeights{16, 22};
constexpr SmallFontHeights kWatermarkHeights{10, 14};

std::u16string_view withoutVerticalMark(std::u16string_view face) {
    if (!face.empty() && face.front() == kVerticalMark) face.remove_prefix(1);
    return face;
}

FontSpec smallFont(std::u16string_view mainFace, SmallFontHeights heights) {
    FontSpec font;
    font.face = std::u16string(withoutVerticalMark(mainFace));
    font.height = isMeiryoFace(mainFace) ? heights.meiryo : heights.plain;
    font.escapement = kHorizontalEscapement;
    font.weight = kNormalWeight;
    return font;
}

}  // namespace

bool isMeiryoFace(std::u16string_view face) {
    const std::u16string_view bare = withoutVerticalMark(face);
    return bare == u"メイリオ" || bare == u"Meiryo UI";
}

int32_t cellHeightOf(std::u16string_view face, int32_t configuredSize) {
    if (!isMeiryoFace(face)) return configuredSize;
    return int32_t(int64_t(configuredSize) * 14 / 10);
}

std::u16string faceFor(std::u16string_view face, bool vertical) {
    const std::u16string_view bare = withoutVerticalMark(face);
    if (!vertical) return std::u16string(bare);
    std::u16string marked(1, kVerticalMark);
    marked += bare;
    return marked;
}

FontPlan planFonts(const FilterSettings& settings) {
    FontPlan plan;
    plan.mainFace = settings.mainFace;
    plan.rubyFace = settings.rubyFace;
    plan.mainHeight = cellHeightOf(settings.mainFace, settings.mainSize);
    plan.rubyHeight = cellHeightOf(settings.rubyFace, settings.rubySize);
    return plan;
}

FontSpec rowFont(std::u16string_view face, int32_t height, bool vertical) {
    FontSpec font;
    font.face = faceFor(face, vertical);
    font.height = height;
    font.escapement = vertical ? kVerticalEscapement : kHorizontalEscapement;
    font.weight = kNormalWeight;
    return font;
}

FontSpec timeDisplayFont(std::u16string_view mainFace) { return smallFont(mainFace, kTimeDisplayHeights); }
FontSpec watermarkFont(std::u16string_view mainFace) { return smallFont(mainFace, kWatermarkHeights); }

}  // namespace qucap
