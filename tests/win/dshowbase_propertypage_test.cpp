// The property page base hosted in-process: a test page on the tests' own
// dialog resource, a recording page site, a parent window standing in for
// the property frame, and the standard frame itself.
#include <olectl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dshowbase/base_property_page.h"
#include "dshowbase/class_factory.h"
#include "dshowbase/module.h"
#include "tests/win/dshowbase_test_resource.h"
#include "tests/win/dshowbase_test_support.h"

namespace qucap::dshowbase_test {
namespace {

class TestPage : public CBasePropertyPage {
public:
    TestPage() : CBasePropertyPage(nullptr, IDD_DSHOWBASE_TEST_PAGE, IDS_DSHOWBASE_TEST_TITLE) {}
    ~TestPage() override { ++destroyed; }

    HRESULT OnConnect(IUnknown* object) override {
        ++connects;
        connected = object;
        return connectResult;
    }
    HRESULT OnDisconnect() override {
        ++disconnects;
        connected = nullptr;
        return S_OK;
    }
    HRESULT OnActivate() override {
        ++activations;
        dialogKnownAtActivation = m_Dlg != nullptr && m_Dlg == m_hwnd;
        return S_OK;
    }
    HRESULT OnDeactivate() override {
        ++deactivations;
        return S_OK;
    }
    HRESULT OnApplyChanges() override {
        ++applies;
        return applyResult;
    }
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_INITDIALOG) {
            ++initialisations;
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_DSHOWBASE_TEST_EDIT && HIWORD(wParam) == EN_CHANGE) {
            SetDirty();
            return TRUE;
        }
        return CBasePropertyPage::OnReceiveMessage(dialog, message, wParam, lParam);
    }

    HWND dialog() const { return m_hwnd; }

    int connects = 0, disconnects = 0, activations = 0, deactivations = 0, applies = 0, initialisations = 0;
    bool dialogKnownAtActivation = false;
    IUnknown* connected = nullptr;
    HRESULT connectResult = S_OK;
    HRESULT applyResult = S_OK;
    static inline int destroyed = 0;
};

struct RecordingSite final : IPropertyPageSite {
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPageSite)) {
            *object = static_cast<IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references); }
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        statusChanges.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    long references = 1;
    std::vector<DWORD> statusChanges;
};

// Any COM object will do as the page's object.
using Thing = CountedUnknown;

// The window's own visibility (the stand-in frame itself stays hidden, which
// keeps the tests fast under Xvfb).
bool shown(HWND window) { return GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE; }

// The size of the test dialog (160 x 80 dialog units) in pixels.
SIZE dialogPixels(HWND dialog) {
    RECT rect = {0, 0, 160, 80};
    MapDialogRect(dialog, &rect);
    return {rect.right, rect.bottom};
}

struct BasePropertyPageTest : ::testing::Test {
    BasePropertyPageTest() {
        setModuleInstance(GetModuleHandleW(nullptr));
        page->NonDelegatingAddRef();
        parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~BasePropertyPageTest() override {
        page->NonDelegatingRelease();
        DestroyWindow(parent);
    }
    // Types into the page's edit box as a user would (EN_CHANGE).
    void type(const wchar_t* text) { SetDlgItemTextW(page->dialog(), IDC_DSHOWBASE_TEST_EDIT, text); }

    ComApartment apartment;
    TestPage* page = new TestPage;
    RecordingSite site;
    Thing thing;
    HWND parent = nullptr;
    const RECT rect = {5, 7, 305, 207};
};

TEST_F(BasePropertyPageTest, TheSiteIsTakenOnceAndGivenBack) {
    EXPECT_EQ(page->SetPageSite(nullptr), E_UNEXPECTED);
    EXPECT_EQ(page->SetPageSite(&site), S_OK);
    EXPECT_EQ(site.references, 2);
    RecordingSite other;
    EXPECT_EQ(page->SetPageSite(&other), E_UNEXPECTED);
    EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
    EXPECT_EQ(site.references, 1);
}

TEST_F(BasePropertyPageTest, PageInfoHasTheTitleResourceAndTheDialogSize) {
    PROPPAGEINFO info = {sizeof info};
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    ASSERT_NE(info.pszTitle, nullptr);
    EXPECT_EQ(std::wstring(info.pszTitle), L"テストページ");
    EXPECT_EQ(info.pszHelpFile, nullptr);
    EXPECT_EQ(info.pszDocString, nullptr);
    CoTaskMemFree(info.pszTitle);
    EXPECT_EQ(page->initialisations, 0);  // measuring never reaches the page

    ASSERT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
    const SIZE expected = dialogPixels(page->dialog());
    EXPECT_EQ(info.size.cx, expected.cx);
    EXPECT_EQ(info.size.cy, expected.cy);
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
}

TEST_F(BasePropertyPageTest, ActivateMakesTheDialogAChildOfTheFrameAtTheGivenPlace) {
    EXPECT_EQ(page->Activate(parent, nullptr, FALSE), E_POINTER);
    ASSERT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
    HWND dialog = page->dialog();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(GetParent(dialog), parent);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(shown(dialog));
    EXPECT_EQ(page->initialisations, 1);
    EXPECT_EQ(page->activations, 1);
    EXPECT_TRUE(page->dialogKnownAtActivation);
    RECT placed = {};
    GetWindowRect(dialog, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, rect.left);
    EXPECT_EQ(placed.top, rect.top);
    EXPECT_EQ(placed.right, rect.right);
    EXPECT_EQ(placed.bottom, rect.bottom);
    EXPECT_EQ(page->Activate(parent, &rect, FALSE), E_UNEXPECTED);

    const RECT moved = {1, 2, 51, 42};
    EXPECT_EQ(page->Move(&moved), S_OK);
    GetWindowRect(dialog, &placed);
    EXPECT_EQ(placed.right - placed.left, 50);
    EXPECT_EQ(page->Show(SW_HIDE), S_OK);
    EXPECT_FALSE(shown(dialog));
    EXPECT_EQ(page->Show(SW_MAXIMIZE), E_INVALIDARG);
    EXPECT_EQ(page->Show(SW_SHOW), S_OK);
    EXPECT_TRUE(shown(dialog));

    EXPECT_EQ(page->Deactivate(), S_OK);
    EXPECT_EQ(page->deactivations, 1);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(page->Deactivate(), E_UNEXPECTED);
    EXPECT_EQ(page->Show(SW_SHOW), E_UNEXPECTED);
    EXPECT_EQ(page->Move(&moved), E_UNEXPECTED);
    // A second activation makes a new dialog.
    EXPECT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
    EXPECT_EQ(page->initialisations, 2);
}

TEST_F(BasePropertyPageTest, SetObjectsConnectsOneObjectAndDisconnectsIt) {
    IUnknown* objects[] = {&thing, &thing};
    EXPECT_EQ(page->SetObjects(2, objects), E_UNEXPECTED);
    EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->disconnects, 0);  // nothing was connected
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->connects, 1);
    EXPECT_EQ(page->connected, &thing);
    // Another object: the first one is let go before.
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->disconnects, 1);
    EXPECT_EQ(page->connects, 2);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->disconnects, 2);
    EXPECT_EQ(page->connected, nullptr);

    // An object the page refuses leaves it unconnected.
    page->connectResult = E_NOINTERFACE;
    EXPECT_EQ(page->SetObjects(1, objects), E_NOINTERFACE);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->disconnects, 2);
}

TEST_F(BasePropertyPageTest, ChangesMarkThePageDirtyThroughTheSiteAndApplyCleansIt) {
    IUnknown* objects[] = {&thing};
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
    EXPECT_EQ(page->Apply(), E_UNEXPECTED);  // no object yet
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    ASSERT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page->Apply(), S_OK);  // clean: nothing to apply
    EXPECT_EQ(page->applies, 0);

    site.statusChanges.clear();
    type(L"字幕");
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_FALSE(site.statusChanges.empty());
    EXPECT_EQ(site.statusChanges.back(), DWORD(PROPPAGESTATUS_DIRTY));

    // A failed apply keeps the changes pending.
    page->applyResult = E_FAIL;
    EXPECT_EQ(page->Apply(), E_FAIL);
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    page->applyResult = S_OK;
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(page->applies, 2);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);

    EXPECT_EQ(page->Deactivate(), S_OK);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
    EXPECT_EQ(site.references, 1);
}

TEST_F(BasePropertyPageTest, ThePageAnswersIPropertyPageAndHasNoHelp) {
    IPropertyPage* itf = nullptr;
    ASSERT_EQ(page->NonDelegatingQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&itf)), S_OK);
    EXPECT_EQ(itf->Help(L"C:\\"), E_NOTIMPL);
    MSG message = {};
    EXPECT_EQ(itf->TranslateAccelerator(&message), E_NOTIMPL);
    itf->Release();
}

// {6D4A2F91-8C3B-4E57-B0A6-19E2D7C4F358}
constexpr GUID kClsidTestPage = {0x6D4A2F91, 0x8C3B, 0x4E57, {0xB0, 0xA6, 0x19, 0xE2, 0xD7, 0xC4, 0xF3, 0x58}};
TestPage* g_framedPage = nullptr;

CUnknown* createFramedPage(IUnknown*, HRESULT*) {
    g_framedPage = new TestPage;
    return g_framedPage;
}

const CFactoryTemplate kPageTemplates[] = {{L"Test page", &kClsidTestPage, createFramedPage, nullptr}};

// Closes the property frame of this thread with its OK button once the page
// shows in it, after typing into the page.
VOID CALLBACK closeFrame(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_framedPage || !g_framedPage->dialog()) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(g_framedPage->dialog(), IDC_DSHOWBASE_TEST_EDIT, L"変更");
    HWND frame = GetAncestor(g_framedPage->dialog(), GA_ROOT);
    PostMessageW(frame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(BasePropertyPageTest, TheStandardPropertyFrameHostsThePage) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DllGetClassObjectFromTemplates(kPageTemplates, kClsidTestPage, IID_IClassFactory,
                                             reinterpret_cast<void**>(&factory)),
              S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kClsidTestPage, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
    const int destroyedBefore = TestPage::destroyed;
    g_framedPage = nullptr;
    SetTimer(nullptr, 0, 50, closeFrame);
    IUnknown* objects[] = {&thing};
    CLSID pages[] = {kClsidTestPage};
    const HRESULT shown = OleCreatePropertyFrame(parent, 0, 0, L"フィルタ", 1, objects, 1, pages, 0, 0, nullptr);
    CoRevokeClassObject(cookie);
    factory->Release();
    EXPECT_EQ(shown, S_OK);
    // The frame made the page, gave it the object, showed it, applied the
    // change with OK and let the page go.
    EXPECT_EQ(TestPage::destroyed, destroyedBefore + 1);
    EXPECT_EQ(thing.references, 1);
}

}  // namespace
}  // namespace qucap::dshowbase_test
