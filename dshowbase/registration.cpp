#include "dshowbase/registration.h"

#include <dshow.h>

#include <cwchar>
#include <string>
#include <vector>

#include "dshowbase/module.h"
#include "win32/com_ptr.h"

namespace qucap {
namespace {

constexpr DWORD kModulePathCapacity = 4096;
constexpr DWORD kKeyNameCapacity = 256;  // registry key names are at most 255 characters
constexpr HRESULT kFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

std::wstring clsidKey(REFCLSID clsid) {
    WCHAR text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return std::wstring(L"CLSID\\") + text;
}

HRESULT fromRegistry(LONG error) { return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error); }

HRESULT setString(HKEY key, const WCHAR* name, const WCHAR* value) {
    const DWORD bytes = DWORD((std::wcslen(value) + 1) * sizeof(WCHAR));
    return fromRegistry(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes));
}

// Creates (or opens) root\subkey and sets its values, name-value pairs.
HRESULT writeKey(HKEY root, const std::wstring& subkey, std::initializer_list<std::pair<const WCHAR*, const WCHAR*>> values) {
    HKEY key = nullptr;
    HRESULT hr = fromRegistry(
        RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr));
    for (auto it = values.begin(); SUCCEEDED(hr) && it != values.end(); ++it) hr = setString(key, it->first, it->second);
    if (key) RegCloseKey(key);
    return hr;
}

std::vector<std::wstring> subkeyNames(HKEY key, HRESULT* result) {
    std::vector<std::wstring> names;
    *result = S_OK;
    for (DWORD index = 0;; ++index) {
        WCHAR name[kKeyNameCapacity];
        DWORD length = kKeyNameCapacity;
        const LONG error = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) break;
        if (error != ERROR_SUCCESS) {
            *result = fromRegistry(error);
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

HRESULT registerWithMapper2(IFilterMapper2* mapper, const AMOVIESETUP_FILTER& filter) {
    std::vector<REGFILTERPINS> pins;
    for (UINT n = 0; n < filter.nPins; ++n) {
        const AMOVIESETUP_PIN& pin = filter.lpPin[n];
        pins.push_back({const_cast<LPWSTR>(pin.strName), pin.bRendered, pin.bOutput, pin.bZero, pin.bMany,
                        pin.clsConnectsToFilter, pin.strConnectsToPin, pin.nMediaTypes,
                        reinterpret_cast<const REGPINTYPES*>(pin.lpMediaType)});
    }
    REGFILTER2 registration = {};
    registration.dwVersion = 1;
    registration.dwMerit = filter.dwMerit;
    registration.cPins = ULONG(pins.size());
    registration.rgPins = pins.data();
    return mapper->RegisterFilter(*filter.clsID, filter.strName, nullptr, nullptr, nullptr, &registration);
}

HRESULT registerWithMapper1(IFilterMapper* mapper, const AMOVIESETUP_FILTER& filter) {
    HRESULT hr = mapper->RegisterFilter(*filter.clsID, filter.strName, filter.dwMerit);
    for (UINT n = 0; SUCCEEDED(hr) && n < filter.nPins; ++n) {
        const AMOVIESETUP_PIN& pin = filter.lpPin[n];
        hr = mapper->RegisterPin(*filter.clsID, pin.strName, pin.bRendered, pin.bOutput, pin.bZero, pin.bMany,
                                 pin.clsConnectsToFilter ? *pin.clsConnectsToFilter : CLSID_NULL, pin.strConnectsToPin);
        for (UINT t = 0; SUCCEEDED(hr) && t < pin.nMediaTypes; ++t)
            hr = mapper->RegisterPinType(*filter.clsID, pin.strName, *pin.lpMediaType[t].clsMajorType,
                                         *pin.lpMediaType[t].clsMinorType);
    }
    return hr;
}

// One of the two mappers, whichever could be created.
struct Mapper {
    ComPtr<IFilterMapper2> second;
    ComPtr<IFilterMapper> first;
    HRESULT unregisterFilter(REFCLSID clsid) {
        return second ? second->UnregisterFilter(nullptr, nullptr, clsid) : first->UnregisterFilter(clsid);
    }
    HRESULT registerFilter(const AMOVIESETUP_FILTER& filter) {
        return second ? registerWithMapper2(second.get(), filter) : registerWithMapper1(first.get(), filter);
    }
};

}  // namespace

HRESULT createInprocObject(REFCLSID clsid, REFIID iid, void** object) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

HRESULT moduleFilePath(WCHAR* path, DWORD capacity) {
    if (!path || capacity == 0) return E_POINTER;
    path[0] = L'\0';
    const DWORD length = GetModuleFileNameW(moduleInstance(), path, capacity);
    if (length == 0) return HRESULT_FROM_WIN32(GetLastError());
    if (length >= capacity) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    return S_OK;
}

HRESULT registerComClass(const CFactoryTemplate& factoryTemplate, const WCHAR* modulePath) {
    try {
        const std::wstring key = clsidKey(*factoryTemplate.m_ClsID);
        const HRESULT hr = writeKey(HKEY_CLASSES_ROOT, key, {{nullptr, factoryTemplate.m_Name}});
        if (FAILED(hr)) return hr;
        return writeKey(HKEY_CLASSES_ROOT, key + L"\\InprocServer32",
                        {{nullptr, modulePath}, {L"ThreadingModel", L"Both"}});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterComClass(REFCLSID clsid) {
    try {
        return deleteRegistryTree(HKEY_CLASSES_ROOT, clsidKey(clsid).c_str());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT deleteRegistryTree(HKEY root, const WCHAR* subkey) {
    try {
        HKEY key = nullptr;
        const LONG opened = RegOpenKeyExW(root, subkey, 0, KEY_READ, &key);
        if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
        if (opened != ERROR_SUCCESS) return fromRegistry(opened);
        HRESULT hr = S_OK;
        // The names first, then the deletions: deleting while enumerating
        // would shift the indexes.
        for (const std::wstring& name : subkeyNames(key, &hr)) {
            if (FAILED(hr)) break;
            hr = deleteRegistryTree(key, name.c_str());
        }
        RegCloseKey(key);
        if (FAILED(hr)) return hr;
        const LONG deleted = RegDeleteKeyW(root, subkey);
        return deleted == ERROR_FILE_NOT_FOUND ? S_OK : fromRegistry(deleted);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT registerFilters(std::span<const CFactoryTemplate> templates, bool registering, ComObjectCreator create) {
    try {
        Mapper mapper;
        HRESULT hr = create(CLSID_FilterMapper2, IID_IFilterMapper2, mapper.second.putVoid());
        if (FAILED(hr)) {
            mapper.second.reset();
            hr = create(CLSID_FilterMapper, IID_IFilterMapper, mapper.first.putVoid());
            if (FAILED(hr)) return hr;
        }
        for (const CFactoryTemplate& factoryTemplate : templates) {
            const AMOVIESETUP_FILTER* filter = factoryTemplate.m_pAMovieSetup_Filter;
            if (!filter) continue;
            // Unregistered first, so registering twice leaves one registration.
            hr = mapper.unregisterFilter(*filter->clsID);
            if (registering) hr = mapper.registerFilter(*filter);
            if (hr == kFileNotFound) hr = S_OK;
            if (FAILED(hr)) break;
        }
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT AMovieDllRegisterServer2(std::span<const CFactoryTemplate> templates, bool registering,
                                 ComObjectCreator create) {
    WCHAR path[kModulePathCapacity];
    HRESULT hr = moduleFilePath(path, kModulePathCapacity);
    if (FAILED(hr)) return hr;
    if (registering) {
        for (const CFactoryTemplate& factoryTemplate : templates) {
            hr = registerComClass(factoryTemplate, path);
            if (FAILED(hr)) return hr;
        }
    }
    const HRESULT initialised = CoInitialize(nullptr);
    hr = registerFilters(templates, registering, create);
    CoFreeUnusedLibraries();
    if (SUCCEEDED(initialised)) CoUninitialize();
    if (registering || FAILED(hr)) return hr;
    // Every class key goes; the first failure is the one reported.
    for (const CFactoryTemplate& factoryTemplate : templates) {
        const HRESULT removed = unregisterComClass(*factoryTemplate.m_ClsID);
        if (FAILED(removed) && SUCCEEDED(hr)) hr = removed;
    }
    return hr;
}

}  // namespace qucap
