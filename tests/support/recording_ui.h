#pragma once
// Ui fake that records every call and answers questions from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "captiondata/io/ui.h"

namespace qucap::test {

struct RecordedMessage {
    std::u16string text;
    std::u16string title;
    MessageIcon icon;
};

class RecordingUi : public Ui {
public:
    void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) override {
        messages.push_back({std::u16string(text), std::u16string(title), icon});
    }
    bool askYesNo(std::u16string_view text, std::u16string_view title) override {
        questions.push_back({std::u16string(text), std::u16string(title), MessageIcon::Warning});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void setMessage(std::u16string_view text) override { messageLine = std::u16string(text); ++messageLineWrites; }
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }

    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> questions;
    std::deque<bool> answers;  // answers to askYesNo in order; No when empty
    std::u16string messageLine;
    int messageLineWrites = 0;
    std::vector<SaveFileRequest> saveRequests;
    std::optional<std::u16string> saveAnswer;  // what the save dialog returns
};

}  // namespace qucap::test
