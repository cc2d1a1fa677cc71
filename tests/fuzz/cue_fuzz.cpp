// The WebVTT and TTML writers on rows made from any text: the output is
// valid UTF-8, every exported row is one cue or paragraph, and the markup the
// writers put around the text is balanced, so no caption text can break the
// file. With QUCAP_CUE_SAMPLES naming a folder, each input's two files are
// kept there for the reference readers (tests/readers/check-samples.sh).
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/export/ttml.h"
#include "app/export/webvtt.h"
#include "captiondata/text/u16.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace qucap;
using fuzz::require;
using fuzz::utf16Of;

// Rows of four texts from the pieces of the text between line feeds; the
// times and orientation come from the pieces' lengths, so equal starts,
// zero durations and both orientations all occur.
std::vector<SubtitleRow> rowsOf(const std::u16string& text) {
    std::vector<SubtitleRow> rows;
    std::size_t piece = 0;
    for (std::size_t start = 0; start <= text.size(); ++piece) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        if (piece % 4 == 0) {
            rows.emplace_back();
            rows.back().start = int32_t(rows.size() / 2 * 1000 + (end - start) % 7 * 100);
            rows.back().duration = int32_t((end - start) % 5 * 700);
            rows.back().vertical = (end - start) % 3 == 0;
        }
        std::u16string* texts[] = {&rows.back().line1Markup, &rows.back().line1Ruby, &rows.back().line2Markup,
                                   &rows.back().line2Ruby};
        *texts[piece % 4] = text.substr(start, end - start);
        start = end + 1;
    }
    return rows;
}

bool isUtf8(const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto sequence = nextUtf8Sequence(bytes, at);
        if (!sequence) return false;
        at += sequence->length;
    }
    return true;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

// Every "<name" opened is closed in order ("<br/>" and the XML declaration
// stand alone); a "<" never appears as text.
bool tagsBalance(const std::string& text) {
    std::vector<std::string> open;
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        const std::size_t close = text.find('>', at);
        if (close == std::string::npos) return false;
        const std::string tag = text.substr(at + 1, close - at - 1);
        if (tag.empty() || tag[0] == '?' || tag.back() == '/') continue;
        const std::string name = tag.substr(tag[0] == '/' ? 1 : 0, tag.find_first_of(" .") - (tag[0] == '/' ? 1 : 0));
        if (tag[0] != '/') {
            open.push_back(name);
        } else if (!open.empty() && open.back() == name) {
            open.pop_back();
        } else if (name == "ruby" && open.size() >= 2 && open.back() == "rt") {
            open.resize(open.size() - 2);
        } else {
            return false;
        }
    }
    return open.empty();
}

void keep(const char* extension, const std::string& bytes) {
    static int number = 0;
    if (const char* folder = std::getenv("QUCAP_CUE_SAMPLES"))
        std::ofstream(std::string(folder) + "/fuzz" + std::to_string(number++ / 2) + extension, std::ios::binary) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<SubtitleRow> rows = rowsOf(utf16Of(data, size));
    const std::size_t exported = exportedRows(rows).size();

    const std::string vtt = webVttBytes(rows, defaultColourTable());
    require(isUtf8(vtt));
    require(count(vtt, "-->") == exported);
    require(count(vtt, "\n\n") == exported);  // a blank line before each cue, none inside one
    for (std::size_t at = vtt.find("-->"); at != std::string::npos; at = vtt.find("-->", at + 3)) {
        const std::size_t lineEnd = vtt.find('\n', at);
        require(lineEnd + 1 < vtt.size() && vtt[lineEnd + 1] != '\n');  // every cue has text
    }
    require(tagsBalance(vtt));

    const std::string ttml = ttmlBytes(rows, CueStyle{});
    require(isUtf8(ttml));
    require(count(ttml, "<p ") == exported);
    require(tagsBalance(ttml));

    keep(".vtt", vtt);
    keep(".ttml", ttml);
    return 0;
}
