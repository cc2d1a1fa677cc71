#pragma once
// Between DirectShow media types and the filter's portable type decisions:
// reading an AM_MEDIA_TYPE (never past its format block), the HRESULTs of
// the answers, and filling the output type the filter proposes.
#include <windows.h>
#include <strmif.h>

#include "dshowbase/media_type.h"
#include "filter/core/video_types.h"

namespace qucap {

// The picture fields come from the VIDEOINFOHEADER or VIDEOINFOHEADER2 the
// format type names, only when the format block is large enough for it.
OfferedType offeredTypeOf(const AM_MEDIA_TYPE& type);

// S_OK, E_INVALIDARG or VFW_E_TYPE_NOT_ACCEPTED.
HRESULT hresultOf(TypeAnswer answer);

// The proposed output as a media type: video, RGB24 or RGB32, a zeroed
// VIDEOINFOHEADER with the proposal's header and rectangles and the input's
// bit rate, error rate and frame duration; fixed-size samples when the image
// size is not 0. E_OUTOFMEMORY when the format block cannot be allocated.
HRESULT fillProposedType(const ProposedOutput& proposal, const AM_MEDIA_TYPE& input, CMediaType& type);

}  // namespace qucap
