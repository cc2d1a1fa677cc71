#pragma once
// The keys of the project file and of the settings file, with the range and
// fallback every reader applies. The program and the filter read the same
// keys in different orders into different records; both use these rules.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"
#include "captiondata/limits.h"
#include "captiondata/profile/ini_document.h"

namespace qucap {

// The default watermark text, both in a new project file and as the fallback.
inline constexpr std::u16string_view kMakerWebAddress = u"https://qucap.example.org/";

struct ProfileKey {
    std::u16string_view section;
    std::u16string_view name;
};

// A text key: what a missing key gives and how many characters are kept.
struct TextKeyRule {
    ProfileKey key;
    std::u16string_view fallback;
    std::size_t maxChars;
};

// An integer key, read with default 0: a value outside min..max (0 included
// where 0 is outside) gives the fallback. Two-valued keys are the range 0..1,
// so only exactly 0 or 1 is kept.
struct IntKeyRule {
    ProfileKey key;
    int32_t min;
    int32_t max;
    int32_t fallback;
};

// Settings file "Qucapadd.ini".
inline constexpr ProfileKey kLastOpenFileName{u"LastOpen", u"FileName"};

// Project file.
inline constexpr TextKeyRule kInpMovName{{u"FileName", u"InpMovName"}, kNoFile, kPathMax};
inline constexpr TextKeyRule kInpColName{{u"FileName", u"InpColName"}, kNoFile, kPathMax};
inline constexpr TextKeyRule kInpCapName{{u"FileName", u"InpCapName"}, kNoFile, kPathMax};
inline constexpr TextKeyRule kInpBoxName{{u"FileName", u"InpBoxName"}, kNoFile, kPathMax};
inline constexpr TextKeyRule kOutMovName{{u"FileName", u"OutMovName"}, kNoFile, kPathMax};
inline constexpr TextKeyRule kMainName{{u"FontName", u"MainName"}, kNoFile, kFontNameMax};
inline constexpr TextKeyRule kRubyName{{u"FontName", u"RubyName"}, kNoFile, kFontNameMax};
inline constexpr IntKeyRule kMainSize{{u"FontSize", u"MainSize"}, 4, 128, 32};
inline constexpr IntKeyRule kRubySize{{u"FontSize", u"RubySize"}, 4, 128, 16};
inline constexpr IntKeyRule kLayoutType{{u"Layout", u"Type"}, 1, 2, 1};
inline constexpr IntKeyRule kLayoutFill{{u"Layout", u"Fill"}, 0, 1, 0};
inline constexpr IntKeyRule kLayoutSide{{u"Layout", u"Side"}, 0, 1, 0};
inline constexpr IntKeyRule kBorderType{{u"Border", u"Type"}, 1, 4, 1};
// The values of kBorderType.
enum class BorderType : int32_t { Border = 1, Shadow = 2, None = 3, BlackBox = 4 };
constexpr bool isBorderType(int32_t value, BorderType type) { return value == int32_t(type); }
// Border and shadow draw rings around the glyphs, in the border widths.
constexpr bool borderTypeDrawsRings(int32_t value) {
    return isBorderType(value, BorderType::Border) || isBorderType(value, BorderType::Shadow);
}
inline constexpr IntKeyRule kBorderGradation{{u"Border", u"Gradation"}, 0, 1, 0};
inline constexpr IntKeyRule kMainWidth{{u"Border", u"MainWidth"}, 1, 9, 3};
inline constexpr IntKeyRule kRubyWidth{{u"Border", u"RubyWidth"}, 1, 9, 1};
inline constexpr IntKeyRule kWaterMarkDisp{{u"WaterMark", u"Disp"}, 0, 1, 0};
// An empty MarkString also gives the fallback (readWatermarkText).
inline constexpr TextKeyRule kMarkString{{u"WaterMark", u"MarkString"}, kMakerWebAddress, kPathMax};
inline constexpr ProfileKey kWaterMarkColor{u"WaterMark", u"Color"};
inline constexpr IntKeyRule kRepTime{{u"RepTime", u"Time"}, 0, 99, 0};
inline constexpr IntKeyRule kTimeDisp{{u"TimeDisp", u"Disp"}, 0, 1, 0};

// The watermark colours: the index the synthesis tab keeps, the name stored
// in the project file, and the colour drawn.
struct WatermarkColour {
    int32_t index;
    std::u16string_view name;
    uint8_t red, green, blue;

    // As a Windows colour value 0x00BBGGRR.
    constexpr uint32_t colourRef() const { return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16; }
};

inline constexpr std::array<WatermarkColour, 8> kWatermarkColours{{
    {1, u"Red", 255, 0, 0},
    {2, u"Green", 0, 255, 0},
    {3, u"Blue", 0, 0, 255},
    {4, u"Yellow", 255, 255, 0},
    {5, u"Pink", 255, 0, 255},
    {6, u"Cyan", 0, 255, 255},
    {7, u"Black", 0, 0, 0},
    {8, u"White", 255, 255, 255},
}};
inline constexpr const WatermarkColour& kCyan = kWatermarkColours[5];

// The colour with exactly this name (case included); Cyan for any other text.
const WatermarkColour& watermarkColourNamed(std::u16string_view name);
// The colour with this index; Cyan outside 1..8.
const WatermarkColour& watermarkColourAt(int32_t index);

// Readers of one key with its rule.
std::u16string readTextKey(const IniDocument& file, const TextKeyRule& rule);
int32_t readIntKey(const IniDocument& file, const IntKeyRule& rule);
// MarkString; a missing or empty value gives the maker's web address.
std::u16string readWatermarkText(const IniDocument& file);
// Color by name, Cyan when missing or unknown.
const WatermarkColour& readWatermarkColour(const IniDocument& file);

}  // namespace qucap
