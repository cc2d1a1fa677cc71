#pragma once
// The built filter module Qucapsyf.ax in the tests: its path in the program
// folder, a copy loaded from a folder of the test's own (so the copy finds
// the Qucapadd.ini the test puts beside it), and its entry points.
#include <windows.h>
#include <strmif.h>

#include <string>

#include "filter/win/iqucapsyf.h"
#include "win32/com_ptr.h"

namespace qucap::test {

// Qucapsyf.ax in the build's program folder, as a Windows path.
std::u16string builtFilterModule();
// A Unix path of the build (drive Z: is the Unix root under Wine) as a Windows path.
std::u16string windowsPathOf(const char* unixPath);

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using ModuleFunction = HRESULT(STDAPICALLTYPE*)();

class LoadedFilterModule {
public:
    // Copies the built module into `folder` and loads the copy.
    explicit LoadedFilterModule(const std::u16string& folder);
    ~LoadedFilterModule();
    LoadedFilterModule(const LoadedFilterModule&) = delete;
    LoadedFilterModule& operator=(const LoadedFilterModule&) = delete;

    bool loaded() const { return module_ != nullptr; }
    const std::u16string& path() const { return path_; }
    HMODULE handle() const { return module_; }

    GetClassObjectFunction getClassObject() const;
    ModuleFunction canUnloadNow() const;

    // A new filter through the module's class factory; null on failure.
    ComPtr<IBaseFilter> createFilter() const;

private:
    std::u16string path_;
    HMODULE module_ = nullptr;
};

// The filter's own interface, or null.
ComPtr<IQucapsyf> qucapsyfOf(const ComPtr<IBaseFilter>& filter);

}  // namespace qucap::test
