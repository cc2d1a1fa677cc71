#pragma once
// The cues and notes a reader gives, written out as short UTF-8 text so a
// table of cases can state them exactly and a failure shows the difference.
// A cue is "@LINE START-END" (" 縦" when vertical), then " | " before each
// text line; a run with formatting is "[bius #rrggbb o#rrggbb]text" (only
// what it has); a note is "LINE: text".
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/import/imported_captions.h"
#include "captiondata/text/u16.h"

namespace qucap::test {

inline std::string hexOf(const Rgb& rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

inline std::string runSummary(const ImportRun& run) {
    std::string format;
    const char* letters = "bius";
    for (unsigned bit = 0; bit < 4; ++bit)
        if (run.style.effects & (1u << bit)) format += letters[bit];
    if (run.style.colour) format += (format.empty() ? "" : " ") + hexOf(*run.style.colour);
    if (run.style.border) format += (format.empty() ? "o" : " o") + hexOf(*run.style.border);
    return (format.empty() ? "" : "[" + format + "]") + toUtf8(run.text);
}

inline std::string cueSummary(const ImportCue& cue) {
    std::string text = "@" + std::to_string(cue.sourceLine) + " " + std::to_string(cue.start) + "-" +
                       std::to_string(cue.end) + (cue.vertical ? " 縦" : "");
    for (const ImportLine& line : cue.lines) {
        text += " |";
        for (const ImportPiece& piece : line)
            for (const ImportRun& run : piece.base) text += " " + runSummary(run);
    }
    return text;
}

inline std::vector<std::string> cueSummaries(const ImportedCaptions& captions) {
    std::vector<std::string> cues;
    for (const ImportCue& cue : captions.cues) cues.push_back(cueSummary(cue));
    return cues;
}

inline std::vector<std::string> noteSummaries(const ImportedCaptions& captions) {
    std::vector<std::string> notes;
    for (const ImportNote& note : captions.notes) notes.push_back(std::to_string(note.sourceLine) + ": " + toUtf8(note.text));
    return notes;
}

// One case of a reader's table: the text, and the cues, notes and failure
// the reader gives for it.
struct ReaderCase {
    const char* name;
    std::u16string text;
    std::vector<std::string> cues;
    std::vector<std::string> notes = {};
    std::string failure = {};
};

inline void expectReading(const ReaderCase& c, const ImportedCaptions& captions) {
    EXPECT_EQ(cueSummaries(captions), c.cues);
    EXPECT_EQ(noteSummaries(captions), c.notes);
    EXPECT_EQ(toUtf8(captions.failure), c.failure);
}

inline std::string readerCaseName(const testing::TestParamInfo<ReaderCase>& info) {
    return "case" + std::to_string(info.index);
}

}  // namespace qucap::test
