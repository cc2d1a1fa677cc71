// SubRip: blocks of an optional number line, a timing line and text lines,
// ended by an empty line.
#include <optional>

#include "app/import/clock_time.h"
#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "app/import/srt_cue_text.h"
#include "app/import/text_scan.h"

namespace qucap {
namespace {

constexpr std::u16string_view kArrow = u"-->";

struct Timing {
    int64_t start = 0, end = 0;
    std::u16string_view rest;  // what follows the end time (old players' box coordinates)
};

// "START --> END", with any blanks around the arrow.
std::optional<Timing> timingOf(std::u16string_view line) {
    const std::size_t arrow = line.find(kArrow);
    if (arrow == std::u16string_view::npos) return std::nullopt;
    const auto start = parseClockTime(trimmedBlanks(line.substr(0, arrow)));
    std::u16string_view after = trimmedBlanks(line.substr(arrow + kArrow.size()));
    std::size_t endLength = 0;
    while (endLength < after.size() && !isBlankCharacter(after[endLength])) ++endLength;
    const auto end = parseClockTime(after.substr(0, endLength));
    if (!start || !end) return std::nullopt;
    return Timing{*start, *end, trimmedBlanks(after.substr(endLength))};
}

bool isNumberLine(std::u16string_view line) {
    line = trimmedBlanks(line);
    if (line.empty()) return false;
    for (const char16_t c : line)
        if (!isAsciiDigit(c)) return false;
    return true;
}

class SrtReader {
public:
    explicit SrtReader(std::u16string_view text) : lines_(sourceLines(withoutMark(text))) {}
    ImportedCaptions read();

private:
    // Where the cue starting at line `at` has its timing line: `at` itself,
    // or the line after a number; nothing when no cue starts there.
    std::optional<std::size_t> timingLineOfCueAt(std::size_t at) const;
    std::size_t startCue(std::size_t at, std::size_t timingAt);
    std::size_t skipBlock(std::size_t at);
    void finishCue();

    std::vector<SourceLine> lines_;
    ImportedCaptions captions_;
    CueNotes notes_{captions_};
    std::optional<ImportCue> cue_;
    std::optional<SrtCueText> text_;
};

std::optional<std::size_t> SrtReader::timingLineOfCueAt(std::size_t at) const {
    if (timingOf(lines_[at].text)) return at;
    if (isNumberLine(lines_[at].text) && at + 1 < lines_.size() && timingOf(lines_[at + 1].text)) return at + 1;
    return std::nullopt;
}

std::size_t SrtReader::startCue(std::size_t at, std::size_t timingAt) {
    const SourceLine& line = lines_[timingAt];
    const Timing timing = *timingOf(line.text);
    cue_.emplace();
    cue_->sourceLine = lines_[at].number;
    cue_->start = timing.start;
    cue_->end = timing.end;
    text_.emplace(notes_, cue_->sourceLine);
    if (!timing.rest.empty())
        notes_.note(cue_->sourceLine, u"時間の行の後ろの「" + excerpt(timing.rest) + u"」は字幕の行に持てないため外しました");
    return timingAt + 1;
}

// Lines up to the next empty line or cue hold no timing line: they are left
// out with one note.
std::size_t SrtReader::skipBlock(std::size_t at) {
    const std::size_t first = at;
    bool arrow = false;
    while (at < lines_.size() && !isBlankLine(lines_[at].text) && !(at > first && timingLineOfCueAt(at))) {
        arrow = arrow || lines_[at].text.find(kArrow) != std::u16string_view::npos;
        ++at;
    }
    captions_.note(lines_[first].number, arrow ? u"時間の行が読めないため、このブロックを飛ばしました"
                                               : u"時間の行がないため、このブロックを飛ばしました");
    return at;
}

void SrtReader::finishCue() {
    if (!cue_) return;
    cue_->lines = text_->take();
    captions_.cues.push_back(std::move(*cue_));
    cue_.reset();
    text_.reset();
    notes_.nextCue();
}

ImportedCaptions SrtReader::read() {
    for (std::size_t at = 0; at < lines_.size();) {
        if (isBlankLine(lines_[at].text)) {
            finishCue();
            ++at;
        } else if (const auto timingAt = timingLineOfCueAt(at)) {
            // A cue starts here, also right after the text of another.
            finishCue();
            at = startCue(at, *timingAt);
        } else if (cue_) {
            text_->addLine(lines_[at].text);
            ++at;
        } else {
            at = skipBlock(at);
        }
    }
    finishCue();
    if (captions_.cues.empty()) captions_.failure = u"SRTの時間の行（00:00:01,000 --> 00:00:02,000）が見つかりません";
    return std::move(captions_);
}

}  // namespace

ImportedCaptions readSrt(std::u16string_view text) { return SrtReader(text).read(); }

}  // namespace qucap
