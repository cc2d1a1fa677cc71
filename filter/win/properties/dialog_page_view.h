#pragma once
// The page model's view on the property page's dialog window: controls by id,
// drop-down lists, check boxes and radio buttons, and the caption-file dialog.
#include <windows.h>

#include "filter/core/propertypage/page_view.h"

namespace qucap {

class DialogPageView : public PageView {
public:
    explicit DialogPageView(HWND dialog) : dialog_(dialog) {}

    void setText(int control, std::u16string_view text) override;
    std::u16string text(int control) override;
    void limitText(int control, std::size_t maxChars) override;
    void fillList(int control, const std::vector<std::u16string>& items) override;
    void selectItem(int control, int index) override;
    std::optional<std::u16string> selectedText(int control) override;
    void setChecked(int control, bool checked) override;
    bool isChecked(int control) override;
    void enable(int control, bool enabled) override;
    std::optional<std::u16string> chooseCaptionFile(std::u16string_view initialFolder) override;

private:
    LRESULT send(int control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND dialog_;
};

}  // namespace qucap
