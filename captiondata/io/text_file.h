#pragma once
// Reading and writing whole text files with the system's failure messages.
#include <string>
#include <string_view>
#include <vector>

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

// What a reader of a data file found in it besides its rows.
struct ReadFindings {
    // The bytes are no text at all (a picture, say): no row is read from them.
    bool notText = false;
    // Lines that gave no row and are neither blank (white space and commas
    // only) nor the header or a comment (first field "0"): text the reader
    // could not take.
    std::size_t unreadLines = 0;
    // The lines of the file (1 for the first) holding bytes that no accepted
    // encoding reads; each such byte reads as kUnreadableCharacter.
    std::vector<std::size_t> linesWithUnreadable;

    // Nothing of the file can be kept as it is: it is no text, or its text
    // gave none of the `rows` read from it.
    bool unread(std::size_t rows) const { return notText || (rows == 0 && unreadLines > 0); }
};

// Whether a line that gave no row counts among the unread lines: it holds
// more than white space and commas, and its first field is not "0".
bool isUnreadLine(std::u16string_view line, std::u16string_view firstField);

struct TextRead {
    TextReadOutcome outcome = TextReadOutcome::NoFile;
    std::u16string text;
    // What the decoding found (whether the bytes are text, the lines with
    // unreadable bytes); the reader counts the unread lines itself.
    ReadFindings findings;
};

TextRead readTextFile(const Io& io, std::u16string_view path, const ReadMessages& messages, Deliverable who);

// Writes the bytes (atomically); on failure shows `failMessage` and returns false.
bool writeTextFile(const Io& io, std::u16string_view path, std::string_view bytes,
                   std::u16string_view failMessage, Deliverable who);

}  // namespace qucap
