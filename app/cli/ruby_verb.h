#pragma once
// The verb "ruby": the proposed ruby of a body text, as the caption
// markup's base(reading) groups, from the dictionary in dic\ipadic beside
// the program.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

inline constexpr std::u16string_view kTextOption = u"--text";

int rubyVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
