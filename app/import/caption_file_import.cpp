#include "app/import/caption_file_import.h"

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// The line (1 for the first) of each position of `text`, as the readers count lines.
std::vector<std::size_t> linesOf(std::u16string_view text, const std::vector<std::size_t>& positions) {
    std::vector<std::size_t> lines;
    std::size_t line = 1, at = 0;
    for (const std::size_t position : positions) {
        for (; at < position && at < text.size(); ++at)
            if (text[at] == u'\n' || (text[at] == u'\r' && (at + 1 >= text.size() || text[at + 1] != u'\n'))) ++line;
        if (lines.empty() || lines.back() != line) lines.push_back(line);
    }
    return lines;
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
