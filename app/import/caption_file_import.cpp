#include "app/import/caption_file_import.h"

#include <algorithm>

#include "app/import/source_lines.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// The lines (1 for the first), as the readers count them, that hold the
// positions of `text` given in order; each line once.
std::vector<std::size_t> linesOf(std::u16string_view text, const std::vector<std::size_t>& positions) {
    const std::vector<SourceLine> lines = sourceLines(text);
    const auto offset = [&](std::size_t line) { return std::size_t(lines[line].text.data() - text.data()); };
    std::vector<std::size_t> found;
    std::size_t line = 0;
    for (const std::size_t position : positions) {
        if (lines.empty()) break;
        while (line + 1 < lines.size() && offset(line + 1) <= position) ++line;
        if (found.empty() || found.back() != lines[line].number) found.push_back(lines[line].number);
    }
    return found;
}

std::u16string readFailure(ReadStatus status) {
    return status == ReadStatus::Missing || status == ReadStatus::IsDirectory ? std::u16string(kImportFileMissing)
                                                                            : std::u16string(kImportReadFailed);
}

}  // namespace

CaptionFileImport importCaptionFile(const Io& io, std::u16string_view path, std::optional<ImportFormat> format,
                                    const ColourTable& palette, const std::vector<CaptionFileRow>& existing) {
    CaptionFileImport result;
    const ReadResult read = io.files.readFile(path);
    if (read.status != ReadStatus::Ok) {
        result.failure = readFailure(read.status);
        return result;
    }
    const DecodedText decoded = decodeText(read.bytes, io.shiftJis);
    if (!decoded.isText()) {
        result.failure = kImportNotText;
        return result;
    }
    if (!format) format = detectImportFormat(decoded.text, path);
    if (!format) {
        result.failure = kImportUnknownFormat;
        return result;
    }
    ImportedCaptions captions = formatInfo(*format).read(decoded.text);
    if (!captions.failure.empty()) {
        result.failure = captions.failure;
        return result;
    }
    for (const std::size_t line : linesOf(decoded.text, decoded.unreadable))
        captions.note(line, std::u16string(kImportUnreadableNote));
    result.rows = importedRows(captions, palette, existing);
    if (!result.rows.refusal.empty())
        result.failure = result.rows.refusal;
    else if (result.rows.importedCount == 0)
        result.failure = kImportNothingRead;
    return result;
}

std::u16string importedCountMessage(std::size_t rows) { return toDecimal(int64_t(rows)) + u"行の字幕を読み込みました"; }

std::u16string noteLine(const ImportNote& note) {
    return note.sourceLine == 0 ? note.text : toDecimal(int64_t(note.sourceLine)) + u"行目：" + note.text;
}

}  // namespace qucap
