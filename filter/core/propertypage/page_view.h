#pragma once
// The property page's dialog as the page model sees it: controls addressed by
// their resource ids, and the file dialog of the browse button. The Windows
// page implements it on the dialog window; tests record and script it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

class PageView {
public:
    virtual ~PageView() = default;

    virtual void setText(int control, std::u16string_view text) = 0;
    virtual std::u16string text(int control) = 0;
    virtual void limitText(int control, std::size_t maxChars) = 0;

    // Empties a drop-down list and adds the items in order.
    virtual void fillList(int control, const std::vector<std::u16string>& items) = 0;
    virtual void selectItem(int control, int index) = 0;
    // The selected item's text; nothing when the list has no selection.
    virtual std::optional<std::u16string> selectedText(int control) = 0;

    virtual void setChecked(int control, bool checked) = 0;
    virtual bool isChecked(int control) = 0;
    virtual void enable(int control, bool enabled) = 0;

    // The open-file dialog for the caption-info file, starting in
    // `initialFolder` (empty: the user's documents folder). The chosen path,
    // or nothing when the user cancelled.
    virtual std::optional<std::u16string> chooseCaptionFile(std::u16string_view initialFolder) = 0;
};

}  // namespace qucap
