#pragma once
// The console tool's command line: a table of verbs and the dispatch that
// checks the verb and its argument count before calling its handler.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/verbs.h"

namespace qucap {

inline constexpr std::u16string_view kCliProgramName = u"Qucapcmd";

// An option that takes a value, e.g. "--out FILE.avi".
struct ValueOption {
    std::u16string_view option;
    std::u16string_view valueName;  // the value's name in the usage
};

struct Verb {
    std::u16string_view name;
    std::u16string_view arguments;    // the usage after the name, e.g. "PROJECT.mcc OUT.srt"
    std::u16string_view description;  // one line for the verb list
    std::size_t minArguments;
    std::size_t maxArguments;
    bool acceptsYes;  // "--yes" anywhere after the name answers every question with Yes
    VerbHandler handler;
    // An option with a value ("--movie FILE"): taken out of the arguments
    // wherever it stands, its value given to the handler as
    // CliContext::optionValue. Empty: the verb has none.
    std::u16string_view valueOption = {};
    std::u16string_view valueName = {};  // the value's name in the usage
    // Further options with a value, taken out the same way; their values
    // (with the first option's) are in CliContext::optionValues.
    std::span<const ValueOption> moreValueOptions = {};
    // Options without a value ("--strict"), taken out wherever they stand;
    // those given are in CliContext::flags.
    std::span<const std::u16string_view> flags = {};
};

// The verbs of Qucapcmd.exe, in the order --help lists them.
std::span<const Verb> cliVerbs();

// Runs one command line (the arguments after the program name) and returns
// the exit code. No arguments, "--help" or "-h" list the verbs; "VERB --help"
// shows that verb's usage.
int runCommandLine(const std::vector<std::u16string>& arguments, CliContext& context);
int runCommandLine(const std::vector<std::u16string>& arguments, CliContext& context, std::span<const Verb> verbs);

// "使い方: Qucapcmd check PROJECT.mcc" (with "[--yes]" for verbs that take it).
std::u16string usageLine(const Verb& verb);
// The whole --help text.
std::u16string helpText(std::span<const Verb> verbs);

}  // namespace qucap
