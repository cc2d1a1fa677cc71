#include "captiondata/io/text_file.h"

#include "captiondata/text/lines.h"

namespace qucap {

TextRead readTextFile(const Io& io, std::u16string_view path, const ReadMessages& messages, Deliverable who) {
    ReadResult read = io.files.readFile(path);
    switch (read.status) {
    case ReadStatus::Ok: {
        DecodedText decoded = decodeText(read.bytes, io.shiftJis);
        ReadFindings findings;
        findings.notText = !decoded.isText();
        findings.linesWithUnreadable = lineNumbersOf(decoded.text, decoded.unreadable);
        return {TextReadOutcome::Ok, std::move(decoded.text), std::move(findings)};
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

bool isUnreadLine(std::u16string_view line, std::u16string_view firstField) {
    return line.find_first_not_of(u" \t,") != std::u16string_view::npos && firstField != u"0";
}

bool writeTextFile(const Io& io, std::u16string_view path, std::string_view bytes,
                   std::u16string_view failMessage, Deliverable who) {
    if (io.files.writeFile(path, bytes) == WriteStatus::Ok) return true;
    io.ui.warn(failMessage, who);
    return false;
}

}  // namespace qucap
