#include "win32/console_ui.h"

namespace qucap {

ConsoleUi::ConsoleUi(TextSink& errors, YesNoAnswer answer, std::optional<std::u16string> saveFileName)
    : errors_(errors), answer_(answer), saveFileName_(std::move(saveFileName)) {}

void ConsoleUi::messageBox(std::u16string_view text, std::u16string_view, MessageIcon) { errors_.writeLine(text); }

bool ConsoleUi::askYesNo(std::u16string_view text, std::u16string_view) {
    const bool yes = answer_ == YesNoAnswer::Yes;
    errors_.writeLine(text);
    errors_.writeLine(yes ? kAnsweredYes : kAnsweredNo);
    return yes;
}

void ConsoleUi::setMessage(std::u16string_view text) {
    lastMessage_ = std::u16string(text);
    hasMessage_ = true;
}

std::optional<std::u16string> ConsoleUi::askSaveFileName(const SaveFileRequest&) { return saveFileName_; }

}  // namespace qucap
