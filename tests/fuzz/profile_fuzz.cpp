// Feeds arbitrary bytes to the profile as an initialisation file in memory:
// reads keys and the project settings, writes one key, and checks that the
// write either reads back exactly or is refused with the file untouched, and
// that no other key changes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "captiondata/profile/ini_profile.h"
#include "captiondata/project/project_settings.h"
#include "tests/support/test_io.h"

namespace {

using namespace qucap;

bool sameExceptWatermarkText(const ProjectSettings& a, const ProjectSettings& b) {
    return a.inputMoviePath == b.inputMoviePath && a.colourInfoPath == b.colourInfoPath &&
           a.captionInfoPath == b.captionInfoPath && a.boxInfoPath == b.boxInfoPath &&
           a.outputMoviePath == b.outputMoviePath && a.mainFontName == b.mainFontName &&
           a.rubyFontName == b.rubyFontName && a.mainSize == b.mainSize && a.rubySize == b.rubySize &&
           a.layoutType == b.layoutType && a.fillFlag == b.fillFlag && a.sideFlag == b.sideFlag &&
           a.borderType == b.borderType && a.gradationFlag == b.gradationFlag &&
           a.mainBorderWidth == b.mainBorderWidth && a.rubyBorderWidth == b.rubyBorderWidth &&
           a.watermarkFlag == b.watermarkFlag && a.watermarkColour == b.watermarkColour &&
           a.rewindSeconds == b.rewindSeconds;
}

bool withinRanges(const ProjectSettings& s) {
    auto in = [](int32_t v, const IntKeyRule& rule) { return v >= rule.min && v <= rule.max; };
    return in(s.mainSize, kMainSize) && in(s.rubySize, kRubySize) && in(s.layoutType, kLayoutType) &&
           in(s.fillFlag, kLayoutFill) && in(s.sideFlag, kLayoutSide) && in(s.borderType, kBorderType) &&
           in(s.gradationFlag, kBorderGradation) && in(s.mainBorderWidth, kMainWidth) &&
           in(s.rubyBorderWidth, kRubyWidth) && in(s.watermarkFlag, kWaterMarkDisp) &&
           in(s.rewindSeconds, kRepTime) && s.watermarkColour >= 1 && s.watermarkColour <= 8 &&
           s.inputMoviePath.size() <= kPathMax && s.mainFontName.size() <= kFontNameMax &&
           s.watermarkText.size() <= kPathMax && !s.watermarkText.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr std::u16string_view kPath = u"C:\\Users\\user\\Documents\\fuzz.mcc";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    test::TestIo t;
    t.files.addFile(kPath, bytes);
    IniProfile profile(t.io);

    ProjectSettings before;
    if (LoadProjectSettings(t.io, kPath, before) != 0 || !withinRanges(before)) __builtin_trap();
    const std::u16string lastOpen = readLastOpenForFilter(t.io, kPath);
    const int32_t layout = profile.readInt(kPath, u"layout", u"TYPE", -7);

    // A value made of the input's first UTF-16 units, between two letters so
    // that no white space is trimmed from it; line breaks in it are refused.
    std::u16string value = u"v";
    for (size_t at = 0; at + 1 < size && at < 16; at += 2) value += char16_t(data[at] | data[at + 1] << 8);
    value += u'v';
    const bool refusable = value.find_first_of(u"\r\n") != std::u16string::npos;

    const bool written = profile.writeString(kPath, u"WaterMark", u"MarkString", value);
    if (written == refusable) __builtin_trap();
    if (!written) {
        if (t.files.contents(kPath) != bytes) __builtin_trap();
        return 0;
    }
    if (profile.readString(kPath, u"watermark", u"markstring", u"") != value) __builtin_trap();
    ProjectSettings after;
    if (LoadProjectSettings(t.io, kPath, after) != 0 || !sameExceptWatermarkText(before, after)) __builtin_trap();
    if (readLastOpenForFilter(t.io, kPath) != lastOpen) __builtin_trap();
    if (profile.readInt(kPath, u"Layout", u"Type", -7) != layout) __builtin_trap();

    // Writing the same value again changes nothing.
    const std::string once = t.files.contents(kPath);
    if (!profile.writeString(kPath, u"WaterMark", u"MarkString", value) || t.files.contents(kPath) != once)
        __builtin_trap();
    return 0;
}
