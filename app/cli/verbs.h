#pragma once
// The verbs of the console tool and what they share: the platform seams and
// the two output streams.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/core/project/batch_project.h"
#include "app/core/project/path_fields.h"
#include "captiondata/io/io.h"
#include "win32/console.h"
#include "win32/console_ui.h"

namespace qucap {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;        // the job was refused or failed
inline constexpr int kExitBadArguments = 2;  // unknown verb, wrong arguments

struct CliContext {
    Io io;          // its ui is `ui` below
    ConsoleUi& ui;  // answers questions, keeps the message line
    TextSink& out;  // results
    TextSink& err;  // messages
    std::optional<std::u16string> optionValue = std::nullopt;  // the value of the verb's option, when given
    // Every option given with its value, in the order of the verb's options.
    std::vector<std::pair<std::u16string, std::u16string>> optionValues = {};
    std::vector<std::u16string> flags = {};  // the verb's options without a value that were given

    // The value given for `option`, when it was given.
    std::optional<std::u16string> valueOf(std::u16string_view option) const {
        for (const auto& [name, value] : optionValues)
            if (name == option) return value;
        return std::nullopt;
    }
    bool hasFlag(std::u16string_view flag) const {
        for (const auto& given : flags)
            if (given == flag) return true;
        return false;
    }
};

// Arguments are those after the verb's name. A handler returning
// kExitBadArguments has the verb's usage printed after its own message.
using VerbHandler = int (*)(const std::vector<std::u16string>& args, CliContext& context);

// The full path of a path argument; nothing, with a message naming the
// field, when it is longer than `limit` (what the system holds).
std::optional<std::u16string> pathArgument(CliContext& context, std::u16string_view argument, PathField field,
                                           std::size_t limit = kPathMax);

// Opens the project named by the argument for a job whose captions the
// caption filter draws: as openBatchProject, then the filter's own read of
// the caption-info file, whose message (the filter would drop every caption)
// goes to the error stream. kExitSuccess or kExitFailed.
int openProjectForFilter(CliContext& context, std::u16string_view argument, OpenedProject& project);

int newProjectVerb(const std::vector<std::u16string>& args, CliContext& context);
int checkVerb(const std::vector<std::u16string>& args, CliContext& context);
int exportSrtVerb(const std::vector<std::u16string>& args, CliContext& context);
int exportSamiVerb(const std::vector<std::u16string>& args, CliContext& context);
int exportWebVttVerb(const std::vector<std::u16string>& args, CliContext& context);
int exportTtmlVerb(const std::vector<std::u16string>& args, CliContext& context);

}  // namespace qucap
