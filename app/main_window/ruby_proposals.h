#pragma once
// The ruby proposal in the program: the analyser on the dictionary beside
// the program, opened when first needed, and "ﾂｰﾙ → ルビ候補を全行に付ける".
#include "app/ruby/morphemes.h"

namespace qucap {

// The analyser; null, with a warning that says why, when the dictionary
// cannot be read (everything else of the program works on).
MorphemeAnalyser* programAnalyser();

// Proposes the ruby of every line whose ruby text is empty, after the
// question, into the caption list and its caption table; true when it
// changed them (the list view and the tab are the caller's to show).
bool proposeRubyForAllRows();

}  // namespace qucap
