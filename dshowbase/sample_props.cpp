#include "dshowbase/sample_props.h"

#include <array>

namespace qucap {
namespace {

// A sample flag: how to read it from the input and set it on the output.
struct SampleFlag {
    HRESULT (STDMETHODCALLTYPE IMediaSample::*get)();
    HRESULT (STDMETHODCALLTYPE IMediaSample::*set)(BOOL);
};

constexpr std::array<SampleFlag, 3> kSampleFlags = {{
    {&IMediaSample::IsSyncPoint, &IMediaSample::SetSyncPoint},
    {&IMediaSample::IsPreroll, &IMediaSample::SetPreroll},
    {&IMediaSample::IsDiscontinuity, &IMediaSample::SetDiscontinuity},
}};

}  // namespace

HRESULT copySampleProperties(IMediaSample* in, IMediaSample* out) {
    REFERENCE_TIME start = 0, stop = 0;
    if (in->GetTime(&start, &stop) == S_OK) out->SetTime(&start, &stop);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (in->GetMediaTime(&mediaStart, &mediaStop) == S_OK) out->SetMediaTime(&mediaStart, &mediaStop);
    HRESULT result = S_OK;
    for (const SampleFlag& flag : kSampleFlags) {
        const HRESULT answer = (in->*flag.get)();
        if (answer != S_OK && answer != S_FALSE) result = E_UNEXPECTED;
        (out->*flag.set)(answer == S_OK);
    }
    return result;
}

}  // namespace qucap
