// The caption-creation tab's ルビ候補: the focused line's ruby editor gets
// the proposal for the kanji its body has and its ruby does not yet cover.
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/main_window/ruby_proposals.h"
#include "app/ruby/ruby_completion.h"
#include "app/ruby/ruby_fill.h"
#include "app/ruby/ruby_proposal.h"
#include "app/tabs/caption_creation_page.h"
#include "app/tabs/caption_editors.h"

namespace qucap {

inline constexpr std::u16string_view kNoRubyToPropose = u"この行の本文に、ルビ候補を付ける漢字はありません";
inline constexpr std::u16string_view kRubyProposed = u"ルビ候補を付けました（選択中の候補はDeleteキーで消せます）";

void CaptionCreationPage::proposeRuby(int editor) {
    if (app().captions.selection() < 0) return;
    // The line of the editor given, else of the one that last had the focus;
    // line 1 when none had it.
    const int focused = editor ? editor : lastText_ ? lastText_ : lastBorder_ ? editorPairOfBorder(lastBorder_)->text : 0;
    const CaptionEditorPair* focusedPair = editorPairOfText(focused);
    const int line = focusedPair ? focusedPair->textIndex / 2 : 0;
    const CaptionEditorPair& bodyPair = kCaptionEditors[std::size_t(line * 2)];
    const CaptionEditorPair& rubyPair = kCaptionEditors[std::size_t(line * 2 + 1)];
    MorphemeAnalyser* analyser = programAnalyser();
    if (!analyser) return;

    HWND ruby = item(rubyPair.text);
    const std::u16string body = windowText(item(bodyPair.text));
    const auto capacity = std::size_t(SendMessageW(ruby, EM_GETLIMITTEXT, 0, 0));
    const RubyCompletion completion =
        completeRuby(body, windowText(ruby),
                     proposeSpans(body, *analyser, loadRubyWordList(app().io, app().projectFile)), capacity);
    if (completion.insertions.empty()) {
        setMessage(kNoRubyToPropose);
        return;
    }
    // From the back, so each place still means the text the user left; the
    // user's own characters keep their colours.
    for (auto insertion = completion.insertions.rbegin(); insertion != completion.insertions.rend(); ++insertion)
        insertIntoEditor(ruby, LONG(insertion->at), insertion->text);
    // The last piece put in is selected, which is the whole proposal unless
    // it went between the user's own groups.
    std::size_t before = 0;
    for (std::size_t i = 0; i + 1 < completion.insertions.size(); ++i) before += completion.insertions[i].text.size();
    const RubyInsertion& last = completion.insertions.back();
    const auto start = LONG(last.at + before);
    resyncBorder(rubyPair);
    if (commitRow()) setMessage(kRubyProposed);
    restoreEditor(ruby, start, start + LONG(last.text.size()));
}

}  // namespace qucap
