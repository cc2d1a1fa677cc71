#pragma once
// Finding the pins of a filter to connect.
#include <functional>

#include "app/media/directshow_ids.h"
#include "win32/com_ptr.h"

namespace qucap {

// findFreePin: the first pin of `direction` that is not connected; empty when none.
ComPtr<IPin> findFreePin(IBaseFilter* filter, PIN_DIRECTION direction);

// The first free output pin that offers a media type of `majorType`.
ComPtr<IPin> findFreeOutputPin(IBaseFilter* filter, const GUID& majorType);

// Whether any media type the pin offers is `wanted`.
bool offersType(IPin* pin, const std::function<bool(const AM_MEDIA_TYPE&)>& wanted);

}  // namespace qucap
