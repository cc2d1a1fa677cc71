#include "app/media/caption_filter.h"

#include <string>

#include "captiondata/text/paths.h"
#include "filter/win/iqucapsyf.h"

namespace qucap {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

HRESULT createFromModule(std::u16string_view programFolder, ComPtr<IBaseFilter>& filter) {
    const std::u16string path = joinPath(programFolder, kFilterModuleName);
    const auto* widePath = reinterpret_cast<const wchar_t*>(path.c_str());
    HMODULE module = GetModuleHandleW(widePath);
    if (module == nullptr) module = LoadLibraryExW(widePath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")));
    if (getClassObject == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    ComPtr<IClassFactory> factory;
    const HRESULT result = getClassObject(kClsidQucapsyf, IID_IClassFactory, factory.putVoid());
    if (FAILED(result)) return result;
    return factory->CreateInstance(nullptr, IID_IBaseFilter, filter.putVoid());
}

}  // namespace

HRESULT createCaptionFilter(std::u16string_view programFolder, ComPtr<IBaseFilter>& filter) {
    const HRESULT result =
        CoCreateInstance(kClsidQucapsyf, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid());
    if (result != REGDB_E_CLASSNOTREG) return result;
    return createFromModule(programFolder, filter);
}

FilterMaker captionFilterMaker(std::u16string_view programFolder) {
    return [folder = std::u16string(programFolder)](ComPtr<IBaseFilter>& filter) {
        return createCaptionFilter(folder, filter);
    };
}

HRESULT addCaptionFilter(FilterGraph& graph, const FilterMaker& make, ComPtr<IBaseFilter>& filter) {
    const HRESULT created = make(filter);
    if (FAILED(created)) return created;
    const HRESULT added = graph.addFilter(filter.get(), kFilterName);
    if (FAILED(added)) filter.reset();
    return added;
}

}  // namespace qucap
