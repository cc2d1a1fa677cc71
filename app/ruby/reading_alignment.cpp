#include "app/ruby/reading_alignment.h"

#include <algorithm>

#include "app/ruby/kana.h"

namespace qucap {
namespace {

struct Run {
    std::size_t offset;
    std::u16string text;  // kana runs in hiragana
    bool kanji;
};

std::vector<Run> runsOf(std::u16string_view word) {
    std::vector<Run> runs;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool kanji = isKanji(word[i]);
        if (runs.empty() || runs.back().kanji != kanji) runs.push_back({i, {}, kanji});
        runs.back().text += word[i];
    }
    for (Run& run : runs)
        if (!run.kanji) run.text = toHiragana(run.text);
    return runs;
}

// Fits runs[index...] to reading[at...]; each kanji run takes the shortest
// stretch after which the rest still fits. Fills `spans` on success.
bool fit(const std::vector<Run>& runs, std::size_t index, std::u16string_view reading, std::size_t at,
         std::vector<RubySpan>& spans) {
    if (index == runs.size()) return at == reading.size();
    const Run& run = runs[index];
    if (!run.kanji)
        return reading.substr(at).starts_with(run.text) && fit(runs, index + 1, reading, at + run.text.size(), spans);
    const std::size_t last = index + 1 == runs.size() ? reading.size() - at : 1;
    for (std::size_t length = last; at + length <= reading.size(); ++length) {
        if (length == 0) break;
        spans.push_back({run.offset, run.text, std::u16string(reading.substr(at, length))});
        if (fit(runs, index + 1, reading, at + length, spans)) return true;
        spans.pop_back();
    }
    return false;
}

}  // namespace

std::optional<std::vector<RubySpan>> alignReading(std::u16string_view word, std::u16string_view reading) {
    const std::vector<Run> runs = runsOf(word);
    const bool hasKanji = std::any_of(runs.begin(), runs.end(), [](const Run& run) { return run.kanji; });
    if (!hasKanji) return std::vector<RubySpan>{};
    for (const Run& run : runs)
        if (!run.kanji && !std::all_of(run.text.begin(), run.text.end(), isKana)) return std::nullopt;
    std::vector<RubySpan> spans;
    if (!fit(runs, 0, toHiragana(reading), 0, spans)) return std::nullopt;
    return spans;
}

}  // namespace qucap
