#include "captiondata/io/text_file.h"

namespace qucap {

TextRead readTextFile(const Io& io, std::u16string_view path, const ReadMessages& messages, Deliverable who) {
    ReadResult read = io.files.readFile(path);
    switch (read.status) {
    case ReadStatus::Ok: {
        DecodedText decoded = decodeText(read.bytes, io.shiftJis);
        const bool isText = decoded.isText();
        return {TextReadOutcome::Ok, std::move(decoded.text), std::move(decoded.unreadable), isText};
    }
    case ReadStatus::Missing:
    case ReadStatus::IsDirectory:
        return {};
    case ReadStatus::SizeFailed:
        io.ui.warn(messages.sizeFailed, who);
        return {TextReadOutcome::Failed, {}};
    case ReadStatus::OpenFailed:
    case ReadStatus::ReadFailed:
        break;
    }
    io.ui.warn(messages.openFailed, who);
    return {TextReadOutcome::Failed, {}};
}

bool writeTextFile(const Io& io, std::u16string_view path, std::string_view bytes,
                   std::u16string_view failMessage, Deliverable who) {
    if (io.files.writeFile(path, bytes) == WriteStatus::Ok) return true;
    io.ui.warn(failMessage, who);
    return false;
}

}  // namespace qucap
