#pragma once
// The proposed ruby of a line's body text: the project's word list first,
// then the analyser's words, numbers with counters read from their table,
// written as the caption markup's base(reading) groups.
#include <string>
#include <string_view>
#include <vector>

#include "app/ruby/morphemes.h"
#include "app/ruby/reading_alignment.h"
#include "app/ruby/ruby_word_list.h"

namespace qucap {

// The kanji stretches of the plain body text and their readings, in order
// (offsets in the plain text).
std::vector<RubySpan> proposeSpans(std::u16string_view plainBody, MorphemeAnalyser& analyser, const RubyWordList& words);

// The ruby text that puts each span's reading on exactly its characters, as
// buildRubyGroups anchors them; spans past the line's nine groups are left
// out, and so are spans whose base would end a group (holds "(", ")" or "$").
std::u16string rubyTextOf(std::u16string_view plainBody, const std::vector<RubySpan>& spans);

// The proposal for a body text with markup: rubyTextOf its spans.
std::u16string proposeRuby(std::u16string_view body, MorphemeAnalyser& analyser, const RubyWordList& words);

}  // namespace qucap
