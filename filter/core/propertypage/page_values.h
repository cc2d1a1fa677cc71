#pragma once
// What the filter's property page holds: the values it shows (the page
// values) and, in a second copy, the values last applied to the filter.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// The face a font list falls back to, added to the lists when not installed.
inline constexpr std::u16string_view kPageDefaultFace = u"ＭＳ ゴシック";

// Ranges offered by the page's lists and the values taken outside them.
inline constexpr int32_t kPageSizeMin = 4;
inline constexpr int32_t kPageSizeMax = 128;
inline constexpr int32_t kPageDefaultMainSize = 32;
inline constexpr int32_t kPageDefaultRubySize = 16;
inline constexpr int32_t kPageWidthMin = 1;
inline constexpr int32_t kPageWidthMax = 9;
inline constexpr int32_t kPageDefaultMainWidth = 3;
inline constexpr int32_t kPageDefaultRubyWidth = 1;

// Characters the user can type into the caption-info path field.
inline constexpr std::size_t kPageCaptionPathTypedMax = 254;

struct PageValues {
    std::u16string settingsPath;
    std::u16string projectPath;
    std::u16string captionPath;
    std::vector<std::u16string> installedFonts;
    std::u16string mainFace;
    std::u16string rubyFace;
    int32_t mainSize = kPageDefaultMainSize;
    int32_t rubySize = kPageDefaultRubySize;
    int32_t layoutType = 1;  // 1 ruby on both sides, 2 ruby between the lines
    int32_t fillFlag = 0;
    int32_t sideFlag = 0;
    int32_t timeDisplay = 0;
    int32_t borderType = 1;  // 1 border, 2 shadow, 3 none, 4 black box
    // The filter has no getters for the widths: a page always starts with these.
    int32_t mainWidth = kPageDefaultMainWidth;
    int32_t rubyWidth = kPageDefaultRubyWidth;

    bool operator==(const PageValues&) const = default;
};

}  // namespace qucap
