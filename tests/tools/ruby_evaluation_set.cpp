#include "tests/tools/ruby_evaluation_set.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/ruby/kana.h"
#include "app/ruby/ruby_proposal.h"
#include "app/ruby/ruby_word_list.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

enum class Kind { Kanji, Hiragana, Katakana, Latin, Other };

Kind kindOf(char16_t c) {
    if (isKanji(c)) return Kind::Kanji;
    if (c >= u'\u3041' && c <= u'\u309F') return Kind::Hiragana;
    if (isKana(c)) return Kind::Katakana;
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
        (c >= u'\uFF10' && c <= u'\uFF19') || (c >= u'\uFF21' && c <= u'\uFF3A') || (c >= u'\uFF41' && c <= u'\uFF5A'))
        return Kind::Latin;
    return Kind::Other;
}

// Where the base of a 《 without ｜ starts: the run of one kind of character
// before it, not reaching back into the group before.
std::size_t baseStart(std::u16string_view plain, std::size_t floor) {
    if (plain.size() <= floor) return plain.size();
    const Kind kind = kindOf(plain.back());
    if (kind == Kind::Other) return plain.size();
    std::size_t start = plain.size() - 1;
    while (start > floor && kindOf(plain[start - 1]) == kind) --start;
    return start;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

bool isClosing(char16_t c) { return std::u16string_view(u"」』）〉》】］”’").find(c) != std::u16string_view::npos; }

bool insideGroup(const AnnotatedLine& line, std::size_t at) {
    return std::any_of(line.groups.begin(), line.groups.end(), [&](const EditorGroup& group) {
        return group.offset < at && at < group.offset + group.base.size();
    });
}

// The stretch [from, to) of the line without its blanks at either end, with
// the groups that lie in it.
void appendSlice(const AnnotatedLine& line, std::size_t from, std::size_t to, std::vector<AnnotatedLine>& out) {
    while (from < to && isBlank(line.plain[from])) ++from;
    while (to > from && isBlank(line.plain[to - 1])) --to;
    if (from == to) return;
    AnnotatedLine slice{line.plain.substr(from, to - from), {}};
    for (const EditorGroup& group : line.groups)
        if (group.offset >= from && group.offset + group.base.size() <= to)
            slice.groups.push_back({group.offset - from, group.base, group.reading});
    out.push_back(std::move(slice));
}

// The places after each 、 of [from, to) where a cut may fall.
std::vector<std::size_t> commaCuts(const AnnotatedLine& line, std::size_t from, std::size_t to) {
    std::vector<std::size_t> cuts;
    for (std::size_t i = from; i + 1 < to; ++i)
        if (line.plain[i] == u'、' && !insideGroup(line, i + 1)) cuts.push_back(i + 1);
    return cuts;
}

void appendSentence(const AnnotatedLine& line, std::size_t from, std::size_t to, std::size_t maxLength,
                    std::vector<AnnotatedLine>& out) {
    if (to - from <= maxLength) return appendSlice(line, from, to, out);
    // Pieces between commas joined while they fit.
    std::size_t start = from;
    std::size_t last = from;
    std::vector<std::size_t> cuts = commaCuts(line, from, to);
    cuts.push_back(to);
    for (std::size_t cut : cuts) {
        if (cut - start > maxLength && last > start) {
            appendSlice(line, start, last, out);
            start = last;
        }
        last = cut;
    }
    appendSlice(line, start, to, out);
}

}  // namespace

AnnotatedLine parseAnnotatedLine(std::u16string_view line) {
    AnnotatedLine out;
    std::optional<std::size_t> bar;  // where ｜ put the next base's start
    std::size_t floor = 0;           // the end of the last group
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (c == u'［' && i + 1 < line.size() && line[i + 1] == u'＃') {
            const std::size_t close = line.find(u'］', i);
            if (close != std::u16string_view::npos) {
                i = close;
                continue;
            }
        }
        if (c == u'｜') {
            bar = out.plain.size();
            continue;
        }
        if (c == u'《') {
            const std::size_t close = line.find(u'》', i);
            const std::size_t start = bar ? *bar : baseStart(out.plain, floor);
            if (close != std::u16string_view::npos && close > i + 1 && start < out.plain.size()) {
                out.groups.push_back(
                    {start, out.plain.substr(start), std::u16string(line.substr(i + 1, close - i - 1))});
                floor = out.plain.size();
                bar.reset();
                i = close;
                continue;
            }
        }
        out.plain += c;
    }
    return out;
}

std::vector<AnnotatedLine> captionLines(const AnnotatedLine& line, std::size_t maxLength) {
    std::vector<AnnotatedLine> out;
    std::size_t from = 0;
    for (std::size_t i = 0; i < line.plain.size(); ++i) {
        const char16_t c = line.plain[i];
        if (c != u'。' && c != u'！' && c != u'？') continue;
        std::size_t end = i + 1;
        while (end < line.plain.size() && isClosing(line.plain[end])) ++end;
        if (insideGroup(line, end)) continue;
        appendSentence(line, from, end, maxLength, out);
        from = end;
        i = end - 1;
    }
    if (from < line.plain.size()) appendSentence(line, from, line.plain.size(), maxLength, out);
    return out;
}

std::optional<std::u16string> proposedReading(std::u16string_view plain, const EditorGroup& group,
                                              const std::vector<RubySpan>& spans) {
    const std::size_t start = group.offset;
    const std::size_t end = group.offset + group.base.size();
    std::vector<const RubySpan*> inside;
    for (const RubySpan& span : spans) {
        const std::size_t spanEnd = span.offset + span.base.size();
        if (spanEnd <= start || span.offset >= end) continue;
        if (span.offset < start || spanEnd > end) return std::nullopt;
        inside.push_back(&span);
    }
    std::sort(inside.begin(), inside.end(), [](const RubySpan* a, const RubySpan* b) { return a->offset < b->offset; });
    std::u16string reading;
    std::size_t at = start;
    for (const RubySpan* span : inside) {
        reading += toHiragana(plain.substr(at, span->offset - at));
        reading += toHiragana(span->reading);
        at = span->offset + span->base.size();
    }
    reading += toHiragana(plain.substr(at, end - at));
    return reading;
}

bool groupCorrect(std::u16string_view plain, const EditorGroup& group, const std::vector<RubySpan>& spans) {
    const std::optional<std::u16string> proposed = proposedReading(plain, group, spans);
    return proposed && *proposed == toHiragana(group.reading);
}

void evaluateText(std::u16string_view text, MorphemeAnalyser& analyser, EvaluationResult& result) {
    const RubyWordList noWords = RubyWordList::parse(u"");
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find(u'\n'), text.size());
        std::u16string_view raw = text.substr(0, lineEnd);
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
        if (raw.ends_with(u'\r')) raw.remove_suffix(1);
        for (const AnnotatedLine& line : captionLines(parseAnnotatedLine(raw))) {
            const std::vector<RubySpan> spans = proposeSpans(line.plain, analyser, noWords);
            for (const EditorGroup& group : line.groups) {
                if (std::none_of(group.base.begin(), group.base.end(), isKanji)) continue;
                ++result.groups;
                if (groupCorrect(line.plain, group, spans))
                    ++result.correct;
                else
                    result.misses.push_back({line.plain, group, proposedReading(line.plain, group, spans)});
            }
        }
    }
}

std::optional<std::u16string> readUtf8File(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    return fromUtf8(bytes);
}

}  // namespace qucap
