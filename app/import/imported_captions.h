#pragma once
// What every caption-file reader gives: the file's cues as it timed and
// styled them, and notes on what it had to change or leave out. The rules
// that turn cues into caption rows (caption_rows.h) are the same for every
// format.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/markup/rich_format.h"

namespace qucap {

// The formatting of a run as the file gave it. Colours stay as the file
// wrote them; they become the project's palette slots with the rows.
struct ImportStyle {
    unsigned effects = 0;        // EffectBit values that are on
    std::optional<Rgb> colour;   // text colour; nothing: the file gave none
    std::optional<Rgb> border;   // outline colour; nothing: the file gave none
    friend bool operator==(const ImportStyle&, const ImportStyle&) = default;
};

struct ImportRun {
    std::u16string text;  // visible characters only
    ImportStyle style;
    friend bool operator==(const ImportRun&, const ImportRun&) = default;
};

// Body text without ruby (`reading` empty), or one ruby group: the base
// characters and their reading.
struct ImportPiece {
    std::vector<ImportRun> base;
    std::vector<ImportRun> reading;
    friend bool operator==(const ImportPiece&, const ImportPiece&) = default;
};

// One text line of a cue.
using ImportLine = std::vector<ImportPiece>;

struct ImportCue {
    std::size_t sourceLine = 0;  // the file's line the cue starts on, 1 for the first
    int64_t start = 0;           // milliseconds
    int64_t end = 0;             // milliseconds
    bool vertical = false;
    std::vector<ImportLine> lines;  // in order; the row rules fold them into two
};

// What a reader changed or left out, and why, in Japanese: one sentence
// without the line number ("{\pos(10,20)} は字幕の行に持てないため外しました").
struct ImportNote {
    std::size_t sourceLine = 0;  // 0: the note is about the whole file
    std::u16string text;
    friend bool operator==(const ImportNote&, const ImportNote&) = default;
};

struct ImportedCaptions {
    std::vector<ImportCue> cues;
    std::vector<ImportNote> notes;
    // Not empty when the text cannot be read as the format at all (a TTML
    // file that is no well-formed XML, say): what is wrong, for the user.
    std::u16string failure;

    void note(std::size_t sourceLine, std::u16string text) { notes.push_back({sourceLine, std::move(text)}); }
};

}  // namespace qucap
