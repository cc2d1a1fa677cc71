#include "app/core/colour_settings/colour_tab.h"

#include <algorithm>

namespace qucap {

namespace {

bool isHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

char16_t upperCase(char16_t c) { return c >= u'a' && c <= u'f' ? char16_t(c - u'a' + u'A') : c; }

}  // namespace

ColourEntry normaliseColourEntry(std::u16string_view fieldText, int caret) {
    ColourEntry entry;
    const std::u16string_view read = fieldText.substr(0, std::min<std::size_t>(fieldText.size(), kColourFieldLength));
    int removedBeforeCaret = 0;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (isHexDigit(read[i])) {
            entry.text.push_back(upperCase(read[i]));
            continue;
        }
        entry.rejected = true;
        if (int(i) < caret) ++removedBeforeCaret;
    }
    entry.text.resize(kColourFieldLength, u'0');
    entry.caret = std::clamp(caret - removedBeforeCaret, 0, kColourFieldLength);
    return entry;
}

const std::array<ColourSlotControls, kColourSlotCount> kColourSlotControls = {{
    {{1260, 1262, 1264}, 1266},  // red
    {{1274, 1276, 1278}, 1280},  // green
    {{1267, 1269, 1271}, 1273},  // blue
    {{1281, 1283, 1285}, 1287},  // yellow
    {{1288, 1290, 1292}, 1294},  // magenta
    {{1295, 1297, 1299}, 1301},  // cyan
    {{1302, 1304, 1306}, 1308},  // black
    {{1309, 1311, 1313}, 1315},  // white
}};

bool colourFieldOf(int id, ColourFieldPlace& place) {
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        for (int role = 0; role < kColourRoleCount; ++role)
            if (kColourSlotControls[std::size_t(slot)].fields[std::size_t(role)] == id) {
                place = {slot, ColourRole(role)};
                return true;
            }
    return false;
}

bool colourSwatchOf(int id, ColourFieldPlace& place) { return colourFieldOf(id - 1, place); }

std::vector<ControlEnabling> colourTabStates(const ProjectColours& colours, PlayState state) {
    const bool typing = state != PlayState::Playing;
    std::vector<ControlEnabling> states;
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        const ColourSlotControls& controls = kColourSlotControls[std::size_t(slot)];
        for (const int field : controls.fields) {
            states.push_back({field, typing});
            states.push_back({field + 1, typing});
        }
        states.push_back({controls.reset, differsFromDefault(colours[slot], slot) && !isPreviewActive(state)});
    }
    return states;
}

std::array<uint32_t, 16> colourDialogCustomColours() {
    std::array<uint32_t, 16> colours;
    colours.fill(0xFFFFFF);
    const uint32_t first[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x000000};
    std::copy(std::begin(first), std::end(first), colours.begin());
    return colours;
}

}  // namespace qucap
