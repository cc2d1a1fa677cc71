#include "filter/win/qucapsyf.h"

#include <algorithm>
#include <new>
#include <vector>

#include "dshowbase/com_guard.h"
#include "dshowbase/module.h"
#include "filter/core/filter_settings.h"

namespace qucap {
namespace {

// Capacities of the settings the setters change, terminator not counted.
constexpr std::size_t kPathChars = 255;
constexpr std::size_t kFaceChars = 63;

std::u16string modulePath() {
    std::vector<WCHAR> path(32768);
    const DWORD length = GetModuleFileNameW(moduleInstance(), path.data(), DWORD(path.size()));
    if (length == 0 || length >= path.size()) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(path.data()), length);
}

// Copies as much as fits with its terminator; nothing for no room at all.
HRESULT copyOut(std::u16string_view text, WCHAR* buffer, int capacity) {
    if (buffer == nullptr) return E_POINTER;
    if (capacity <= 0) return S_OK;
    const std::size_t length = std::min<std::size_t>(text.size(), std::size_t(capacity) - 1);
    std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(buffer));
    buffer[length] = L'\0';
    return S_OK;
}

std::u16string copyIn(const WCHAR* text, std::size_t capacity) {
    std::u16string value(reinterpret_cast<const char16_t*>(text));
    if (value.size() > capacity) value.resize(capacity);
    return value;
}

}  // namespace

CUnknown* CQucapsyf::CreateInstance(IUnknown* outer, HRESULT* result) {
    auto* filter = new (std::nothrow) CQucapsyf(outer);
    if (filter == nullptr && result != nullptr) *result = E_OUTOFMEMORY;
    return filter;
}

CQucapsyf::CQucapsyf(IUnknown* outer) : CTransformFilter(outer, kClsidQucapsyf) {
    installedFonts_ = InstalledFontList::enumerate();
    settings_ = readFilterSettings(io_, modulePath());
    heldMainFace_ = settings_.mainFace;
    heldRubyFace_ = settings_.rubyFace;
    block_.emplace(ui_);
}

CQucapsyf::~CQucapsyf() = default;

STDMETHODIMP CQucapsyf::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, kIidIQucapsyf)) return GetInterface(static_cast<IQucapsyf*>(this), object);
    if (IsEqualIID(iid, kIidIQucapsyfStepTimes))
        return GetInterface(static_cast<IQucapsyfStepTimes*>(this), object);
    if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
        return GetInterface(static_cast<ISpecifyPropertyPages*>(this), object);
    return CTransformFilter::NonDelegatingQueryInterface(iid, object);
}

template <class Edit>
HRESULT CQucapsyf::changeSettings(Edit edit) {
    return guardCom([&] {
        CAutoLock lock(&settingsLock_);
        edit(settings_);
        initialised_ = false;
        return S_OK;
    });
}

STDMETHODIMP CQucapsyf::GetSettingsPath(WCHAR* buffer, int capacity) {
    CAutoLock lock(&settingsLock_);
    return copyOut(settings_.settingsFilePath, buffer, capacity);
}

STDMETHODIMP CQucapsyf::GetProjectPath(WCHAR* buffer, int capacity) {
    CAutoLock lock(&settingsLock_);
    return copyOut(settings_.projectFilePath, buffer, capacity);
}

STDMETHODIMP CQucapsyf::GetCaptionPath(WCHAR* buffer, int capacity) {
    CAutoLock lock(&settingsLock_);
    return copyOut(settings_.captionInfoPath, buffer, capacity);
}

STDMETHODIMP CQucapsyf::GetFontList(const WCHAR** list, int* count) {
    if (list == nullptr || count == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    *list = installedFonts_.slots();
    *count = installedFonts_.count();
    return S_OK;
}

STDMETHODIMP CQucapsyf::GetFontNames(WCHAR* main, int mainCapacity, WCHAR* ruby, int rubyCapacity) {
    if (main == nullptr || ruby == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    copyOut(heldMainFace_, main, mainCapacity);
    return copyOut(heldRubyFace_, ruby, rubyCapacity);
}

STDMETHODIMP CQucapsyf::GetFontSizes(int* main, int* ruby) {
    if (main == nullptr || ruby == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    *main = settings_.mainSize;
    *ruby = settings_.rubySize;
    return S_OK;
}

STDMETHODIMP CQucapsyf::GetLayout(int* type, int* fill, int* side) {
    if (type == nullptr || fill == nullptr || side == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    *type = settings_.layoutType;
    *fill = settings_.fillFlag;
    *side = settings_.sideFlag;
    return S_OK;
}

STDMETHODIMP CQucapsyf::GetTimeDisplay(int* flag) {
    if (flag == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    *flag = settings_.timeDisplay;
    return S_OK;
}

STDMETHODIMP CQucapsyf::GetBorderType(int* type) {
    if (type == nullptr) return E_POINTER;
    CAutoLock lock(&settingsLock_);
    *type = settings_.borderType;
    return S_OK;
}

STDMETHODIMP CQucapsyf::SetCaptionPath(const WCHAR* path) {
    if (path == nullptr) return E_POINTER;
    return changeSettings([&](FilterSettings& s) { s.captionInfoPath = copyIn(path, kPathChars); });
}

STDMETHODIMP CQucapsyf::SetFontNames(const WCHAR* main, const WCHAR* ruby) {
    if (main == nullptr || ruby == nullptr) return E_POINTER;
    return changeSettings([&](FilterSettings& s) {
        s.mainFace = copyIn(main, kFaceChars);
        s.rubyFace = copyIn(ruby, kFaceChars);
        heldMainFace_ = s.mainFace;
        heldRubyFace_ = s.rubyFace;
    });
}

STDMETHODIMP CQucapsyf::SetFontSizes(int main, int ruby) {
    return changeSettings([&](FilterSettings& s) {
        s.mainSize = main;
        s.rubySize = ruby;
    });
}

STDMETHODIMP CQucapsyf::SetLayout(int type, int fill, int side) {
    return changeSettings([&](FilterSettings& s) {
        s.layoutType = type;
        s.fillFlag = fill;
        s.sideFlag = side;
    });
}

STDMETHODIMP CQucapsyf::SetTimeDisplay(int flag) {
    return changeSettings([&](FilterSettings& s) { s.timeDisplay = flag; });
}

STDMETHODIMP CQucapsyf::SetBorderType(int type) {
    return changeSettings([&](FilterSettings& s) { s.borderType = type; });
}

STDMETHODIMP CQucapsyf::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) return E_OUTOFMEMORY;
    pages->cElems = 1;
    pages->pElems[0] = kClsidQucapsyfProperties;
    return S_OK;
}

}  // namespace qucap
