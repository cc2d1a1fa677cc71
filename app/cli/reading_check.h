#pragma once
// `check --reading`: the limits from the command line and the table of rows
// that break the reading rules.
#include <optional>
#include <string_view>

#include "app/cli/verbs.h"
#include "app/export/reading_check.h"
#include "captiondata/text/u16.h"

namespace qucap {

inline constexpr std::u16string_view kReadingFlag = u"--reading";
inline constexpr std::u16string_view kStrictFlag = u"--strict";
inline constexpr std::u16string_view kCpsOption = u"--cps";

// An option that sets a whole-number field of a record ("--min-ms MS").
template <typename Record>
struct WholeNumberOption {
    std::u16string_view option;
    int64_t Record::*field;
};

// The value of `option` from the command line into `value`, when given;
// false, with a message on the error stream, for a value that is no whole
// number up to `max`.
bool readWholeNumberOption(CliContext& context, std::u16string_view option, int64_t max, int64_t& value);

// The options of the table given on the command line, into `record`.
template <typename Record, std::size_t N>
bool readWholeNumberOptions(CliContext& context, const WholeNumberOption<Record> (&options)[N], Record& record) {
    for (const WholeNumberOption<Record>& option : options)
        if (!readWholeNumberOption(context, option.option, kWholeNumberMax, record.*option.field)) return false;
    return true;
}

// Whether the reading check was asked for (by --reading or one of its options).
bool readingCheckAsked(const CliContext& context);

// The limits given on the command line over the defaults; nothing, with a
// message on the error stream, when a value is no number the rule can use or
// an option is given without --reading.
std::optional<ReadingLimits> readingLimitsOf(CliContext& context);

// The frame duration of the project's input movie; when it cannot be read,
// 29.97 frames a second, said on the output stream.
int64_t projectFrameDuration(CliContext& context, const OpenedProject& project);

// Prints the table for the project's rows; the frame duration comes from the
// input movie when it can be read. kExitFailed only with --strict and a warning.
int printReadingCheck(CliContext& context, const OpenedProject& project, const ReadingLimits& limits);

}  // namespace qucap
