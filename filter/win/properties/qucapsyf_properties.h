#pragma once
// The filter's property page, CQucapsyfProperties: the page frame hosts it,
// it connects to the filter's IQucapsyf, shows dialog 101 and hands every
// control's command to the portable page model.
#include <windows.h>

#include "captiondata/io/io.h"
#include "dshowbase/base_property_page.h"
#include "filter/core/propertypage/page_model.h"
#include "filter/win/iqucapsyf.h"
#include "filter/win/message_box_ui.h"
#include "win32/com_ptr.h"
#include "win32/win32_file_system.h"
#include "win32/win32_shiftjis.h"

namespace qucap {

// The creator of the page's class template (class kClsidQucapsyfProperties):
// a new page with reference count 0, or null when memory runs out.
CUnknown* CreateQucapsyfProperties(IUnknown* outer, HRESULT* result);

class CQucapsyfProperties : public CBasePropertyPage {
public:
    explicit CQucapsyfProperties(IUnknown* outer);
    ~CQucapsyfProperties() override;

    // The object's IQucapsyf (E_NOINTERFACE without one); the page values
    // come from it.
    HRESULT OnConnect(IUnknown* object) override;
    // Releases the interface (E_UNEXPECTED when none is held).
    HRESULT OnDisconnect() override;
    // The page values reach the filter and the project file; always S_OK once connected.
    HRESULT OnApplyChanges() override;
    // WM_INITDIALOG starts the dialog; WM_COMMAND of a control is its command.
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Brings the base class's dirty flag in line with the model's.
    void showDirtiness();

    ComPtr<IQucapsyf> filter_;
    QucapsyfPageModel model_;
    Win32FileSystem files_;
    MessageBoxUi ui_;
    Win32ShiftJisDecoder shiftJis_;
    Io io_{files_, ui_, shiftJis_};
};

}  // namespace qucap
