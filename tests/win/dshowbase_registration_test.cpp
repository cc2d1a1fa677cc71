// Registration over a template table: the COM entries under
// HKEY_CLASSES_ROOT\CLSID, the filter through the filter mapper (and its
// older interface when the newer cannot be made), and removal.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dshowbase/registration.h"
#include "tests/win/dshowbase_invert_filter.h"
#include "tests/win/dshowbase_test_support.h"

namespace qucap::dshowbase_test {
namespace {

// {91D7C3E5-2F48-4B0A-9C6E-7A15D3B8F042}: a class with no filter data.
constexpr GUID kClsidPlainClass = {0x91D7C3E5, 0x2F48, 0x4B0A, {0x9C, 0x6E, 0x7A, 0x15, 0xD3, 0xB8, 0xF0, 0x42}};

const AMOVIESETUP_MEDIATYPE kInputTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};
const AMOVIESETUP_MEDIATYPE kOutputTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32}};
const AMOVIESETUP_PIN kPins[] = {
    {L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, L"Output", 1, kInputTypes},
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, L"Input", 1, kOutputTypes},
};
const AMOVIESETUP_FILTER kSetup = {&kClsidInvertFilter, L"Qucap Test Invert Filter", 0x200000, 2, kPins};
const CFactoryTemplate kTemplates[] = {
    {L"Qucap Test Invert Filter", &kClsidInvertFilter, InvertFilter::CreateInstance, &kSetup},
    {L"Qucap Test Plain Class", &kClsidPlainClass, InvertFilter::CreateInstance, nullptr},
};

std::wstring braced(REFCLSID clsid) {
    WCHAR text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return text;
}

std::wstring classKey(REFCLSID clsid) { return L"CLSID\\" + braced(clsid); }

// The filter's entry in the default DirectShow category.
std::wstring instanceKey() {
    return classKey(CLSID_LegacyAmFilterCategory) + L"\\Instance\\" + braced(kClsidInvertFilter);
}

std::optional<std::wstring> readString(HKEY root, const std::wstring& key, const wchar_t* value) {
    WCHAR data[1024] = {};
    DWORD bytes = sizeof data;
    if (RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring thisProgram() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// How many registered filters the mapper finds for RGB24 in and RGB32 out
// with our class identifier.
int filtersFoundByType() {
    IFilterMapper2* mapper = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                reinterpret_cast<void**>(&mapper))))
        return -1;
    GUID inTypes[] = {MEDIATYPE_Video, MEDIASUBTYPE_RGB24};
    GUID outTypes[] = {MEDIATYPE_Video, MEDIASUBTYPE_RGB32};
    IEnumMoniker* found = nullptr;
    int count = 0;
    if (SUCCEEDED(mapper->EnumMatchingFilters(&found, 0, FALSE, 0, TRUE, 1, inTypes, nullptr, nullptr, FALSE, TRUE, 1,
                                              outTypes, nullptr, nullptr)) &&
        found) {
        IMoniker* moniker = nullptr;
        while (found->Next(1, &moniker, nullptr) == S_OK) {
            IPropertyBag* bag = nullptr;
            if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)))) {
                VARIANT value;
                VariantInit(&value);
                if (SUCCEEDED(bag->Read(L"CLSID", &value, nullptr)) && value.vt == VT_BSTR &&
                    braced(kClsidInvertFilter) == value.bstrVal)
                    ++count;
                VariantClear(&value);
                bag->Release();
            }
            moniker->Release();
        }
        found->Release();
    }
    mapper->Release();
    return count;
}

std::vector<GUID> g_askedFor;
HRESULT g_secondMapperResult = S_OK;
HRESULT g_firstMapperResult = S_OK;

// Fails the newer mapper (and, if told, the older one too), creates the rest.
HRESULT creatorWithoutTheSecondMapper(REFCLSID clsid, REFIID iid, void** object) {
    g_askedFor.push_back(clsid);
    *object = nullptr;
    if (IsEqualCLSID(clsid, CLSID_FilterMapper2) && FAILED(g_secondMapperResult)) return g_secondMapperResult;
    if (IsEqualCLSID(clsid, CLSID_FilterMapper) && FAILED(g_firstMapperResult)) return g_firstMapperResult;
    return createInprocObject(clsid, iid, object);
}

struct BaseRegistrationTest : ::testing::Test {
    BaseRegistrationTest() {
        g_askedFor.clear();
        g_secondMapperResult = REGDB_E_CLASSNOTREG;
        g_firstMapperResult = S_OK;
        AMovieDllRegisterServer2(kTemplates, false);
    }
    ~BaseRegistrationTest() override { AMovieDllRegisterServer2(kTemplates, false); }
    ComApartment apartment;
};

TEST_F(BaseRegistrationTest, RegisteringWritesEachClassAndTheFilter) {
    ASSERT_EQ(AMovieDllRegisterServer2(kTemplates, true), S_OK);
    for (const CFactoryTemplate& entry : kTemplates) {
        const std::wstring key = classKey(*entry.m_ClsID);
        EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key, nullptr), entry.m_Name);
        EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr), thisProgram());
        EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    }
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, instanceKey(), L"FriendlyName"), L"Qucap Test Invert Filter");
    EXPECT_EQ(filtersFoundByType(), 1);

    ASSERT_EQ(AMovieDllRegisterServer2(kTemplates, false), S_OK);
    for (const CFactoryTemplate& entry : kTemplates) EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, classKey(*entry.m_ClsID)));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, instanceKey()));
    EXPECT_EQ(filtersFoundByType(), 0);
}

TEST_F(BaseRegistrationTest, RegisteringTwiceLeavesOneRegistration) {
    ASSERT_EQ(AMovieDllRegisterServer2(kTemplates, true), S_OK);
    ASSERT_EQ(AMovieDllRegisterServer2(kTemplates, true), S_OK);
    EXPECT_EQ(filtersFoundByType(), 1);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, classKey(kClsidInvertFilter), nullptr), L"Qucap Test Invert Filter");
}

TEST_F(BaseRegistrationTest, UnregisteringWhatWasNeverRegisteredSucceeds) {
    ASSERT_FALSE(keyExists(HKEY_CLASSES_ROOT, classKey(kClsidInvertFilter)));
    EXPECT_EQ(AMovieDllRegisterServer2(kTemplates, false), S_OK);
    EXPECT_EQ(unregisterComClass(kClsidPlainClass), S_OK);
}

TEST_F(BaseRegistrationTest, WithoutTheNewerMapperTheOlderOneRegistersTheFilter) {
    ASSERT_EQ(AMovieDllRegisterServer2(kTemplates, true, creatorWithoutTheSecondMapper), S_OK);
    ASSERT_EQ(g_askedFor.size(), 2u);
    EXPECT_TRUE(IsEqualCLSID(g_askedFor[0], CLSID_FilterMapper2));
    EXPECT_TRUE(IsEqualCLSID(g_askedFor[1], CLSID_FilterMapper));
    EXPECT_EQ(filtersFoundByType(), 1);  // the same registry, whichever interface wrote it

    EXPECT_EQ(AMovieDllRegisterServer2(kTemplates, false, creatorWithoutTheSecondMapper), S_OK);
    EXPECT_EQ(filtersFoundByType(), 0);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, classKey(kClsidInvertFilter)));
}

TEST_F(BaseRegistrationTest, WithNoMapperAtAllRegistrationFailsAndKeepsTheClassEntries) {
    g_firstMapperResult = E_ACCESSDENIED;
    EXPECT_EQ(AMovieDllRegisterServer2(kTemplates, true, creatorWithoutTheSecondMapper), E_ACCESSDENIED);
    // Nothing is rolled back.
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, classKey(kClsidInvertFilter)));
    // Unregistering fails the same way and then leaves the entries too.
    EXPECT_EQ(AMovieDllRegisterServer2(kTemplates, false, creatorWithoutTheSecondMapper), E_ACCESSDENIED);
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, classKey(kClsidInvertFilter)));
}

TEST(BaseRegistryTreeTest, AKeyGoesWithAllItsSubkeysAndAMissingKeyIsNoError) {
    const std::wstring root = L"Software\\QucapDshowbaseTest";
    for (const wchar_t* sub : {L"\\a\\b\\c", L"\\a\\d", L"\\e"}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (root + sub).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
        RegCloseKey(key);
    }
    EXPECT_EQ(deleteRegistryTree(HKEY_CURRENT_USER, root.c_str()), S_OK);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, root));
    EXPECT_EQ(deleteRegistryTree(HKEY_CURRENT_USER, root.c_str()), S_OK);
}

TEST(BaseRegistryTreeTest, AModulePathThatDoesNotFitIsAnError) {
    WCHAR small[4];
    EXPECT_EQ(moduleFilePath(small, 4), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    WCHAR path[MAX_PATH];
    ASSERT_EQ(moduleFilePath(path, MAX_PATH), S_OK);
    EXPECT_EQ(std::wstring(path), thisProgram());
}

}  // namespace
}  // namespace qucap::dshowbase_test
