#pragma once
// The timing verbs: the cuts and the sound's peaks of a movie, and the
// clean-up of a project's times by the reading rules.
#include <string>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

inline constexpr std::u16string_view kBucketsOption = u"--buckets";
inline constexpr std::u16string_view kDryRunFlag = u"--dry-run";
inline constexpr std::u16string_view kShotsFlag = u"--shots";
inline constexpr std::u16string_view kNoShotsFlag = u"--no-shots";

int shotsVerb(const std::vector<std::u16string>& args, CliContext& context);
int peaksVerb(const std::vector<std::u16string>& args, CliContext& context);
int retimeVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
