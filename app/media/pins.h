#pragma once
// Finding the pins of a filter to connect.
#include "app/media/directshow_ids.h"
#include "win32/com_ptr.h"

namespace qucap {

// findFreePin: the first pin of `direction` that is not connected; empty when none.
ComPtr<IPin> findFreePin(IBaseFilter* filter, PIN_DIRECTION direction);

// The first free output pin that offers a media type of `majorType`.
ComPtr<IPin> findFreeOutputPin(IBaseFilter* filter, const GUID& majorType);

}  // namespace qucap
