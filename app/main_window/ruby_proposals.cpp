#include "app/main_window/ruby_proposals.h"

#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/ruby/mecab_analyser.h"
#include "app/ruby/ruby_fill.h"
#include "captiondata/markup/markup.h"
#include "win32/program_folder.h"

namespace qucap {

MorphemeAnalyser* programAnalyser() {
    AppState& state = app();
    if (state.rubyAnalyser) return state.rubyAnalyser.get();
    // Opened again at the next try: a dictionary put in place meanwhile is found.
    std::u16string error;
    const std::u16string folder = state.rubyDictionary.empty() ? dictionaryFolderIn(programFolder()) : state.rubyDictionary;
    state.rubyAnalyser = MecabAnalyser::open(folder, kDictionaryFolder, error);
    if (!state.rubyAnalyser) state.ui.warn(error, Deliverable::Program);
    return state.rubyAnalyser.get();
}

bool proposeRubyForAllRows() {
    AppState& state = app();
    MorphemeAnalyser* analyser = programAnalyser();
    if (!analyser) return false;
    const std::vector<FilledRuby> filled =
        proposeEmptyRubies(state.captions.fileRows(), *analyser, loadRubyWordList(state.io, state.projectFile));
    if (filled.empty()) {
        state.ui.messageBox(kRubyNothingToFill, kProgramTitle, MessageIcon::Information);
        return false;
    }
    if (!state.ui.askYesNo(rubyFillQuestion(filled.size()), kProgramTitle)) return false;
    for (const FilledRuby& line : filled) {
        state.captions.setCell(line.row, kMarkupColumns[std::size_t(line.textIndex)], line.ruby);
        state.captions.setCell(line.row, kPlainColumns[std::size_t(line.textIndex)], plainText(line.ruby));
    }
    state.captions.rebuildCaptionTable();
    setMessage(rubyFilledMessage(filled.size()));
    return true;
}

}  // namespace qucap
