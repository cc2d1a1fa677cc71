// The module Qucapsyf.ax as a COM server: its exports, its class objects and
// registration with regsvr32 into the registry of the Wine prefix.
#include <windows.h>
#include <dshow.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/win/filter_module.h"
#include "tests/win/temp_folder.h"

namespace qucap {
namespace {

using test::LoadedFilterModule;
using test::TempFolder;
using test::wide;

const std::u16string kFilterKey = u"CLSID\\{C113BBBD-27E5-4E1A-B331-E5CFF8474C66}";
const std::u16string kPageKey = u"CLSID\\{C993824E-7FAB-4731-9DEF-1FAC76563334}";
// The mapper's entry in the default DirectShow filter category.
const std::u16string kMapperKey =
    u"CLSID\\{083863F1-70DE-11D0-BD40-00A0C911CE86}\\Instance\\{C113BBBD-27E5-4E1A-B331-E5CFF8474C66}";

// A string value of HKEY_CLASSES_ROOT, or "<none>" when it cannot be read.
std::u16string classesValue(const std::u16string& key, const wchar_t* value = nullptr) {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof data;
    const LSTATUS status = RegGetValueW(HKEY_CLASSES_ROOT, wide(key), value, RRF_RT_REG_SZ, nullptr, data, &bytes);
    if (status != ERROR_SUCCESS) return u"<none>";
    return std::u16string(reinterpret_cast<const char16_t*>(data));
}

bool keyExists(const std::u16string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, wide(key), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Subkeys and values of a key of HKEY_CLASSES_ROOT.
struct KeyShape {
    DWORD subkeys = 0;
    DWORD values = 0;
};
KeyShape shapeOf(const std::u16string& key) {
    KeyShape shape;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, wide(key), 0, KEY_READ, &opened) != ERROR_SUCCESS) return shape;
    RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &shape.subkeys, nullptr, nullptr, &shape.values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    return shape;
}

// Runs the system's regsvr32 on the module; its exit code, or -1.
long regsvr32(const std::u16string& arguments) {
    std::u16string command = u"regsvr32.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(wide(command)), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60'000);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return long(code);
}

std::u16string inQuotes(const std::u16string& path) { return u"\"" + path + u"\""; }

// Unregisters the module at the end of the scope, so a failed test leaves no
// entries naming a file that is about to be deleted.
struct UnregisterAtEnd {
    std::u16string module;
    ~UnregisterAtEnd() { regsvr32(u"/s /u " + inQuotes(module)); }
};

// The names the loaded module's export directory lists.
std::set<std::string> exportedNames(HMODULE module) {
    std::set<std::string> names;
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0) return names;
    auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* nameRvas = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    // Exports by number only would not show up as names.
    EXPECT_EQ(directory->NumberOfFunctions, directory->NumberOfNames);
    return names;
}

struct FilterModuleTest : ::testing::Test {
    FilterModuleTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~FilterModuleTest() override { CoUninitialize(); }
    TempFolder folder;
};

TEST_F(FilterModuleTest, ExportsExactlyTheFourEntryPoints) {
    LoadedFilterModule module(folder.path());
    ASSERT_TRUE(module.loaded());
    EXPECT_EQ(exportedNames(module.handle()),
              (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"}));
}

TEST_F(FilterModuleTest, ClassObjectsOfTheTwoTemplates) {
    LoadedFilterModule module(folder.path());
    ASSERT_TRUE(module.loaded());
    const auto getClassObject = module.getClassObject();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(kClsidQucapsyf, IID_IBaseFilter, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(IID_IBaseFilter, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    ComPtr<IClassFactory> filterFactory, pageFactory;
    ASSERT_EQ(getClassObject(kClsidQucapsyf, IID_IClassFactory, filterFactory.putVoid()), S_OK);
    ASSERT_EQ(getClassObject(kClsidQucapsyfProperties, IID_IUnknown, pageFactory.putVoid()), S_OK);
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(filterFactory->CreateInstance(nullptr, IID_IBaseFilter, filter.putVoid()), S_OK);
    CLSID clsid{};
    EXPECT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, kClsidQucapsyf));
    ComPtr<IPropertyPage> page;
    EXPECT_EQ(pageFactory->CreateInstance(nullptr, IID_IPropertyPage, page.putVoid()), S_OK);

    // The filter names its page.
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(filter.query(IID_ISpecifyPropertyPages, pages), S_OK);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], kClsidQucapsyfProperties));
    CoTaskMemFree(list.pElems);
    EXPECT_EQ(pages->GetPages(nullptr), E_POINTER);

    // Objects and locks keep the module loaded.
    EXPECT_EQ(module.canUnloadNow()(), S_FALSE);
    pages.reset();
    filter.reset();
    page.reset();
    filterFactory->LockServer(TRUE);
    filterFactory.reset();
    pageFactory.reset();
    EXPECT_EQ(module.canUnloadNow()(), S_FALSE);
    ASSERT_EQ(getClassObject(kClsidQucapsyf, IID_IClassFactory, filterFactory.putVoid()), S_OK);
    filterFactory->LockServer(FALSE);
    filterFactory.reset();
    EXPECT_EQ(module.canUnloadNow()(), S_OK);
}

TEST_F(FilterModuleTest, FilterAnswersItsOwnInterfaces) {
    LoadedFilterModule module(folder.path());
    ComPtr<IBaseFilter> filter = module.createFilter();
    ASSERT_TRUE(filter);
    ComPtr<IQucapsyf> own = test::qucapsyfOf(filter);
    ASSERT_TRUE(own);
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(filter.query(IID_IUnknown, unknown), S_OK);
    EXPECT_EQ(filter->QueryInterface(kIidIQucapsyf, nullptr), E_POINTER);
    ComPtr<IPersist> persist;
    EXPECT_EQ(own.query(IID_IPersist, persist), S_OK);  // back to the base class's interfaces
}

TEST_F(FilterModuleTest, RegsvrRegistersAndUnregistersTheModule) {
    const std::u16string module = folder / u"Qucapsyf.ax";
    ASSERT_TRUE(CopyFileW(wide(test::builtFilterModule()), wide(module), FALSE));
    const UnregisterAtEnd cleanup{module};
    // Unregistering a module that was never registered succeeds.
    EXPECT_EQ(regsvr32(u"/s /u " + inQuotes(module)), 0);

    for (int round = 0; round < 2; ++round) {  // registering twice leaves one set
        ASSERT_EQ(regsvr32(u"/s " + inQuotes(module)), 0);
        EXPECT_EQ(classesValue(kFilterKey), u"Kavren Caption Synthesize Filter");
        EXPECT_EQ(classesValue(kFilterKey + u"\\InprocServer32"), module);
        EXPECT_EQ(classesValue(kFilterKey + u"\\InprocServer32", L"ThreadingModel"), u"Both");
        EXPECT_EQ(classesValue(kPageKey), u"Kavren Caption Synthesize Filter Property Page");
        EXPECT_EQ(classesValue(kPageKey + u"\\InprocServer32"), module);
        EXPECT_EQ(classesValue(kPageKey + u"\\InprocServer32", L"ThreadingModel"), u"Both");
        EXPECT_EQ(shapeOf(kFilterKey).subkeys, 1u);
        EXPECT_EQ(shapeOf(kFilterKey + u"\\InprocServer32").values, 2u);
        EXPECT_EQ(classesValue(kMapperKey, L"FriendlyName"), u"Kavren Caption Synthesize Filter");
    }

    // Registered, the filter is created by its class identifier.
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(CoCreateInstance(kClsidQucapsyf, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid()), S_OK);
    filter.reset();
    CoFreeUnusedLibraries();

    EXPECT_EQ(regsvr32(u"/s /u " + inQuotes(module)), 0);
    EXPECT_FALSE(keyExists(kFilterKey));
    EXPECT_FALSE(keyExists(kPageKey));
    EXPECT_FALSE(keyExists(kMapperKey));
    EXPECT_EQ(regsvr32(u"/s /u " + inQuotes(module)), 0);
}

}  // namespace
}  // namespace qucap
