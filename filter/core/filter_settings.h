#pragma once
// The filter's rendering settings, read once from the project the program
// loaded last (named in "Qucapadd.ini" next to the filter module).
#include <cstdint>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"

namespace qucap {

struct FilterSettings {
    std::u16string settingsFilePath;
    std::u16string projectFilePath = std::u16string(kNoFile);
    std::u16string captionInfoPath = std::u16string(kNoFile);  // InpCapName
    std::u16string boxInfoPath = std::u16string(kNoFile);      // InpBoxName
    std::u16string colourInfoPath = std::u16string(kNoFile);   // InpColName
    std::u16string mainFace = std::u16string(kNoFile);         // MainName
    std::u16string rubyFace = std::u16string(kNoFile);         // RubyName
    int32_t mainSize = 32;
    int32_t rubySize = 16;
    int32_t layoutType = 1;   // kept for the property page only
    int32_t fillFlag = 0;     // kept for the property page only
    int32_t sideFlag = 0;     // 1: captions start from the frame edge
    int32_t timeDisplay = 0;  // 1: the time display is drawn
    int32_t borderType = 1;   // 1 border, 2 shadow, 3 none, 4 black box
    int32_t gradation = 0;    // 1: rings drawn opaque
    int32_t mainBorderWidth = 3;
    int32_t rubyBorderWidth = 1;
    int32_t watermarkFlag = 0;
    std::u16string watermarkText;
    uint32_t watermarkColour = 0x00FFFF00;  // cyan, 0x00BBGGRR
};

// "Qucapadd.ini" in the folder of the module path (the folder is empty when
// the path holds "*" or "?").
std::u16string filterSettingsFilePath(std::u16string_view modulePath);

// The settings as the filter reads them when it is constructed: the project
// named by [LastOpen] FileName, key by key with the common rules; every field
// keeps its fallback when the settings or project file is missing or unreadable.
FilterSettings readFilterSettings(const Io& io, std::u16string_view modulePath);

}  // namespace qucap
