#pragma once
// The proposal for whole caption lists: every line whose ruby text is empty
// gets the proposed ruby of its body, as "ﾂｰﾙ → ルビ候補を全行に付ける" and
// the console tool's verb do it; and the dictionary and word list both read.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ruby/morphemes.h"
#include "app/ruby/ruby_word_list.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/io/io.h"

namespace qucap {

// Where the programs find the dictionary, below their own folder.
inline constexpr std::u16string_view kDictionaryFolder = u"dic\\ipadic";
std::u16string dictionaryFolderIn(std::u16string_view programFolder);

// A ruby editor, and so a proposal, holds at most this many characters.
inline constexpr std::size_t kProposalCapacity = 255;

// The project's word list ("ルビ辞書.csv" beside the project file), decoded
// as the caption-info file is; an empty list when there is none or it
// cannot be read.
RubyWordList loadRubyWordList(const Io& io, std::u16string_view projectFile);

// One ruby text the proposal filled.
struct FilledRuby {
    int row = 0;        // index in the rows
    int textIndex = 0;  // Line1Ruby or Line2Ruby
    std::u16string ruby;
    bool operator==(const FilledRuby&) const = default;
};

// The proposals for every line of `rows` whose ruby text is empty and whose
// body has words to read, in row order. A proposal of at most 255
// characters keeps every row within the caption-info file's line, as the
// other texts hold at most 1023 characters each.
std::vector<FilledRuby> proposeEmptyRubies(const std::vector<CaptionFileRow>& rows, MorphemeAnalyser& analyser,
                                           const RubyWordList& words);

inline constexpr std::u16string_view kRubyNothingToFill = u"ルビ候補を付ける行はありません";
// The program's question before it fills them: the caption list has no undo.
std::u16string rubyFillQuestion(std::size_t lines);
// "12か所にルビ候補を付けました"
std::u16string rubyFilledMessage(std::size_t lines);

// "3行目 1行目ルビ 字幕(じまく)": a filled ruby as the console tool lists it.
std::u16string filledRubyLine(const FilledRuby& filled);

}  // namespace qucap
