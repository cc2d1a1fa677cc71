#pragma once
// The verb "ruby": the proposed ruby of a body text (--text), or of every
// line of a project whose ruby text is empty, from the dictionary in
// dic\ipadic beside the program and the project's "ルビ辞書.csv".
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

inline constexpr std::u16string_view kTextOption = u"--text";
inline constexpr std::u16string_view kRubyCancelled = u"ルビ候補を付けるのをやめました";

// "12か所にルビ候補を付け、字幕情報ファイルに保存しますか？"
std::u16string rubySaveQuestion(std::size_t lines);

int rubyVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
