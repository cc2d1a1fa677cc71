#include "app/media/filter_registration.h"

#include <shellapi.h>

#include <string>

#include "app/core/media/filter_registration.h"
#include "app/media/property_frame.h"
#include "filter/win/iqucapsyf.h"

namespace qucap {
namespace {

std::u16string systemDirectory() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(folder), length);
}

const wchar_t* wideOf(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int runRegistrationTool(const Io& io, const FilterModule& module, RegistrationAction action, HWND owner) {
    const std::u16string tool = registrationToolPath(systemDirectory());
    if (checkRegistrationFiles(io, module.path, tool) != 0) return -1;
    const std::u16string parameters = registrationParameters(action, module.path);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS;
    execute.hwnd = owner;
    execute.lpVerb = module.modernSystem ? L"runas" : L"open";
    execute.lpFile = wideOf(tool);
    execute.lpParameters = wideOf(parameters);
    execute.nShow = SW_HIDE;
    // A start that fails, or that the user declines to elevate, says nothing.
    if (!ShellExecuteExW(&execute) || reinterpret_cast<INT_PTR>(execute.hInstApp) <= 32) {
        if (execute.hProcess) CloseHandle(execute.hProcess);
        return -1;
    }
    if (execute.hProcess) {
        WaitForSingleObject(execute.hProcess, INFINITE);
        CloseHandle(execute.hProcess);
    }
    return 0;
}

// Whether the caption filter's class is registered in the system (by an
// installation, for other programs): its in-process server key exists.
bool captionFilterClassRegistered() {
    wchar_t classId[40] = {};
    if (StringFromGUID2(kClsidQucapsyf, classId, 40) == 0) return false;
    const std::wstring key = L"CLSID\\" + std::wstring(classId) + L"\\InprocServer32";
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Makes the caption filter, shows its pages and takes it out of the graph again.
void showNewCaptionFilterPages(FilterGraph& graph, const FilterMaker& makeCaptionFilter) {
    ComPtr<IBaseFilter> filter;
    if (FAILED(addCaptionFilter(graph, makeCaptionFilter, filter))) return;
    showPropertyFrame(filter.get());
    graph.removeAndRelease(filter);
}

}  // namespace

int registerFilter(const Io& io, const FilterModule& module, HWND owner) {
    return runRegistrationTool(io, module, RegistrationAction::Register, owner);
}

int unregisterFilter(const Io& io, const FilterModule& module, HWND owner) {
    return runRegistrationTool(io, module, RegistrationAction::Unregister, owner);
}

int showFilterProperties(const Io& io, const FilterModule& module, FilterGraph& graph, const FilterMaker& makeCaptionFilter,
                         HWND owner) {
    // A registration made before the click (an installation for other
    // programs) is left as it is: neither registered again nor removed.
    const bool registeredBefore = captionFilterClassRegistered();
    if (!registeredBefore && registerFilter(io, module, owner) != 0) return -1;
    graph.removeAndRelease(graph.captionFilter());
    showNewCaptionFilterPages(graph, makeCaptionFilter);
    if (!registeredBefore) unregisterFilter(io, module, owner);
    return 0;
}

void listGraphFilters(Ui& ui, const FilterGraph& graph) {
    ui.messageBox(graphFilterListText(graph.filterNames()), kProgramTitle, MessageIcon::Information);
}

}  // namespace qucap
