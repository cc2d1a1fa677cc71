#include "app/cli/ruby_verb.h"

#include "app/cli/import_verb.h"
#include "app/core/project/batch_project.h"
#include "app/ruby/mecab_analyser.h"
#include "app/ruby/ruby_fill.h"
#include "app/ruby/ruby_proposal.h"
#include "captiondata/text/u16.h"
#include "win32/program_folder.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

// The proposal of every empty ruby text of the project, listed, then saved
// once the question is answered Yes.
int fillProject(const OpenedProject& project, MorphemeAnalyser& analyser, CliContext& context) {
    if (!namesFile(project.settings.captionInfoPath)) {
        context.err.writeLine(kImportNoCaptionFile);
        return kExitFailed;
    }
    std::vector<CaptionFileRow> rows = project.captions.fileRows();
    const std::vector<FilledRuby> filled =
        proposeEmptyRubies(rows, analyser, loadRubyWordList(context.io, project.projectFile));
    if (filled.empty()) {
        context.out.writeLine(kRubyNothingToFill);
        return kExitSuccess;
    }
    for (const FilledRuby& line : filled) {
        context.out.writeLine(filledRubyLine(line));
        rows[std::size_t(line.row)].texts[std::size_t(line.textIndex)] = line.ruby;
    }
    if (!context.ui.askYesNo(rubySaveQuestion(filled.size()), kProgramTitle)) {
        context.err.writeLine(kRubyCancelled);
        return kExitFailed;
    }
    return writeCaptionInfo(context.io, project.settings.captionInfoPath, rows) == 0 ? kExitSuccess : kExitFailed;
}

}  // namespace

std::u16string rubySaveQuestion(std::size_t lines) {
    return toDecimal(int64_t(lines)) + u"か所にルビ候補を付け、字幕情報ファイルに保存しますか？";
}

int rubyVerb(const std::vector<std::u16string>& args, CliContext& context) {
    const std::optional<std::u16string> text = context.valueOf(kTextOption);
    if (!text && args.empty()) {
        context.err.writeLine(u"ルビ候補を出す本文を --text で、またはプロジェクトファイルを指定してください");
        return kExitBadArguments;
    }
    OpenedProject project;
    if (!args.empty() && openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    std::u16string error;
    const std::unique_ptr<MecabAnalyser> analyser =
        MecabAnalyser::open(dictionaryFolderIn(programFolder()), kDictionaryFolder, error);
    if (!analyser) {
        context.err.writeLine(error);
        return kExitFailed;
    }
    if (!text) return fillProject(project, *analyser, context);
    // A text with a project takes the project's word list too.
    const RubyWordList words = args.empty() ? RubyWordList{} : loadRubyWordList(context.io, project.projectFile);
    context.out.writeLine(proposeRuby(*text, *analyser, words));
    return kExitSuccess;
}

}  // namespace qucap
