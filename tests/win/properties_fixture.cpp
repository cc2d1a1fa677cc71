#include "tests/win/properties_fixture.h"

#include <algorithm>
#include <cwchar>

#include "resources/filter/resource.h"

namespace qucap::test {
namespace {

const WCHAR* wideOf(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }
std::u16string fromWide(const WCHAR* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

void copyTo(WCHAR* buffer, int capacity, const std::u16string& text) {
    if (!buffer || capacity <= 0) return;
    const std::size_t count = std::min(text.size(), std::size_t(capacity - 1));
    std::copy_n(wideOf(text), count, buffer);
    buffer[count] = 0;
}

std::u16string number(int n) {
    const std::wstring digits = std::to_wstring(n);
    return std::u16string(digits.begin(), digits.end());
}

HWND control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

}  // namespace

STDMETHODIMP FakeQucapsyf::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidIQucapsyf)) {
        *object = static_cast<IQucapsyf*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeQucapsyf::GetSettingsPath(WCHAR* buffer, int capacity) {
    copyTo(buffer, capacity, settingsPath);
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetProjectPath(WCHAR* buffer, int capacity) {
    copyTo(buffer, capacity, projectPath);
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetCaptionPath(WCHAR* buffer, int capacity) {
    copyTo(buffer, capacity, captionPath);
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetFontList(const WCHAR** list, int* count) {
    slots_.assign(fonts.size() * kFontSlotChars, 0);
    for (std::size_t at = 0; at < fonts.size(); ++at)
        copyTo(slots_.data() + at * kFontSlotChars, kFontSlotChars, fonts[at]);
    *list = slots_.data();
    *count = int(fonts.size());
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetFontNames(WCHAR* main, int mainCapacity, WCHAR* ruby, int rubyCapacity) {
    copyTo(main, mainCapacity, mainFace);
    copyTo(ruby, rubyCapacity, rubyFace);
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetFontSizes(int* main, int* ruby) {
    *main = mainSize;
    *ruby = rubySize;
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetLayout(int* type, int* fillFlag, int* sideFlag) {
    *type = layoutType;
    *fillFlag = fill;
    *sideFlag = side;
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetTimeDisplay(int* flag) {
    *flag = timeDisplay;
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::GetBorderType(int* type) {
    *type = borderType;
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetCaptionPath(const WCHAR* path) {
    calls.push_back(u"SetCaptionPath " + fromWide(path));
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetFontNames(const WCHAR* main, const WCHAR* ruby) {
    calls.push_back(u"SetFontNames " + fromWide(main) + u" " + fromWide(ruby));
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetFontSizes(int main, int ruby) {
    calls.push_back(u"SetFontSizes " + number(main) + u" " + number(ruby));
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetLayout(int type, int fillFlag, int sideFlag) {
    calls.push_back(u"SetLayout " + number(type) + u" " + number(fillFlag) + u" " + number(sideFlag));
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetTimeDisplay(int flag) {
    calls.push_back(u"SetTimeDisplay " + number(flag));
    return S_OK;
}
STDMETHODIMP FakeQucapsyf::SetBorderType(int type) {
    calls.push_back(u"SetBorderType " + number(type));
    return S_OK;
}

STDMETHODIMP PlainObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = IsEqualIID(iid, IID_IUnknown) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP RecordingPageSite::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    const bool ours = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPageSite);
    *object = ours ? static_cast<IPropertyPageSite*>(this) : nullptr;
    return ours ? S_OK : E_NOINTERFACE;
}
STDMETHODIMP RecordingPageSite::OnStatusChange(DWORD flags) {
    statuses.push_back(flags);
    return S_OK;
}
STDMETHODIMP RecordingPageSite::GetLocaleID(LCID* locale) {
    *locale = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    return S_OK;
}
STDMETHODIMP RecordingPageSite::GetPageContainer(IUnknown** container) {
    *container = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP RecordingPageSite::TranslateAccelerator(MSG*) { return E_NOTIMPL; }

PropertyPageHost::PropertyPageHost() {
    filter.projectPath = folder / u"project.mcc";
    parent = CreateWindowExW(0, L"STATIC", L"page host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    HRESULT result = E_FAIL;
    CUnknown* created = CreateQucapsyfProperties(nullptr, &result);
    object = static_cast<CQucapsyfProperties*>(created);
    if (created && SUCCEEDED(result))
        created->NonDelegatingQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&page));
}

PropertyPageHost::~PropertyPageHost() {
    close();
    if (page) page->Release();
    if (parent) DestroyWindow(parent);
}

void PropertyPageHost::open(IUnknown* shownObject) {
    ASSERT_NE(page, nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
    IUnknown* objects[] = {shownObject ? shownObject : static_cast<IQucapsyf*>(&filter)};
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    RECT area = {0, 0, 600, 440};
    ASSERT_EQ(page->Activate(parent, &area, FALSE), S_OK);
    active = true;
    dialog = GetWindow(parent, GW_CHILD);
    ASSERT_NE(dialog, nullptr);
}

void PropertyPageHost::close() {
    if (!page || !active) return;
    page->Deactivate();
    page->SetObjects(0, nullptr);
    page->SetPageSite(nullptr);
    active = false;
    dialog = nullptr;
}

void PropertyPageHost::select(int list, std::u16string_view item) {
    const std::u16string wanted(item);
    const LRESULT at = SendMessageW(control(dialog, list), CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(wideOf(wanted)));
    ASSERT_NE(at, CB_ERR) << "no such item in list " << list;
    SendMessageW(control(dialog, list), CB_SETCURSEL, WPARAM(at), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), LPARAM(control(dialog, list)));
}

void PropertyPageHost::click(int button) { SendMessageW(control(dialog, button), BM_CLICK, 0, 0); }

void PropertyPageHost::type(std::u16string_view text) {
    const std::u16string value(text);
    SendMessageW(control(dialog, IDC_CAPTION_PATH), WM_SETTEXT, 0, LPARAM(wideOf(value)));
}

std::u16string PropertyPageHost::text(int id) const {
    WCHAR buffer[512] = {};
    GetDlgItemTextW(dialog, id, buffer, int(std::size(buffer)));
    return fromWide(buffer);
}

std::u16string PropertyPageHost::selected(int list) const {
    const LRESULT at = SendMessageW(control(dialog, list), CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return u"<none>";
    WCHAR buffer[256] = {};
    SendMessageW(control(dialog, list), CB_GETLBTEXT, WPARAM(at), LPARAM(buffer));
    return fromWide(buffer);
}

std::vector<std::u16string> PropertyPageHost::items(int list) const {
    std::vector<std::u16string> all;
    const LRESULT count = SendMessageW(control(dialog, list), CB_GETCOUNT, 0, 0);
    for (LRESULT at = 0; at < count; ++at) {
        WCHAR buffer[256] = {};
        SendMessageW(control(dialog, list), CB_GETLBTEXT, WPARAM(at), LPARAM(buffer));
        all.push_back(fromWide(buffer));
    }
    return all;
}

bool PropertyPageHost::checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool PropertyPageHost::enabled(int id) const { return IsWindowEnabled(control(dialog, id)) != FALSE; }
bool PropertyPageHost::dirty() const { return page->IsPageDirty() == S_OK; }

std::vector<std::u16string> utf16Lines(const std::string& bytes) {
    std::u16string text;
    std::size_t at = bytes.compare(0, 2, "\xFF\xFE") == 0 ? 2 : 0;
    for (; at + 1 < bytes.size(); at += 2)
        text += char16_t(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace qucap::test
