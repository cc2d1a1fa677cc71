#pragma once
// The properties a transform hands on from an input sample to its output
// sample, in one place for the base class and the filters on it.
#include <windows.h>
#include <strmif.h>

namespace qucap {

// The time stamps (only when GetTime answers S_OK), the media times (only
// when GetMediaTime answers S_OK), and the sync-point, preroll and
// discontinuity flags. A flag query answering neither S_OK nor S_FALSE
// leaves that flag clear and gives E_UNEXPECTED once every flag is copied.
HRESULT copySampleProperties(IMediaSample* in, IMediaSample* out);

}  // namespace qucap
