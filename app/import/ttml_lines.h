#pragma once
// The text lines of a TTML paragraph as its text nodes, line breaks and
// ruby groups come, with white space treated as TTML treats it: by default
// every run of spaces, tabs and line feeds is one space and none stands at
// the start or end of a line; preserved text keeps its spaces and breaks
// the line at its line feeds.
#include <string_view>
#include <vector>

#include "app/import/imported_captions.h"

namespace qucap {

class TtmlLines {
public:
    // breaks: false for the base or reading of a ruby group, which stay one line.
    explicit TtmlLines(bool breaks = true) : breaks_(breaks) {}

    void text(std::u16string_view text, const ImportStyle& style, bool preserve);
    void lineBreak();
    void ruby(ImportPiece group);

    std::size_t lineIndex() const { return lines_.size() - 1; }
    std::vector<ImportLine> lines() const { return lines_; }
    // Every run on one line, ruby groups giving their base.
    std::vector<ImportRun> runs() const;

private:
    void append(std::u16string_view text, const ImportStyle& style);
    void flushSpace();

    bool breaks_;
    std::vector<ImportLine> lines_{ImportLine{}};
    bool hasContent_ = false;    // the line holds text a space may follow
    bool pendingSpace_ = false;  // a collapsed space waits for more text on the line
    ImportStyle spaceStyle_;
};

}  // namespace qucap
