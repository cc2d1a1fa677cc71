#include "app/media/property_frame.h"

#include <olectl.h>

namespace qucap {

HRESULT showPropertyFrame(IBaseFilter* filter) {
    if (filter == nullptr) return E_POINTER;
    ComPtr<ISpecifyPropertyPages> specify;
    if (FAILED(filter->QueryInterface(IID_ISpecifyPropertyPages, specify.putVoid())) || !specify) return S_FALSE;
    FILTER_INFO info{};
    const HRESULT named = filter->QueryFilterInfo(&info);
    if (FAILED(named)) return named;
    if (info.pGraph) info.pGraph->Release();
    CAUUID pages{};
    const HRESULT listed = specify->GetPages(&pages);
    if (FAILED(listed)) return listed;
    IUnknown* objects[] = {filter};
    const HRESULT shown =
        OleCreatePropertyFrame(nullptr, 0, 0, info.achName, 1, objects, pages.cElems, pages.pElems, 0, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    return shown;
}

}  // namespace qucap
