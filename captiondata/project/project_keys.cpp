#include "captiondata/project/project_keys.h"

#include "captiondata/text/u16.h"

namespace qucap {

const WatermarkColour& watermarkColourNamed(std::u16string_view name) {
    for (const auto& colour : kWatermarkColours)
        if (colour.name == name) return colour;
    return kCyan;
}

const WatermarkColour& watermarkColourAt(int32_t index) {
    for (const auto& colour : kWatermarkColours)
        if (colour.index == index) return colour;
    return kCyan;
}

std::u16string readTextKey(const IniDocument& file, const TextKeyRule& rule) {
    return truncated(file.readString(rule.key.section, rule.key.name, rule.fallback), rule.maxChars);
}

int32_t readIntKey(const IniDocument& file, const IntKeyRule& rule) {
    const int32_t value = file.readInt(rule.key.section, rule.key.name, 0);
    return value >= rule.min && value <= rule.max ? value : rule.fallback;
}

std::u16string readWatermarkText(const IniDocument& file) {
    std::u16string text = readTextKey(file, kMarkString);
    return text.empty() ? std::u16string(kMakerWebAddress) : text;
}

const WatermarkColour& readWatermarkColour(const IniDocument& file) {
    return watermarkColourNamed(file.readString(kWaterMarkColor.section, kWaterMarkColor.name, kCyan.name));
}

}  // namespace qucap
