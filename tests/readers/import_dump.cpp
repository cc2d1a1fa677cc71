// Prints the cues a caption file holds as this project's readers read it,
// in the notation of the reference readers' scripts (cues_vtt.js,
// cues_ttml.js), so the two can be compared: per cue a line "START END"
// in seconds (with " vertical" for a vertical cue), then each text line
// indented by two spaces, with ruby as [base|reading]. The notes go to
// standard error as "LINE: note".
// Usage: qucap_import_dump FILE [srt|vtt|ttml|ass]
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/import/caption_import.h"
#include "captiondata/text/decode.h"
#include "captiondata/text/u16.h"
#include "tests/support/iconv_shiftjis.h"

namespace {

using namespace qucap;

std::string seconds(int64_t milliseconds) {
    std::string text = std::to_string(milliseconds / 1000);
    if (const int64_t rest = milliseconds % 1000) {
        std::string fraction = std::to_string(1000 + rest).substr(1);
        while (fraction.back() == '0') fraction.pop_back();
        text += "." + fraction;
    }
    return text;
}

std::u16string runsText(const std::vector<ImportRun>& runs) {
    std::u16string text;
    for (const ImportRun& run : runs) text += run.text;
    return text;
}

std::u16string lineText(const ImportLine& line) {
    std::u16string text;
    for (const ImportPiece& piece : line)
        text += piece.reading.empty() ? runsText(piece.base)
                                      : u"[" + runsText(piece.base) + u"|" + runsText(piece.reading) + u"]";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: qucap_import_dump FILE [srt|vtt|ttml|ass]\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::u16string text = decodeText(bytes, test::IconvShiftJisDecoder()).text;
    const std::u16string path = fromUtf8(argv[1]);
    const std::optional<ImportFormat> format = argc > 2 ? formatNamed(fromUtf8(argv[2])) : detectImportFormat(text, path);
    if (!format) {
        std::cerr << "no format\n";
        return 1;
    }
    const ImportedCaptions captions = formatInfo(*format).read(text);
    for (const ImportNote& note : captions.notes) std::cerr << note.sourceLine << ": " << toUtf8(note.text) << "\n";
    if (!captions.failure.empty()) {
        std::cerr << toUtf8(captions.failure) << "\n";
        return 1;
    }
    for (const ImportCue& cue : captions.cues) {
        std::cout << seconds(cue.start) << " " << seconds(cue.end) << (cue.vertical ? " vertical" : "") << "\n";
        for (const ImportLine& line : cue.lines) std::cout << "  " << toUtf8(lineText(line)) << "\n";
    }
    return 0;
}
