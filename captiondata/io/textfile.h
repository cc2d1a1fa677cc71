#pragma once
// Reading and writing whole text files with the system's failure messages.
#include <string>
#include <string_view>

#include "captiondata/io/io.h"

namespace qucap {

// The two messages a reader shows: open (or read) failure and size failure.
struct ReadMessages {
    std::u16string_view openFailed;
    std::u16string_view sizeFailed;
};

enum class TextReadOutcome {
    Ok,
    NoFile,  // missing, or a folder: no message
    Failed,  // the failure message has been shown
};

struct TextRead {
    TextReadOutcome outcome = TextReadOutcome::NoFile;
    std::u16string text;
};

TextRead readTextFile(const Io& io, std::u16string_view path, const ReadMessages& messages, Deliverable who);

// Writes the bytes (atomically); on failure shows `failMessage` and returns false.
bool writeTextFile(const Io& io, std::u16string_view path, std::string_view bytes,
                   std::u16string_view failMessage, Deliverable who);

}  // namespace qucap
