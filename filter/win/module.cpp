// The COM server of Qucapsyf.ax: the class templates of the filter and its
// property page, the filter's registration data and the module's entry points.
#include <windows.h>
#include <dshow.h>

#include <array>

#include "dshowbase/class_factory.h"
#include "dshowbase/module.h"
#include "dshowbase/registration.h"
#include "filter/win/iqucapsyf.h"
#include "filter/win/properties/qucapsyf_properties.h"
#include "filter/win/qucapsyf.h"

namespace qucap {
namespace {

// MERIT_DO_NOT_USE: the graph builder never picks the filter by itself.
constexpr DWORD kFilterMerit = 0x200000;

const AMOVIESETUP_MEDIATYPE kInputTypes[] = {
    {&MEDIATYPE_Video, &MEDIASUBTYPE_YUY2},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32},
};

const AMOVIESETUP_MEDIATYPE kOutputTypes[] = {
    {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24},
    {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32},
};

const AMOVIESETUP_PIN kPins[] = {
    {L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, L"Output", UINT(std::size(kInputTypes)), kInputTypes},
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, L"Input", UINT(std::size(kOutputTypes)), kOutputTypes},
};

const AMOVIESETUP_FILTER kFilterSetup = {&kClsidQucapsyf, kFilterName, kFilterMerit, UINT(std::size(kPins)), kPins};

const std::array<CFactoryTemplate, 2> kTemplates = {{
    {kFilterName, &kClsidQucapsyf, CQucapsyf::CreateInstance, &kFilterSetup},
    {kPropertyPageName, &kClsidQucapsyfProperties, CreateQucapsyfProperties, nullptr},
}};

}  // namespace
}  // namespace qucap

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    return qucap::DllEntryPoint(instance, reason, reserved);
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return qucap::DllGetClassObjectFromTemplates(qucap::kTemplates, clsid, iid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return qucap::DllCanUnloadNowForModule(); }

HRESULT STDAPICALLTYPE DllRegisterServer() { return qucap::AMovieDllRegisterServer2(qucap::kTemplates, true); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return qucap::AMovieDllRegisterServer2(qucap::kTemplates, false); }

}  // extern "C"
