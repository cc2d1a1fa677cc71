#pragma once
// The caption-creation tab (dialog 108): the selected row's four texts in
// rich edit controls, each with a read-only border-colour editor below it;
// effect boxes and colour radios for the selected characters; the buttons
// that add, insert and delete rows and replay the row in the preview.
#include <windows.h>

#include <memory>

#include "app/core/caption_creation/caption_tab.h"
#include "app/tabs/page.h"

namespace qucap {

class CaptionCreationPage : public Page {
public:
    void refresh() override;
    void growRight(int dx) override;
    void showRow(int row) override;
    void clearRow() override;
    // Re-syncs the border editors, then writes the editors into the selected row.
    void commitEdit() override;

    // The editors' window procedure reaches the page through these.
    void editorFocused(int id);
    void textEditorLeft(int id);
    void enterReleased(int id, bool fromInputMethod);
    // A character typed into a full editor is not taken: the message line says so.
    void characterTyped(int id);
    void pasteInto(int id);

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    // Writes the editors into the selected row; false (with a message) when
    // the row could not take them, and the row stays as it was.
    bool commitRow();
    void resyncBorder(const CaptionEditorPair& pair);
    void appendRow();
    void insertRow();
    void deleteRow();
    void repeat();
    // ルビ候補: the button (for the line last focused) and the editors' menu
    // item (for the line of `editor`).
    void proposeRuby(int editor = 0);
    void effectClicked(const EffectBox& box);
    void colourClicked(const ColourRadio& radio);
    void showSelectionFormat(int id);
    void showEditMenu(int id, LPARAM at);
    // After a change made from the buttons: the editor gets the focus back
    // with the selection it had.
    void restoreEditor(HWND editor, LONG start, LONG end);
    // The editors' own procedures come back when they are destroyed.
    void subclassEditors();

    int lastText_ = 0;    // the text editor that last had the focus, 0 when a border editor had it
    int lastBorder_ = 0;  // the border editor that last had the focus, 0 when a text editor had it
    bool showing_ = false;     // the page itself is filling the editors
    bool destroying_ = false;  // the window is going: no commits any more
    int refusedRow_ = -1;      // the row whose edit the list could not take, kept in the editors
};

std::unique_ptr<Page> makeCaptionCreationPage();

}  // namespace qucap
