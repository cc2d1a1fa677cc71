// WebVTT as players read it: the "WEBVTT" line and the header after it, then
// blocks separated by blank lines. A block with "-->" on its first or second
// line is a cue (the line before the timing line is its identifier); before
// the first cue, a block that starts with a "STYLE" or "REGION" line holds
// style rules or a region; every other block ("NOTE" comments among them) is
// passed over.
#include <set>

#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "app/import/text_scan.h"
#include "app/import/webvtt_cue_text.h"
#include "app/import/webvtt_style.h"
#include "app/import/webvtt_timestamp.h"

namespace qucap {
namespace {

bool hasSignature(std::u16string_view text) {
    constexpr std::u16string_view signature = u"WEBVTT";
    return text.substr(0, signature.size()) == signature &&
           (text.size() == signature.size() || text[6] == u' ' || text[6] == u'\t' || text[6] == u'\n' ||
            text[6] == u'\r');
}

// "STYLE" or "REGION" alone on the line, white space after it allowed.
bool isKeywordLine(std::u16string_view line, std::u16string_view keyword) {
    if (line.substr(0, keyword.size()) != keyword) return false;
    for (const char16_t c : line.substr(keyword.size()))
        if (!isWhiteSpace(c)) return false;
    return true;
}

bool isNoteLine(std::u16string_view line) {
    return line.substr(0, 4) == u"NOTE" && (line.size() == 4 || line[4] == u' ' || line[4] == u'\t');
}

// The settings the caption rows cannot hold; the others are read or, as
// players do, ignored.
constexpr std::u16string_view kDroppedSettings[] = {u"line", u"position", u"size", u"align", u"region"};

struct Timing {
    int64_t start = 0, end = 0;
    bool vertical = false;
    std::u16string dropped;   // the settings left out, as written
    bool leftToRight = false;  // "vertical:lr"
};

void readSettings(std::u16string_view settings, Timing& timing) {
    for (const std::u16string_view setting : wordsOf(settings)) {
        const std::size_t colon = setting.find(u':');
        if (colon == std::u16string_view::npos || colon == 0 || colon + 1 == setting.size()) continue;
        const std::u16string_view name = setting.substr(0, colon), value = setting.substr(colon + 1);
        if (name == u"vertical" && (value == u"rl" || value == u"lr")) {
            timing.vertical = true;
            timing.leftToRight = value == u"lr";
        }
        for (const std::u16string_view dropped : kDroppedSettings)
            if (name == dropped) timing.dropped += (timing.dropped.empty() ? u"" : u" ") + std::u16string(setting);
    }
}

std::optional<Timing> readTiming(std::u16string_view line) {
    Timing timing;
    std::size_t at = 0;
    const auto skipSpace = [&] {
        while (at < line.size() && isWhiteSpace(line[at])) ++at;
    };
    skipSpace();
    const std::optional<int64_t> start = collectWebVttTimestamp(line, at);
    if (!start) return std::nullopt;
    skipSpace();
    if (line.substr(at, 3) != u"-->") return std::nullopt;
    at += 3;
    skipSpace();
    const std::optional<int64_t> end = collectWebVttTimestamp(line, at);
    if (!end) return std::nullopt;
    timing.start = *start;
    timing.end = *end;
    readSettings(line.substr(at), timing);
    return timing;
}

class WebVttReader {
public:
    explicit WebVttReader(std::u16string_view text) : lines_(sourceLines(text)) {}

    ImportedCaptions read() {
        std::size_t at = 1;  // past the signature line
        if (at < lines_.size() && !lines_[at].text.empty()) at = readBlock(at, true);
        while (at < lines_.size()) {
            while (at < lines_.size() && lines_[at].text.empty()) ++at;
            if (at < lines_.size()) at = readBlock(at, false);
        }
        return std::move(captions_);
    }

private:
    enum class Kind { Other, Cue, Style, Region };

    // One block from line `at`; gives the line after it. In the header, a
    // timing line ends the block and starts the next.
    std::size_t readBlock(std::size_t at, bool inHeader) {
        const std::size_t first = at;
        std::size_t after = at, lineCount = 0, textStart = at;
        bool seenArrow = false, badTiming = false, lateBlock = false;
        Kind kind = Kind::Other;
        std::optional<Timing> timing;
        std::size_t timingLine = 0;
        for (; at < lines_.size(); ++at) {
            const std::u16string_view line = lines_[at].text;
            ++lineCount;
            if (line.find(u"-->") != std::u16string_view::npos) {
                if (inHeader || !(lineCount == 1 || (lineCount == 2 && !seenArrow))) break;
                seenArrow = true;
                after = at + 1;
                timing = readTiming(line);
                timingLine = lines_[at].number;
                if (timing) {
                    kind = Kind::Cue;
                    seenCue_ = true;
                    textStart = at + 1;
                } else {
                    badTiming = true;
                }
                continue;
            }
            if (line.empty()) break;
            if (!inHeader && lineCount == 2 && !seenArrow) {
                for (const auto& [keyword, blockKind] : {std::pair{u"STYLE", Kind::Style}, std::pair{u"REGION", Kind::Region}}) {
                    if (!isKeywordLine(lines_[first].text, keyword)) continue;
                    if (seenCue_) {
                        lateBlock = true;
                    } else {
                        kind = blockKind;
                        textStart = at;  // the rules or settings start on this line
                    }
                }
            }
            after = at + 1;
        }
        if (inHeader) return after;
        switch (kind) {
        case Kind::Cue: addCue(first, timingLine, *timing, textStart, after); break;
        case Kind::Style: addStyle(first, textStart, after); break;
        case Kind::Region:
            captions_.note(lines_[first].number, u"REGION ブロック（表示する領域）は字幕の行に持てないため外しました");
            break;
        case Kind::Other: skipped(first, timingLine, badTiming, lateBlock, after - first); break;
        }
        return after;
    }

    void addCue(std::size_t first, std::size_t timingLine, const Timing& timing, std::size_t from, std::size_t to) {
        if (!timing.dropped.empty())
            captions_.note(timingLine, u"位置の指定（" + timing.dropped + u"）は字幕の行に持てないため外しました");
        if (timing.leftToRight)
            captions_.note(timingLine, u"左から右へ並ぶ縦書き（vertical:lr）は字幕の行に持てないため、右から左へ並べます");
        std::u16string text;
        for (std::size_t at = from; at < to; ++at) text += (at > from ? u"\n" : u"") + std::u16string(lines_[at].text);
        CueText cueText = readCueText(text, from < to ? lines_[from].number : 0, styles_);
        captions_.cues.push_back({lines_[first].number, timing.start, timing.end, timing.vertical, std::move(cueText.lines)});
        for (ImportNote& note : cueText.notes) captions_.notes.push_back(std::move(note));
    }

    void addStyle(std::size_t first, std::size_t from, std::size_t to) {
        std::u16string css;
        for (std::size_t at = from; at < to; ++at) css += std::u16string(lines_[at].text) + u"\n";
        for (std::u16string& note : addStyleSheet(css, styles_))
            if (styleNotes_.insert(note).second) captions_.note(lines_[first].number, std::move(note));
    }

    // What a block that is no cue, style or region was, for its note; a
    // comment, and a lone "STYLE" or "REGION" line, are passed over silently.
    void skipped(std::size_t first, std::size_t timingLine, bool badTiming, bool lateBlock, std::size_t lineCount) {
        const std::u16string_view line = lines_[first].text;
        if (badTiming)
            captions_.note(timingLine, u"時間の行が読めないため、このブロックを飛ばしました");
        else if (lateBlock)
            captions_.note(lines_[first].number,
                           std::u16string(isKeywordLine(line, u"STYLE") ? u"STYLE" : u"REGION") +
                               u" ブロックは最初の字幕より前にないと使えないため飛ばしました");
        else if (!isNoteLine(line) && !(lineCount == 1 && (isKeywordLine(line, u"STYLE") || isKeywordLine(line, u"REGION"))))
            captions_.note(lines_[first].number, u"時間の行がないため、このブロックを飛ばしました");
    }

    std::vector<SourceLine> lines_;
    ImportedCaptions captions_;
    WebVttStyles styles_;
    std::set<std::u16string> styleNotes_;
    bool seenCue_ = false;
};

}  // namespace

ImportedCaptions readWebVtt(std::u16string_view text) {
    if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
    if (!hasSignature(text)) {
        ImportedCaptions captions;
        captions.failure = u"WebVTTの見出し（WEBVTT）がありません";
        return captions;
    }
    return WebVttReader(text).read();
}

}  // namespace qucap
