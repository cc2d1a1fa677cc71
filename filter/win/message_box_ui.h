#pragma once
// The filter's user seam: its messages are message boxes without an owner
// window, titled as the caller asks (the filter's own title). The filter has
// no message line and no save dialog.
#include "captiondata/io/ui.h"

namespace qucap {

class MessageBoxUi : public Ui {
public:
    void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) override;
    // Yes/No with the warning icon and No as the default button.
    bool askYesNo(std::u16string_view text, std::u16string_view title) override;
    void setMessage(std::u16string_view) override {}
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest&) override { return std::nullopt; }
};

}  // namespace qucap
