#pragma once
// One page of the main window's tab control: a modeless child dialog made
// from its template. The main window calls these when the page becomes
// current, when the window is resized and when the caption list's selection
// changes; each page fills in what its tab does.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace qucap {

// Empties drop-down list `combo` and adds `entries` (strings or views) in order.
template <class Entries>
void fillCombo(HWND combo, const Entries& entries) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& entry : entries) {
        const std::u16string text(entry);
        SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    }
}

class Page {
public:
    virtual ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Creates the page from dialog template `dialogId` as a child of `parent`
    // (hidden); false when the template could not be made.
    bool create(HINSTANCE instance, HWND parent, int dialogId);
    void destroy();
    HWND window() const { return window_; }

    // The page became current: show its values and apply its enabling rules.
    virtual void refresh() {}
    // The tab control grew by dx pixels: move or stretch the right-hand controls.
    virtual void growRight(int dx) { (void)dx; }
    // Pages that edit the selected caption row (3, 4, 6).
    virtual void showRow(int row) { (void)row; }
    virtual void clearRow() {}
    virtual void commitEdit() {}

protected:
    Page() = default;
    // After the template's controls exist.
    virtual void initialise() {}
    // Messages of the page; return true when handled. `result` is the dialog
    // result, or the return value itself for the messages that have one
    // (WM_CTLCOLOR*, WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_QUERYDRAGICON).
    virtual bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
        (void)message; (void)wParam; (void)lParam; (void)result;
        return false;
    }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    // Moves control `id` right by `dx` and widens it by `dWidth` (growRight).
    void shiftControl(int id, int dx, int dWidth = 0) const;
    // The text of control `id` (at most `limit` characters) and setting it.
    std::u16string itemText(int id, int limit = 256) const;
    void setItemText(int id, std::u16string_view text) const;
    // Whether check box or radio button `id` is checked.
    bool isChecked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }
    // A drop-down list filled with `choices`, the first chosen.
    void fillChoices(int id, std::span<const std::u16string_view> choices) const;

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

// A page whose behaviour belongs to a later part of the program: its
// template and controls are there; only its "ヘルプ" button works yet.
class TemplatePage : public Page {
public:
    // `helpIndex` is the help page of the tab, 0 for a tab without one.
    explicit TemplatePage(int helpIndex) : helpIndex_(helpIndex) {}

protected:
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    int helpIndex_;
};

}  // namespace qucap
