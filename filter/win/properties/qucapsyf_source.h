#pragma once
// The running filter's IQucapsyf as the page model's source of values.
#include "filter/core/propertypage/page_source.h"
#include "filter/win/iqucapsyf.h"

namespace qucap {

// Borrows the interface; the page holds the reference.
class QucapsyfSource : public PageSettingsSource {
public:
    explicit QucapsyfSource(IQucapsyf& filter) : filter_(filter) {}

    std::u16string settingsPath() override;
    std::u16string projectPath() override;
    std::u16string captionPath() override;
    std::vector<std::u16string> installedFonts() override;
    PageFaceNames faceNames() override;
    PageFontSizes fontSizes() override;
    PageLayout layout() override;
    int32_t timeDisplay() override;
    int32_t borderType() override;

    void setCaptionPath(std::u16string_view path) override;
    void setFaceNames(std::u16string_view main, std::u16string_view ruby) override;
    void setFontSizes(int32_t main, int32_t ruby) override;
    void setLayout(int32_t type, int32_t fill, int32_t side) override;
    void setTimeDisplay(int32_t flag) override;
    void setBorderType(int32_t type) override;

private:
    IQucapsyf& filter_;
};

}  // namespace qucap
