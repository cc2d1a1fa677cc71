#pragma once
// Seam to the user: message boxes, questions, the main window's message line
// and the save-file dialog. The core never shows anything itself.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

inline constexpr std::u16string_view kProgramTitle = u"カブレン字幕付加システム";
inline constexpr std::u16string_view kFilterTitle = u"カブレン字幕合成フィルタ";

// Which deliverable is speaking; decides the title of its message boxes.
enum class Deliverable { Program, Filter };

inline std::u16string_view titleOf(Deliverable who) {
    return who == Deliverable::Program ? kProgramTitle : kFilterTitle;
}

enum class MessageIcon { Warning, Information };

// One entry of a file dialog's type list, e.g. "カンマ区切りﾌｧｲﾙ (*.csv)" and "*.csv".
struct FileTypeFilter {
    std::u16string description;
    std::u16string pattern;
    bool operator==(const FileTypeFilter&) const = default;
};

inline FileTypeFilter allFilesFilter() { return {u"すべてのﾌｧｲﾙ (*.*)", u"*.*"}; }

// A save-file dialog: the shell titles it "名前を付けて" + kind + "の保存"
// and offers the filters in their order.
struct SaveFileRequest {
    std::u16string proposedName;
    std::u16string kind;
    std::u16string defaultExtension;
    std::vector<FileTypeFilter> filters;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) = 0;
    // Yes/No question with the warning icon and No as the default button.
    virtual bool askYesNo(std::u16string_view text, std::u16string_view title) = 0;
    // The main window's one-line message field.
    virtual void setMessage(std::u16string_view text) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::u16string> askSaveFileName(const SaveFileRequest& request) = 0;

    void warn(std::u16string_view text, Deliverable who) { messageBox(text, titleOf(who), MessageIcon::Warning); }
};

}  // namespace qucap
