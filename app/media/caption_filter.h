#pragma once
// Creating the caption filter (Qucapsyf.ax) for a graph.
#include <functional>
#include <string>
#include <string_view>

#include "app/media/filter_graph.h"

namespace qucap {

inline constexpr std::u16string_view kFilterModuleName = u"Qucapsyf.ax";
inline constexpr std::u16string_view kCaptionFilterUnavailable = u"字幕合成フィルタ（Qucapsyf.ax）を作成できません";

// Creates the filter by its class identifier. When the class is not
// registered, the module "Qucapsyf.ax" in `programFolder` is loaded and its
// DllGetClassObject asked directly, so graphs work without a registration
// step. A module loaded this way stays loaded for the rest of the process:
// filters made from it may live as long.
HRESULT createCaptionFilter(std::u16string_view programFolder, ComPtr<IBaseFilter>& filter);

// Makes a filter for a graph (the caption filter, or a stand-in in tests).
using FilterMaker = std::function<HRESULT(ComPtr<IBaseFilter>& filter)>;

// createCaptionFilter with the program folder given.
FilterMaker captionFilterMaker(std::u16string_view programFolder);

// Makes the filter and adds it as "Kavren Caption Synthesize Filter".
HRESULT addCaptionFilter(FilterGraph& graph, const FilterMaker& make, ComPtr<IBaseFilter>& filter);

}  // namespace qucap
