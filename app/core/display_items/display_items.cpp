#include "app/core/display_items/display_items.h"

#include <algorithm>

namespace qucap {
namespace {

using Names = std::vector<std::u16string>;

Names joined(const Names& first, const Names& second) {
    Names all(first);
    all.insert(all.end(), second.begin(), second.end());
    return all;
}

}  // namespace

std::vector<std::u16string> displayListSourceNames(DisplayListKind kind, const std::vector<std::u16string>& fontNames,
                                                   const EncoderTables& encoders) {
    switch (kind) {
        case DisplayListKind::Fonts: return fontNames;
        case DisplayListKind::VideoEncoders: return joined(encoders.videoCompressors, encoders.videoEncoderFilters);
        case DisplayListKind::AudioEncoders: return joined(encoders.audioCompressors, encoders.audioEncoderFilters);
    }
    return {};
}

std::vector<std::u16string> checkedNames(const std::vector<DisplayItem>& items) {
    std::vector<std::u16string> names;
    for (const DisplayItem& item : items)
        if (item.checked) names.push_back(item.name);
    return names;
}

std::vector<std::u16string> keptNames(const std::vector<DisplayItem>& items,
                                      const std::vector<std::u16string>& listedBefore) {
    std::vector<std::u16string> names = checkedNames(items);
    for (const std::u16string& name : listedBefore) {
        const bool offered =
            std::any_of(items.begin(), items.end(), [&name](const DisplayItem& item) { return item.name == name; });
        if (!offered) names.push_back(name);
    }
    return names;
}

DisplayListKind firstCheckedKind(const std::array<bool, 3>& radiosChecked, DisplayListKind current) {
    for (std::size_t i = 0; i < radiosChecked.size(); ++i)
        if (radiosChecked[i]) return DisplayListKind(int(i) + 1);
    return current;
}

}  // namespace qucap
