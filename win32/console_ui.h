#pragma once
// The user seam of the console tool: message boxes and questions become text
// on the error stream, questions are answered by a policy set beforehand
// (No unless a verb's --yes says Yes), the message line is kept for the verb
// to print, and the save dialog answers with a path given beforehand.
#include <optional>
#include <string>
#include <string_view>

#include "captiondata/io/ui.h"
#include "win32/console.h"

namespace qucap {

enum class YesNoAnswer { No, Yes };

// What ConsoleUi prints after a question, so the log shows the answer taken.
inline constexpr std::u16string_view kAnsweredYes = u"→ はい";
inline constexpr std::u16string_view kAnsweredNo = u"→ いいえ";

class ConsoleUi : public Ui {
public:
    explicit ConsoleUi(TextSink& errors, YesNoAnswer answer = YesNoAnswer::No,
                       std::optional<std::u16string> saveFileName = std::nullopt);

    // Each text on its own line(s) on the error stream; title and icon are not shown.
    void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) override;
    bool askYesNo(std::u16string_view text, std::u16string_view title) override;
    void setMessage(std::u16string_view text) override;
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest& request) override;

    void setAnswer(YesNoAnswer answer) { answer_ = answer; }
    void setSaveFileName(std::optional<std::u16string> path) { saveFileName_ = std::move(path); }

    // The last text given to setMessage; empty when there was none.
    const std::u16string& lastMessage() const { return lastMessage_; }
    bool hasMessage() const { return hasMessage_; }

private:
    TextSink& errors_;
    YesNoAnswer answer_;
    std::optional<std::u16string> saveFileName_;
    std::u16string lastMessage_;
    bool hasMessage_ = false;
};

}  // namespace qucap
