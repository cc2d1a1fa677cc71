#pragma once
// The standard property frame for one filter of a graph.
#include "app/media/directshow_ids.h"
#include "win32/com_ptr.h"

namespace qucap {

// When the filter offers ISpecifyPropertyPages: opens the standard property
// frame (no owner window, at 0,0, captioned with the filter's graph name,
// the one filter as its object) and waits until the user closes it. S_FALSE
// for a filter without pages, which is skipped silently.
HRESULT showPropertyFrame(IBaseFilter* filter);

}  // namespace qucap
