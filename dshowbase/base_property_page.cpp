#include "dshowbase/base_property_page.h"

#include <cstring>

#include "dshowbase/com_guard.h"
#include "dshowbase/module.h"

namespace qucap {
namespace {

constexpr int kTitleCapacity = 256;

INT_PTR CALLBACK measuringDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The size in pixels of the dialog resource, measured on a hidden copy that
// never reaches the page's own dialog procedure.
bool dialogSize(int dialogId, SIZE* size) {
    HWND dialog = CreateDialogParamW(moduleInstance(), MAKEINTRESOURCEW(dialogId), GetDesktopWindow(),
                                     measuringDialogProc, 0);
    if (!dialog) return false;
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    DestroyWindow(dialog);
    size->cx = rect.right - rect.left;
    size->cy = rect.bottom - rect.top;
    return true;
}

LPOLESTR taskMemCopy(const WCHAR* text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(WCHAR);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy) std::memcpy(copy, text, bytes);
    return copy;
}

}  // namespace

CBasePropertyPage::CBasePropertyPage(IUnknown* outer, int dialogId, int titleId)
    : CUnknown(outer), m_DialogId(dialogId), m_TitleId(titleId) {}

CBasePropertyPage::~CBasePropertyPage() {
    if (m_hwnd) {
        // The derived page is gone already: its dialog hears nothing more.
        SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        DestroyWindow(m_hwnd);
    }
    if (m_pPageSite) m_pPageSite->Release();
}

STDMETHODIMP CBasePropertyPage::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IPropertyPage)) return GetInterface(static_cast<IPropertyPage*>(this), object);
    return CUnknown::NonDelegatingQueryInterface(iid, object);
}

HRESULT CBasePropertyPage::OnConnect(IUnknown*) { return S_OK; }
HRESULT CBasePropertyPage::OnDisconnect() { return S_OK; }
HRESULT CBasePropertyPage::OnActivate() { return S_OK; }
HRESULT CBasePropertyPage::OnDeactivate() { return S_OK; }
HRESULT CBasePropertyPage::OnApplyChanges() { return S_OK; }
INT_PTR CBasePropertyPage::OnReceiveMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

STDMETHODIMP CBasePropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site) {
        if (m_pPageSite) return E_UNEXPECTED;
        m_pPageSite = site;
        m_pPageSite->AddRef();
        return S_OK;
    }
    if (!m_pPageSite) return E_UNEXPECTED;
    m_pPageSite->Release();
    m_pPageSite = nullptr;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (!rect) return E_POINTER;
    if (m_hwnd) return E_UNEXPECTED;
    return guardCom([&] {
        HWND dialog = CreateDialogParamW(moduleInstance(), MAKEINTRESOURCEW(m_DialogId), parent, DialogProc,
                                         reinterpret_cast<LPARAM>(this));
        if (!dialog) {
            m_hwnd = nullptr;
            m_Dlg = nullptr;
            return E_OUTOFMEMORY;
        }
        m_hwnd = dialog;
        OnActivate();
        Move(rect);
        return Show(SW_SHOWNORMAL);
    });
}

STDMETHODIMP CBasePropertyPage::Deactivate() {
    if (!m_hwnd) return E_UNEXPECTED;
    const HRESULT hr = guardCom([&] { return OnDeactivate(); });
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_Dlg = nullptr;
    return SUCCEEDED(hr) ? S_OK : hr;
}

STDMETHODIMP CBasePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    WCHAR title[kTitleCapacity] = {};
    LoadStringW(moduleInstance(), UINT(m_TitleId), title, kTitleCapacity);
    SIZE size = {};
    if (!dialogSize(m_DialogId, &size)) return E_FAIL;
    LPOLESTR copy = taskMemCopy(title);
    if (!copy) return E_OUTOFMEMORY;
    info->pszTitle = copy;
    info->size = size;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    return guardCom([&]() -> HRESULT {
        if (count == 1) {
            if (!objects || !objects[0]) return E_POINTER;
            if (m_bObjectSet) {
                m_bObjectSet = FALSE;
                OnDisconnect();
            }
            const HRESULT hr = OnConnect(objects[0]);
            if (SUCCEEDED(hr)) m_bObjectSet = TRUE;
            return hr;
        }
        if (count == 0) {
            if (!m_bObjectSet) return S_OK;
            m_bObjectSet = FALSE;
            return OnDisconnect();
        }
        return E_UNEXPECTED;
    });
}

STDMETHODIMP CBasePropertyPage::Show(UINT command) {
    if (!m_hwnd) return E_UNEXPECTED;
    if (command != SW_SHOW && command != SW_SHOWNORMAL && command != SW_HIDE) return E_INVALIDARG;
    ShowWindow(m_hwnd, int(command));
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (!m_hwnd) return E_UNEXPECTED;
    MoveWindow(m_hwnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::IsPageDirty() { return m_bDirty ? S_OK : S_FALSE; }

STDMETHODIMP CBasePropertyPage::Apply() {
    if (!m_bObjectSet || !m_pPageSite) return E_UNEXPECTED;
    if (!m_bDirty) return S_OK;
    const HRESULT hr = guardCom([&] { return OnApplyChanges(); });
    if (SUCCEEDED(hr)) m_bDirty = FALSE;
    return hr;
}

STDMETHODIMP CBasePropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

STDMETHODIMP CBasePropertyPage::TranslateAccelerator(MSG*) { return E_NOTIMPL; }

void CBasePropertyPage::SetDirty() {
    m_bDirty = TRUE;
    if (m_pPageSite) m_pPageSite->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

INT_PTR CALLBACK CBasePropertyPage::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    CBasePropertyPage* page = nullptr;
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        page = reinterpret_cast<CBasePropertyPage*>(lParam);
        if (!page) return TRUE;
        page->m_Dlg = dialog;
        page->m_hwnd = dialog;
    } else {
        page = reinterpret_cast<CBasePropertyPage*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!page) return FALSE;
    }
    try {
        return page->OnReceiveMessage(dialog, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

}  // namespace qucap
