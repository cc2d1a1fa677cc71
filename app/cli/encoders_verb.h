#pragma once
// The verb "encoders": the four encoder name tables the synthesis chooses
// from (video compressors, video encoder filters, audio compressors, audio
// encoder filters), read from the installed devices.
#include <string>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

int encodersVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
