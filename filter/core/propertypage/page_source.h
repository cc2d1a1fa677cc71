#pragma once
// The part of the running filter the property page reads and changes. The
// Windows page adapts the filter's COM interface to it; tests use a fake.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

struct PageFaceNames {
    std::u16string main;
    std::u16string ruby;
};

struct PageFontSizes {
    int32_t main = 0;
    int32_t ruby = 0;
};

struct PageLayout {
    int32_t type = 0;
    int32_t fill = 0;
    int32_t side = 0;
};

class PageSettingsSource {
public:
    virtual ~PageSettingsSource() = default;

    virtual std::u16string settingsPath() = 0;
    virtual std::u16string projectPath() = 0;
    virtual std::u16string captionPath() = 0;
    virtual std::vector<std::u16string> installedFonts() = 0;
    // As the filter holds them: a leading "@" after a vertical row.
    virtual PageFaceNames faceNames() = 0;
    virtual PageFontSizes fontSizes() = 0;
    virtual PageLayout layout() = 0;
    virtual int32_t timeDisplay() = 0;
    virtual int32_t borderType() = 0;

    virtual void setCaptionPath(std::u16string_view path) = 0;
    virtual void setFaceNames(std::u16string_view main, std::u16string_view ruby) = 0;
    virtual void setFontSizes(int32_t main, int32_t ruby) = 0;
    virtual void setLayout(int32_t type, int32_t fill, int32_t side) = 0;
    virtual void setTimeDisplay(int32_t flag) = 0;
    virtual void setBorderType(int32_t type) = 0;
};

}  // namespace qucap
