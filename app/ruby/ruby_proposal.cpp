#include "app/ruby/ruby_proposal.h"

#include <algorithm>
#include <optional>

#include "app/ruby/counter_readings.h"
#include "app/ruby/kana.h"
#include "app/ruby/ruby_completion.h"
#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

struct Placed {
    std::size_t offset;  // in the plain body
    Morpheme morpheme;
};

// The analyser's words of `text` with their places; a word not found where
// it should be (the analyser changed it) ends the list.
std::vector<Placed> placedMorphemes(std::u16string_view text, std::size_t base, MorphemeAnalyser& analyser) {
    std::vector<Placed> placed;
    std::size_t at = 0;
    for (Morpheme& morpheme : analyser.morphemes(text)) {
        const std::size_t found = text.find(morpheme.surface, at);
        if (morpheme.surface.empty() || found == std::u16string_view::npos) break;
        at = found + morpheme.surface.size();
        placed.push_back({base + found, std::move(morpheme)});
    }
    return placed;
}

bool allNumerals(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isNumeral);
}

void appendShifted(std::vector<RubySpan>& out, std::vector<RubySpan> spans, std::size_t offset) {
    for (RubySpan& span : spans) {
        span.offset += offset;
        out.push_back(std::move(span));
    }
}

// Spans of the analyser's words of one stretch the word list left.
void analyse(std::u16string_view plain, std::size_t from, std::size_t to, MorphemeAnalyser& analyser,
             std::vector<RubySpan>& out) {
    if (from >= to) return;
    const std::vector<Placed> placed = placedMorphemes(plain.substr(from, to - from), from, analyser);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Placed& word = placed[i];
        // A number (of one or more words) and the counter after it; a word
        // of its own (十分, 一日) takes the table's reading only where the
        // table has one for the whole word, such as 一日 ついたち.
        std::size_t last = i;
        while (last + 1 < placed.size() && allNumerals(placed[last].morpheme.surface) &&
               placed[last + 1].offset == placed[last].offset + placed[last].morpheme.surface.size())
            ++last;
        bool counted = false;
        for (std::size_t end = last + 1; end-- > i && !counted;) {
            const std::size_t length = placed[end].offset + placed[end].morpheme.surface.size() - word.offset;
            const std::u16string_view text = plain.substr(word.offset, length);
            if (const std::optional<std::u16string> reading =
                    counterReading(text, end == i ? CounterWords::WholeOnly : CounterWords::All)) {
                out.push_back({word.offset, std::u16string(text), *reading});
                i = end;
                counted = true;
            }
        }
        if (counted || word.morpheme.reading.empty()) continue;
        if (std::optional<std::vector<RubySpan>> spans = alignReading(word.morpheme.surface, word.morpheme.reading))
            appendShifted(out, std::move(*spans), word.offset);
    }
}

}  // namespace

std::vector<RubySpan> proposeSpans(std::u16string_view plainBody, MorphemeAnalyser& analyser, const RubyWordList& words) {
    std::vector<RubySpan> out;
    std::size_t gap = 0;
    for (std::size_t at = 0; at < plainBody.size();) {
        const RubyWord* word = words.longestAt(plainBody, at);
        if (!word) {
            ++at;
            continue;
        }
        analyse(plainBody, gap, at, analyser, out);
        std::optional<std::vector<RubySpan>> spans = alignReading(word->surface, word->reading);
        if (!spans) spans = std::vector<RubySpan>{{0, word->surface, word->reading}};
        appendShifted(out, std::move(*spans), at);
        at += word->surface.size();
        gap = at;
    }
    analyse(plainBody, gap, plainBody.size(), analyser, out);
    return out;
}

std::u16string rubyTextOf(std::u16string_view plainBody, const std::vector<RubySpan>& spans) {
    return completeRuby(plainBody, u"", spans, std::u16string::npos).ruby;
}

std::u16string proposeRuby(std::u16string_view body, MorphemeAnalyser& analyser, const RubyWordList& words) {
    const std::u16string plain = plainText(body);
    return rubyTextOf(plain, proposeSpans(plain, analyser, words));
}

}  // namespace qucap
