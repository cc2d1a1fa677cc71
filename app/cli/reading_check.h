#pragma once
// `check --reading`: the limits from the command line and the table of rows
// that break the reading rules.
#include <optional>
#include <string_view>

#include "app/cli/verbs.h"
#include "app/export/reading_check.h"

namespace qucap {

inline constexpr std::u16string_view kReadingFlag = u"--reading";
inline constexpr std::u16string_view kStrictFlag = u"--strict";
inline constexpr std::u16string_view kCpsOption = u"--cps";

// An option's value as a whole number: digits only, at most a thousand million.
std::optional<int64_t> wholeNumber(std::u16string_view text);

// An option that sets a whole-number field of a record ("--min-ms MS").
template <typename Record>
struct WholeNumberOption {
    std::u16string_view option;
    int64_t Record::*field;
};

// The options of the table given on the command line, into `record`; false,
// with a message on the error stream, for a value that is no whole number.
template <typename Record, std::size_t N>
bool readWholeNumberOptions(CliContext& context, const WholeNumberOption<Record> (&options)[N], Record& record) {
    for (const WholeNumberOption<Record>& option : options) {
        const std::optional<std::u16string> text = context.valueOf(option.option);
        if (!text) continue;
        const std::optional<int64_t> value = wholeNumber(*text);
        if (!value) {
            context.err.writeLine(std::u16string(option.option) + u" には 0 以上の整数を指定して下さい");
            return false;
        }
        record.*option.field = *value;
    }
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
