#pragma once
// CBasePropertyPage: IPropertyPage for a page hosted by the standard property
// frame (OleCreatePropertyFrame). The page is a modeless dialog made from a
// dialog resource of moduleInstance() as a child of the frame's window; its
// messages go to OnReceiveMessage. The derived page connects to its object in
// OnConnect, fills the dialog in OnActivate or at WM_INITDIALOG, and applies
// the values in OnApplyChanges.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "dshowbase/unknown.h"

namespace qucap {

class CBasePropertyPage : public CUnknown, public IPropertyPage {
public:
    // dialogId: the dialog resource (a child dialog, WS_CHILD). titleId: the
    // string resource of the page's title.
    CBasePropertyPage(IUnknown* outer, int dialogId, int titleId);
    ~CBasePropertyPage() override;

    DECLARE_IUNKNOWN
    // IPropertyPage, then CUnknown.
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // What the derived page does; each default answers S_OK (OnReceiveMessage
    // answers FALSE: not handled).
    // The object the page is shown for (SetObjects with one object). Keep a
    // reference or an interface of it until OnDisconnect.
    virtual HRESULT OnConnect(IUnknown* object);
    virtual HRESULT OnDisconnect();
    // The dialog exists (after WM_INITDIALOG, before it is moved and shown).
    virtual HRESULT OnActivate();
    // The dialog is about to be destroyed.
    virtual HRESULT OnDeactivate();
    // Apply with the page dirty; success makes the page clean.
    virtual HRESULT OnApplyChanges();
    virtual INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // IPropertyPage
    // Takes the frame's site (a second site: E_UNEXPECTED); null releases it
    // (none held: E_UNEXPECTED).
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    // Creates the dialog as a child of parent, then OnActivate, Move(rect) and
    // Show(SW_SHOWNORMAL). Null rect: E_POINTER; already active:
    // E_UNEXPECTED; the dialog not made: E_OUTOFMEMORY.
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    // OnDeactivate, then destroys the dialog (not active: E_UNEXPECTED).
    STDMETHODIMP Deactivate() override;
    // The title from the string resource (CoTaskMemAlloc'ed) and the size of
    // the dialog in pixels; no help file or document string.
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    // One object: OnConnect (after OnDisconnect of an earlier one); none:
    // OnDisconnect of the connected one. More than one: E_UNEXPECTED.
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    // SW_SHOW, SW_SHOWNORMAL or SW_HIDE (else E_INVALIDARG).
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    // S_OK when dirty, S_FALSE when clean.
    STDMETHODIMP IsPageDirty() override;
    // E_UNEXPECTED without an object or a site; S_OK at once when clean; else
    // OnApplyChanges, and its success makes the page clean.
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDirectory) override;       // E_NOTIMPL
    STDMETHODIMP TranslateAccelerator(MSG* message) override;  // E_NOTIMPL

protected:
    // Marks the page dirty and tells the site (PROPPAGESTATUS_DIRTY), which
    // enables the frame's Apply button.
    void SetDirty();

    HWND m_hwnd = nullptr;  // the dialog while active
    HWND m_Dlg = nullptr;   // the same window, set at WM_INITDIALOG
    IPropertyPageSite* m_pPageSite = nullptr;
    BOOL m_bDirty = FALSE;
    int m_DialogId;
    int m_TitleId;
    BOOL m_bObjectSet = FALSE;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace qucap
