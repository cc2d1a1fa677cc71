#include "app/tabs/caption_creation_page.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/main_window/position_defaults.h"
#include "app/tabs/caption_editors.h"
#include "app/tabs/help_host.h"
#include "app/tabs/input_method.h"
#include "app/tabs/pages.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "win32/handles.h"

namespace qucap {
namespace {

// What the editors post to the page: a text editor's selection may have
// moved, a border editor's may have, the right button was released.
constexpr UINT kTextSelectionMoved = WM_APP + 103;
constexpr UINT kBorderSelectionMoved = WM_APP + 104;
constexpr UINT kEditMenuWanted = WM_APP + 105;
// The editors still hold an edit the list could not take.
constexpr UINT kEditStillPending = WM_APP + 106;
constexpr wchar_t kPreviousProcedure[] = L"qucapEditorProcedure";

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kButtonsMovingRight[] = {IDC_PAGE_HELP, IDC_REPEAT, IDC_PROPOSE_RUBY, IDC_ADD_ROW, IDC_INSERT_ROW,
                                       IDC_DELETE_ROW};

CaptionCreationPage* pageOfEditor(HWND editor) {
    auto* page = reinterpret_cast<Page*>(GetWindowLongPtrW(GetParent(editor), GWLP_USERDATA));
    return static_cast<CaptionCreationPage*>(page);
}

// The text and border editors: focus, Enter, paste and selection moves go to the page.
LRESULT editorProcedureUnguarded(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure the system calls: editorProcedureUnguarded, with no exception let through.
LRESULT CALLBACK editorProcedure(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, LRESULT(0), [&] {
        return editorProcedureUnguarded(editor, message, wParam, lParam);
    });
}

LRESULT editorProcedureUnguarded(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(editor, kPreviousProcedure));
    const int id = GetDlgCtrlID(editor);
    const bool text = editorPairOfText(id) != nullptr;
    CaptionCreationPage* page = pageOfEditor(editor);
    // The last key pressed was the input method's (one flag for the tab).
    static bool inputMethodKey = false;
    switch (message) {
        case WM_KEYDOWN:
            inputMethodKey = wParam == VK_PROCESSKEY;
            break;
        case WM_KEYUP:
            if (text && wParam == VK_RETURN && page) {
                const bool fromInputMethod = inputMethodKey;
                inputMethodKey = false;
                page->enterReleased(id, fromInputMethod);
            }
            PostMessageW(GetParent(editor), text ? kTextSelectionMoved : kBorderSelectionMoved, WPARAM(id), 0);
            break;
        case WM_LBUTTONUP:
            PostMessageW(GetParent(editor), text ? kTextSelectionMoved : kBorderSelectionMoved, WPARAM(id), 0);
            break;
        case WM_RBUTTONUP:
            if (text) PostMessageW(GetParent(editor), kEditMenuWanted, WPARAM(id), lParam);
            break;
        case WM_SETFOCUS:
            if (page) page->editorFocused(id);
            break;
        case WM_KILLFOCUS:
            if (text && page) page->textEditorLeft(id);
            break;
        case WM_CHAR:
            if (text && page && wParam >= L' ') page->characterTyped(id);
            break;
        case WM_PASTE:
            if (text && page) {
                page->pasteInto(id);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(editor, GWLP_WNDPROC, LONG_PTR(previous));
            RemovePropW(editor, kPreviousProcedure);
            break;
    }
    return CallWindowProcW(previous, editor, message, wParam, lParam);
}

std::u16string clipboardText(HWND owner) {
    std::u16string text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

void CaptionCreationPage::initialise() {
    subclassEditors();
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        prepareTextEditor(item(pair.text));
        setEditorLimit(item(pair.text), kEditorTextLimit);
    }
    clearRow();
}

void CaptionCreationPage::subclassEditors() {
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        for (int id : {pair.text, pair.border}) {
            HWND editor = item(id);
            SetPropW(editor, kPreviousProcedure, HANDLE(GetWindowLongPtrW(editor, GWLP_WNDPROC)));
            SetWindowLongPtrW(editor, GWLP_WNDPROC, LONG_PTR(editorProcedure));
        }
    }
}

void CaptionCreationPage::refresh() {
    CaptionTabContext context;
    context.state = app().playState;
    context.rowSelected = app().captions.selection() >= 0;
    context.lastFocused = lastText_ ? EditorKind::Text : lastBorder_ ? EditorKind::Border : EditorKind::None;
    for (const ControlEnabling& control : captionTabControlStates(context))
        EnableWindow(item(control.id), control.enabled);
}

void CaptionCreationPage::growRight(int dx) {
    if (dx == 0) return;
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        shiftControl(pair.text, 0, dx);
        shiftControl(pair.border, 0, dx);
    }
    for (int id : kButtonsMovingRight) shiftControl(id, dx);
}

void CaptionCreationPage::showRow(int row) {
    // The edit of a row the list could not take stays in the editors: the
    // selection goes back to that row instead of showing another one.
    if (refusedRow_ >= 0 && app().captions.isRow(refusedRow_)) {
        // The caller clears the pending-edit flag after this; it is set again
        // once the caller is done, so "リストに保存" stays usable.
        PostMessageW(window(), kEditStillPending, 0, 0);
        if (row == refusedRow_) return refresh();
        app().captions.select(refusedRow_);
        if (HWND list = mainCaptionListView()) selectCaptionRow(list, refusedRow_);
        return;
    }
    refusedRow_ = -1;
    WorkingRow working;
    app().captions.readRow(row, working);
    showing_ = true;
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        const std::u16string& marked = working.texts[std::size_t(pair.textIndex)];
        const std::u16string plain = plainText(marked);
        setEditorLimit(item(pair.text), editorLimitFor(plain.size()));
        showInTextEditor(item(pair.text), marked);
        showInBorderEditor(item(pair.border), plain, marked);
    }
    showing_ = false;
    setEditorSelection(item(kCaptionEditors[0].text), {0, 0});
    showSelectionFormat(kCaptionEditors[0].text);
    refresh();
}

void CaptionCreationPage::clearRow() {
    refusedRow_ = -1;
    showing_ = true;
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        setEditorLimit(item(pair.text), kEditorTextLimit);
        setEditorContent(item(pair.text), u"", kWhite);
        setEditorContent(item(pair.border), u"", kBlack);
    }
    showing_ = false;
    for (const EffectBox& box : kEffectBoxes) CheckDlgButton(window(), box.id, BST_UNCHECKED);
    CheckRadioButton(window(), kColourRadios.front().id, kColourRadios.back().id, colourRadioOfLetter(u'W'));
    refresh();
}

void CaptionCreationPage::resyncBorder(const CaptionEditorPair& pair) {
    const CaptionList& captions = app().captions;
    const std::u16string stored = captions.cell(captions.selection(), kMarkupColumns[std::size_t(pair.textIndex)]);
    showing_ = true;
    showInBorderEditor(item(pair.border), windowText(item(pair.text)), stored);
    showing_ = false;
}

void CaptionCreationPage::commitEdit() {
    if (destroying_) return;
    for (const CaptionEditorPair& pair : kCaptionEditors) resyncBorder(pair);
    commitRow();
}

bool CaptionCreationPage::commitRow() {
    CaptionList& captions = app().captions;
    const int index = captions.selection();
    if (destroying_ || index < 0) return true;
    WorkingRow row;
    captions.readRow(index, row);
    captions.readLock(index, row);
    const WorkingRow before = row;
    std::array<std::u16string, kTextCount> typed;
    for (const CaptionEditorPair& pair : kCaptionEditors) {
        const auto at = std::size_t(pair.textIndex);
        typed[at] = windowText(item(pair.text));
        const std::vector<EditorCharacter> line = readEditorLine(item(pair.text), item(pair.border));
        row.texts[at] = markupFromEditor(line, kindOfText(pair.textIndex));
        row.plainTexts[at] = plainText(row.texts[at]);
    }
    if (auto refusal = commitRefusal(row, typed)) {
        setMessage(*refusal);
        refusedRow_ = index;
        return false;
    }
    refusedRow_ = -1;
    followDefaultPositions(before, row);
    captions.writeRow(index, row);
    captions.rebuildCaptionTable();
    if (HWND list = mainCaptionListView()) showCaptionRow(list, captions, index);
    setPendingEdit(false);
    refresh();
    return true;
}

void CaptionCreationPage::editorFocused(int id) {
    if (editorPairOfText(id)) {
        lastText_ = id;
        lastBorder_ = 0;
        app().lastCaptionTextField = id;
        setInputMethodOpen(item(id), true);
    } else {
        lastBorder_ = id;
        lastText_ = 0;
    }
    refresh();
}

void CaptionCreationPage::textEditorLeft(int id) {
    if (destroying_ || showing_) return;
    if (const CaptionEditorPair* pair = editorPairOfText(id)) resyncBorder(*pair);
    if (commitRow()) setMessage(u"");
}

void CaptionCreationPage::enterReleased(int id, bool fromInputMethod) {
    if (fromInputMethod) {
        setMessage(kEnterAfterComposition);
        return;
    }
    if (const CaptionEditorPair* pair = editorPairOfText(id)) resyncBorder(*pair);
    if (commitRow()) setMessage(u"");
}

void CaptionCreationPage::characterTyped(int id) {
    const CaptionEditorPair* pair = editorPairOfText(id);
    HWND editor = item(id);
    if (!pair || !editor) return;
    const EditorSelection selection = editorSelection(editor);
    const auto kept = std::size_t(GetWindowTextLengthW(editor) - (selection.end - selection.start));
    const auto limit = std::size_t(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0));
    if (kept >= limit) setMessage(typingLimitMessage(*pair, limit));
}

void CaptionCreationPage::pasteInto(int id) {
    const CaptionEditorPair* pair = editorPairOfText(id);
    HWND editor = item(id);
    if (!pair || !editor) return;
    const std::u16string pasted = firstLineOf(clipboardText(window()));
    if (pasted.empty()) return;
    const EditorSelection selection = editorSelection(editor);
    const auto length = std::size_t(GetWindowTextLengthW(editor));
    const auto limit = std::size_t(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0));
    const auto selected = std::size_t(selection.end - selection.start);
    if (auto refusal = pasteRefusal(*pair, length, selected, pasted.size(), limit)) {
        setMessage(*refusal);
        return;
    }
    SendMessageW(editor, EM_REPLACESEL, TRUE, LPARAM(pasted.c_str()));
}

bool CaptionCreationPage::handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    result = TRUE;
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return true;
        case kTextSelectionMoved:
        case kBorderSelectionMoved:
            showSelectionFormat(int(wParam));
            return true;
        case kEditMenuWanted:
            showEditMenu(int(wParam), lParam);
            return true;
        case kEditStillPending:
            if (refusedRow_ >= 0) setPendingEdit(true);
            return true;
        case WM_DESTROY:
            destroying_ = true;
            return false;
    }
    return false;
}

void CaptionCreationPage::command(int id, int code) {
    if (editorPairOfText(id)) {
        if (code == EN_CHANGE && !showing_ && app().captions.selection() >= 0) setPendingEdit(true);
        if (code == EN_MAXTEXT)
            setMessage(typingLimitMessage(*editorPairOfText(id), std::size_t(SendMessageW(item(id), EM_GETLIMITTEXT, 0, 0))));
        return;
    }
    if (code != BN_CLICKED) return;
    if (const EffectBox* box = effectBoxOf(id)) return effectClicked(*box);
    if (const ColourRadio* radio = colourRadioOf(id)) return colourClicked(*radio);
    switch (id) {
        case IDC_PAGE_HELP: openHelp(helpIndexOfTab(kCaptionCreationTab), window()); break;
        case IDC_REPEAT: repeat(); break;
        case IDC_PROPOSE_RUBY: proposeRuby(); break;
        case IDC_ADD_ROW: appendRow(); break;
        case IDC_INSERT_ROW: insertRow(); break;
        case IDC_DELETE_ROW: deleteRow(); break;
    }
}

void CaptionCreationPage::restoreEditor(HWND editor, LONG start, LONG end) {
    SetFocus(editor);
    setEditorSelection(editor, {start, end});
}

// The clicked box's effect is set on the whole selection when the box is now
// checked, cleared otherwise; the other effects stay as each character has them.
void CaptionCreationPage::effectClicked(const EffectBox& box) {
    HWND editor = lastText_ ? item(lastText_) : nullptr;
    if (!editor) return;
    const bool on = isChecked(box.id);
    if (!on) CheckDlgButton(window(), box.id, BST_UNCHECKED);
    const EditorSelection selection = editorSelection(editor);
    setSelectionEffect(editor, box.bit, on);
    commitRow();
    restoreEditor(editor, selection.start, selection.end);
}

// The radio colours the selection of the text editor (text colour) or of
// the border editor (border colour) that last had the focus.
void CaptionCreationPage::colourClicked(const ColourRadio& radio) {
    const int target = lastText_ ? lastText_ : lastBorder_;
    HWND editor = target ? item(target) : nullptr;
    const std::optional<Rgb> colour = editorColourOf(radio.letter);
    if (!editor || !colour) return;
    const EditorSelection selection = editorSelection(editor);
    setSelectionColour(editor, *colour);
    commitRow();
    restoreEditor(editor, selection.start, selection.end);
}

void CaptionCreationPage::showSelectionFormat(int id) {
    HWND editor = item(id);
    if (!editor) return;
    const SelectionFormat format = selectionFormat(editor);
    if (editorPairOfText(id)) {
        for (const EffectBox& box : kEffectBoxes) {
            const BoxState state = effectBoxState(box.bit, format.uniformEffects, format.effects);
            CheckDlgButton(window(), box.id,
                           state == BoxState::Checked ? BST_CHECKED
                           : state == BoxState::Mixed ? BST_INDETERMINATE
                                                      : BST_UNCHECKED);
        }
    }
    const auto letter = colourToCode(format.colour);
    const int radio = letter ? colourRadioOfLetter(*letter) : 0;
    for (const ColourRadio& r : kColourRadios) CheckDlgButton(window(), r.id, r.id == radio ? BST_CHECKED : BST_UNCHECKED);
}

void CaptionCreationPage::showEditMenu(int id, LPARAM at) {
    HWND editor = item(id);
    const OwnedMenu menu(LoadMenuW(app().instance, MAKEINTRESOURCEW(IDR_EDIT_MENU)));
    if (!editor || !menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    const UINT selectionState = editorSelection(editor).empty() ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(popup, IDM_CUT, MF_BYCOMMAND | selectionState);
    EnableMenuItem(popup, IDM_COPY, MF_BYCOMMAND | selectionState);
    EnableMenuItem(popup, IDM_PASTE, MF_BYCOMMAND | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED));
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ClientToScreen(editor, &point);
    const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, window(), nullptr);
    static constexpr std::pair<int, UINT> kEditCommands[] = {{IDM_CUT, WM_CUT}, {IDM_COPY, WM_COPY}, {IDM_PASTE, WM_PASTE}};
    for (const auto& [command, editMessage] : kEditCommands)
        if (chosen == command) SendMessageW(editor, editMessage, 0, 0);
    if (chosen == IDM_PROPOSE_RUBY) proposeRuby(id);
}

std::unique_ptr<Page> makeCaptionCreationPage() { return std::make_unique<CaptionCreationPage>(); }

}  // namespace qucap
