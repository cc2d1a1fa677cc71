#pragma once
// The accuracy of the ruby proposal against text whose ruby its editors
// gave, written in Aozora Bunko's notation: 漢字《かんじ》, ｜ where a base
// does not start at its kanji run, ［＃…］ for the editors' notes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ruby/morphemes.h"
#include "app/ruby/reading_alignment.h"

namespace qucap {

// One ruby group as the editors gave it, placed in the plain text.
struct EditorGroup {
    std::size_t offset = 0;
    std::u16string base;
    std::u16string reading;  // as written (hiragana or katakana)
    bool operator==(const EditorGroup&) const = default;
};

struct AnnotatedLine {
    std::u16string plain;
    std::vector<EditorGroup> groups;
    bool operator==(const AnnotatedLine&) const = default;
};

// The plain text of one line of the notation and its groups. Without ｜ the
// base is the run before 《 of kanji (with 々 〆 ヶ), or else of the same kind
// of character (katakana, hiragana, Latin letters); notes are dropped, and
// a 《 that is never closed or has no base is kept as text.
AnnotatedLine parseAnnotatedLine(std::u16string_view line);

// A line cut where a caption line would end: after 。！？ (with the closing
// brackets that follow), and a sentence still longer than `maxLength` again
// after 、 where a piece would grow past it. Leading and trailing blanks are
// dropped, lines left empty too; no cut falls inside a group's base.
std::vector<AnnotatedLine> captionLines(const AnnotatedLine& line, std::size_t maxLength = 40);

// What the proposal reads for a group's stretch of the plain text: the
// readings of the spans inside it and the kana between them, in hiragana (a
// kanji without a span stays as it is), or nothing when a span crosses the
// stretch's start or end.
std::optional<std::u16string> proposedReading(std::u16string_view plain, const EditorGroup& group,
                                              const std::vector<RubySpan>& spans);

// True when the proposal reads the stretch exactly as the editors did
// (katakana and hiragana alike).
bool groupCorrect(std::u16string_view plain, const EditorGroup& group, const std::vector<RubySpan>& spans);

struct EvaluationMiss {
    std::u16string line;
    EditorGroup group;
    std::optional<std::u16string> proposed;  // nothing: a span crossed the base's edges
};

struct EvaluationResult {
    std::size_t groups = 0;
    std::size_t correct = 0;
    std::vector<EvaluationMiss> misses;
    double percent() const { return groups == 0 ? 0.0 : 100.0 * double(correct) / double(groups); }
};

// Each caption line of the text (in the notation, lines ending in LF or
// CR LF) proposed with an empty word list, and every group with kanji in
// its base scored; bases without kanji are glosses, not readings, and are
// not counted.
void evaluateText(std::u16string_view text, MorphemeAnalyser& analyser, EvaluationResult& result);

// The UTF-8 file's text, or nothing when it cannot be read.
std::optional<std::u16string> readUtf8File(const std::string& path);

}  // namespace qucap
