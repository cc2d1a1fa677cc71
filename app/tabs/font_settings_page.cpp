#include "app/tabs/font_settings_page.h"

#include <string>
#include <vector>

#include "app/core/main_window/main_window_texts.h"
#include "app/main_window/app_state.h"
#include "app/main_window/position_defaults.h"
#include "app/tabs/help_host.h"
#include "app/tabs/input_method.h"
#include "app/tabs/pages.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "win32/wide.h"
#include "win32/window_text.h"

namespace qucap {
namespace {

// The model names the template's controls by their ids.
static_assert(kBodyFontNameCombo == IDC_BODY_FONT_NAME && kBodySizeCombo == IDC_BODY_FONT_SIZE &&
              kRubyFontNameCombo == IDC_RUBY_FONT_NAME && kRubySizeCombo == IDC_RUBY_FONT_SIZE);
static_assert(kRubyOnBothSidesRadio == IDC_RUBY_OUTER_SIDES && kRubyBetweenLinesRadio == IDC_RUBY_BETWEEN_LINES &&
              kFillCheck == IDC_FILL_EMPTY_RUBY && kSideCheck == IDC_FROM_EDGE);
static_assert(kBorderOutlineRadio == IDC_BORDER_OUTLINE && kBorderShadowRadio == IDC_BORDER_SHADOW &&
              kBorderNoneRadio == IDC_BORDER_NONE && kBlackBoxRadio == IDC_BORDER_BLACK_BOX &&
              kGradationCheck == IDC_BORDER_GRADATION);
static_assert(kBodyBorderWidthCombo == IDC_BODY_BORDER_WIDTH && kRubyBorderWidthCombo == IDC_RUBY_BORDER_WIDTH &&
              kRewindEdit == IDC_REWIND_SECONDS && kFontTabHelp == IDC_PAGE_HELP);

// The size labels and lists and the help button stand at the template's
// right edge, from this many dialog units on; they follow it when the tab grows.
constexpr int kRightEdgeGroupFrom = 240;

FontListedQuery listedFonts() {
    return [](std::u16string_view name) {
        const DisplayLists* lists = app().displayLists.get();
        return lists && lists->isListed(DisplayListKind::Fonts, name);
    };
}

bool isCombo(int id) {
    for (int combo : {kBodyFontNameCombo, kBodySizeCombo, kRubyFontNameCombo, kRubySizeCombo, kBodyBorderWidthCombo,
                      kRubyBorderWidthCombo})
        if (combo == id) return true;
    return false;
}

bool isLayoutRadio(int id) { return id == kRubyOnBothSidesRadio || id == kRubyBetweenLinesRadio; }
bool isBorderRadio(int id) { return id >= kBorderOutlineRadio && id <= kBlackBoxRadio; }
bool isCheckBox(int id) { return id == kFillCheck || id == kSideCheck || id == kGradationCheck; }

}  // namespace

FontSettingsPage::FontSettingsPage()
    : model_(app().settings),
      recomputePositions_([] { applyDefaultPositionsToAll(DefaultPositionMode::RecomputeUnlocked); }) {}

void FontSettingsPage::initialise() {
    model_.initialise(app().fontNames, listedFonts());
    fillNumberLists();
    fillFontLists();
    showAll();
}

void FontSettingsPage::refresh() {
    model_.mendValues();
    showAll();
}

void FontSettingsPage::refillFontLists() {
    const FontTabChange change = model_.refillFontNames(app().fontNames, listedFonts());
    fillFontLists();
    showCombos();
    apply(change);
}

void FontSettingsPage::growRight(int dx) {
    RECT from{kRightEdgeGroupFrom, 0, 0, 0};
    MapDialogRect(window(), &from);
    for (HWND child = GetWindow(window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
        if (r.left >= from.left) SetWindowPos(child, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    InvalidateRect(window(), nullptr, TRUE);
}

bool FontSettingsPage::handle(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_COMMAND) return false;
    command(LOWORD(wParam), HIWORD(wParam));
    result = 0;
    return true;
}

void FontSettingsPage::command(int id, int code) {
    if (isCombo(id)) {
        if (code == CBN_SELCHANGE) apply(model_.chooseEntry(id, int(SendMessageW(item(id), CB_GETCURSEL, 0, 0))));
        return;
    }
    if (id == kRewindEdit) {
        if (code == EN_SETFOCUS) setInputMethodOpen(item(id), false);
        if (code == EN_CHANGE && !showing_) rewindChanged();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == kFontTabHelp) return openHelp(helpIndexOfTab(kFontTab), window());
    if (isLayoutRadio(id) || isBorderRadio(id)) {
        // The auto radio buttons check themselves; the model takes the checked one.
        if (!isChecked(id)) return;
        apply(model_.chooseRadio(id));
        if (isBorderRadio(id)) applyEnabling();
        return;
    }
    if (isCheckBox(id)) apply(model_.setChecked(id, isChecked(id)));
}

void FontSettingsPage::rewindChanged() {
    if (model_.typeRewind(windowText(item(kRewindEdit))).showAgain) showRewind();
}

void FontSettingsPage::apply(const FontTabChange& change) {
    if (change.showAgain) showCombos();
    if (change.movesPositions && recomputePositions_) recomputePositions_();
}

void FontSettingsPage::fillNumberLists() {
    for (const ComboShown& combo : model_.combos())
        if (combo.items != &model_.fontNames()) fillCombo(item(combo.id), *combo.items);
}

void FontSettingsPage::fillFontLists() {
    for (int id : {kBodyFontNameCombo, kRubyFontNameCombo}) fillCombo(item(id), model_.fontNames());
}

void FontSettingsPage::showAll() {
    showCombos();
    CheckRadioButton(window(), kRubyOnBothSidesRadio, kRubyBetweenLinesRadio, model_.layoutRadio());
    CheckRadioButton(window(), kBorderOutlineRadio, kBlackBoxRadio, model_.borderRadio());
    for (const auto& [id, checked] : model_.checkBoxes()) CheckDlgButton(window(), id, checked ? BST_CHECKED : BST_UNCHECKED);
    showRewind();
    applyEnabling();
}

void FontSettingsPage::showCombos() {
    for (const ComboShown& combo : model_.combos()) SendMessageW(item(combo.id), CB_SETCURSEL, combo.selected, 0);
}

void FontSettingsPage::showRewind() {
    showing_ = true;
    const std::u16string text = model_.rewindText();
    SetWindowTextW(item(kRewindEdit), wide(text));
    // The caret after the text, where the next digit goes.
    SendMessageW(item(kRewindEdit), EM_SETSEL, text.size(), text.size());
    showing_ = false;
}

void FontSettingsPage::applyEnabling() {
    for (const ControlEnabling& control : model_.controlStates(app().playState))
        if (HWND window = item(control.id)) EnableWindow(window, control.enabled ? TRUE : FALSE);
}

std::unique_ptr<Page> makeFontSettingsPage() { return std::make_unique<FontSettingsPage>(); }

void refillFontSettingsLists() {
    Page* page = app().pages[std::size_t(kFontTab)].get();
    if (auto* fontPage = dynamic_cast<FontSettingsPage*>(page)) fontPage->refillFontLists();
}

}  // namespace qucap
