#include "app/cli/ruby_verb.h"

#include "app/ruby/mecab_analyser.h"
#include "app/ruby/ruby_proposal.h"
#include "win32/program_folder.h"

namespace qucap {
namespace {

constexpr std::u16string_view kDictionaryFolder = u"dic\\ipadic";

}  // namespace

int rubyVerb(const std::vector<std::u16string>&, CliContext& context) {
    const std::optional<std::u16string> text = context.valueOf(kTextOption);
    if (!text) {
        context.err.writeLine(u"ルビ候補を出す本文を --text で指定してください");
        return kExitBadArguments;
    }
    std::u16string error;
    const std::unique_ptr<MecabAnalyser> analyser =
        MecabAnalyser::open(programFolder() + u"\\" + std::u16string(kDictionaryFolder), kDictionaryFolder, error);
    if (!analyser) {
        context.err.writeLine(error);
        return kExitFailed;
    }
    context.out.writeLine(proposeRuby(*text, *analyser, RubyWordList{}));
    return kExitSuccess;
}

}  // namespace qucap
