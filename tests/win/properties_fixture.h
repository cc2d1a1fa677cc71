#pragma once
// The filter's property page hosted by the tests in-process: a fake filter
// offering IQucapsyf, a page site recording what the page tells it, a parent
// window, and helpers that change the page's controls with the messages a
// user's actions send.
#include <windows.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/win/iqucapsyf.h"
#include "filter/win/properties/qucapsyf_properties.h"
#include "tests/win/temp_folder.h"

namespace qucap::test {

// IQucapsyf with values the tests set; the setters are recorded in order.
class FakeQucapsyf : public IQucapsyf {
public:
    std::u16string settingsPath = u"C:\\prog\\Qucapadd.ini";
    std::u16string projectPath;
    std::u16string captionPath = u"C:\\proj\\字幕情報.csv";
    std::vector<std::u16string> fonts = {u"IPAGothic", u"IPAMincho"};
    std::u16string mainFace = u"IPAGothic";
    std::u16string rubyFace = u"IPAMincho";
    int mainSize = 40, rubySize = 20;
    int layoutType = 2, fill = 1, side = 0;
    int timeDisplay = 1;
    int borderType = 2;
    std::vector<std::u16string> calls;
    long references = 1;  // the test's own

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references); }

    STDMETHODIMP GetSettingsPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetProjectPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetCaptionPath(WCHAR* buffer, int capacity) override;
    STDMETHODIMP GetFontList(const WCHAR** list, int* count) override;
    STDMETHODIMP GetFontNames(WCHAR* main, int mainCapacity, WCHAR* ruby, int rubyCapacity) override;
    STDMETHODIMP GetFontSizes(int* main, int* ruby) override;
    STDMETHODIMP GetLayout(int* type, int* fill, int* side) override;
    STDMETHODIMP GetTimeDisplay(int* flag) override;
    STDMETHODIMP GetBorderType(int* type) override;
    STDMETHODIMP SetCaptionPath(const WCHAR* path) override;
    STDMETHODIMP SetFontNames(const WCHAR* main, const WCHAR* ruby) override;
    STDMETHODIMP SetFontSizes(int main, int ruby) override;
    STDMETHODIMP SetLayout(int type, int fill, int side) override;
    STDMETHODIMP SetTimeDisplay(int flag) override;
    STDMETHODIMP SetBorderType(int type) override;

private:
    std::vector<WCHAR> slots_;
};

// A COM object that is no caption filter.
class PlainObject : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

// The page frame's side: records every status the page reports.
class RecordingPageSite : public IPropertyPageSite {
public:
    std::vector<DWORD> statuses;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP OnStatusChange(DWORD flags) override;
    STDMETHODIMP GetLocaleID(LCID* locale) override;
    STDMETHODIMP GetPageContainer(IUnknown** container) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;
};

class PropertyPageHost : public ::testing::Test {
protected:
    PropertyPageHost();
    ~PropertyPageHost() override;

    // Site, object (the fake filter unless given) and activation as the
    // property frame does them; the page's dialog is then `dialog`.
    void open(IUnknown* shownObject = nullptr);
    void close();

    // A user's actions, by the messages they send.
    void select(int list, std::u16string_view item);
    void click(int button);
    void type(std::u16string_view text);

    std::u16string text(int control) const;
    std::u16string selected(int list) const;
    std::vector<std::u16string> items(int list) const;
    bool checked(int control) const;
    bool enabled(int control) const;
    bool dirty() const;

    TempFolder folder;
    FakeQucapsyf filter;
    RecordingPageSite site;
    HWND parent = nullptr;
    // The page's C++ side, for its own methods; null for a page made by the module.
    CQucapsyfProperties* object = nullptr;
    IPropertyPage* page = nullptr;
    HWND dialog = nullptr;
    bool active = false;
};

// The lines of a UTF-16LE file with mark, split at CR LF.
std::vector<std::u16string> utf16Lines(const std::string& bytes);

}  // namespace qucap::test
