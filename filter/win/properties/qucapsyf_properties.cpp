#include "filter/win/properties/qucapsyf_properties.h"

#include <new>
#include <utility>

#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "filter/win/properties/dialog_page_view.h"
#include "filter/win/properties/qucapsyf_source.h"
#include "resources/filter/resource.h"

namespace qucap {

namespace {

// The folder the caption-file dialog chose from last, for every page of the module.
RememberedFolder g_captionDialogFolder;

// The control notifications that are commands of the page.
struct Notification {
    WORD code;
    PageEvent event;
};

constexpr Notification kNotifications[] = {
    {EN_CHANGE, PageEvent::TextChanged},
    {BN_CLICKED, PageEvent::Clicked},
    {CBN_SELCHANGE, PageEvent::SelectionChanged},
};

const Notification* notificationOf(WORD code) {
    for (const Notification& notification : kNotifications)
        if (notification.code == code) return &notification;
    return nullptr;
}

}  // namespace

CUnknown* CreateQucapsyfProperties(IUnknown* outer, HRESULT* result) {
    if (result) *result = S_OK;
    return new (std::nothrow) CQucapsyfProperties(outer);
}

CQucapsyfProperties::CQucapsyfProperties(IUnknown* outer)
    : CBasePropertyPage(outer, IDD_QUCAPSYF_PROPERTIES, IDS_PROPERTIES_TITLE), model_(g_captionDialogFolder) {}

CQucapsyfProperties::~CQucapsyfProperties() = default;

HRESULT CQucapsyfProperties::OnConnect(IUnknown* object) {
    if (!object) return E_POINTER;
    ComPtr<IQucapsyf> filter;
    if (FAILED(object->QueryInterface(kIidIQucapsyf, filter.putVoid())) || !filter) return E_NOINTERFACE;
    try {
        QucapsyfSource source(*filter.get());
        model_.connect(source);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    filter_ = std::move(filter);
    return S_OK;
}

HRESULT CQucapsyfProperties::OnDisconnect() {
    if (!filter_) return E_UNEXPECTED;
    filter_.reset();
    return S_OK;
}

HRESULT CQucapsyfProperties::OnApplyChanges() {
    if (!filter_) return E_UNEXPECTED;
    try {
        QucapsyfSource target(*filter_.get());
        model_.apply(target, io_);  // a failed project write has shown its message
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

INT_PTR CQucapsyfProperties::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // A failed command is dropped (TRUE): the page stays as it was shown.
    return guardWindowProc(kFilterTitle, INT_PTR(TRUE), [&]() -> INT_PTR {
        DialogPageView view(dialog);
        if (message == WM_INITDIALOG) {
            model_.start(view);
            showDirtiness();
            return TRUE;
        }
        if (message == WM_COMMAND) {
            const Notification* notification = notificationOf(HIWORD(wParam));
            if (notification && model_.command(LOWORD(wParam), notification->event, view)) {
                showDirtiness();
                return TRUE;
            }
        }
        return CBasePropertyPage::OnReceiveMessage(dialog, message, wParam, lParam);
    });
}

void CQucapsyfProperties::showDirtiness() {
    if (model_.dirty())
        SetDirty();
    else
        m_bDirty = FALSE;
}

}  // namespace qucap
