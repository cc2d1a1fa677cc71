#include "dshowbase/seeking_passthru.h"

#include "dshowbase/base_pin.h"

namespace qucap {

template <typename Call>
HRESULT CSeekingPassThru::forward(Call call) {
    IPin* peer = nullptr;
    if (!upstreamOf_ || FAILED(upstreamOf_->ConnectedTo(&peer)) || !peer) return VFW_E_NOT_CONNECTED;
    IMediaSeeking* seeking = nullptr;
    const HRESULT found = peer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
    peer->Release();
    if (FAILED(found) || !seeking) return E_NOTIMPL;
    const HRESULT hr = call(seeking);
    seeking->Release();
    return hr;
}

STDMETHODIMP CSeekingPassThru::GetCapabilities(DWORD* capabilities) {
    return forward([&](IMediaSeeking* s) { return s->GetCapabilities(capabilities); });
}

STDMETHODIMP CSeekingPassThru::CheckCapabilities(DWORD* capabilities) {
    return forward([&](IMediaSeeking* s) { return s->CheckCapabilities(capabilities); });
}

STDMETHODIMP CSeekingPassThru::IsFormatSupported(const GUID* format) {
    return forward([&](IMediaSeeking* s) { return s->IsFormatSupported(format); });
}

STDMETHODIMP CSeekingPassThru::QueryPreferredFormat(GUID* format) {
    return forward([&](IMediaSeeking* s) { return s->QueryPreferredFormat(format); });
}

STDMETHODIMP CSeekingPassThru::GetTimeFormat(GUID* format) {
    return forward([&](IMediaSeeking* s) { return s->GetTimeFormat(format); });
}

STDMETHODIMP CSeekingPassThru::IsUsingTimeFormat(const GUID* format) {
    return forward([&](IMediaSeeking* s) { return s->IsUsingTimeFormat(format); });
}

STDMETHODIMP CSeekingPassThru::SetTimeFormat(const GUID* format) {
    return forward([&](IMediaSeeking* s) { return s->SetTimeFormat(format); });
}

STDMETHODIMP CSeekingPassThru::GetDuration(LONGLONG* duration) {
    return forward([&](IMediaSeeking* s) { return s->GetDuration(duration); });
}

STDMETHODIMP CSeekingPassThru::GetStopPosition(LONGLONG* stop) {
    return forward([&](IMediaSeeking* s) { return s->GetStopPosition(stop); });
}

STDMETHODIMP CSeekingPassThru::GetCurrentPosition(LONGLONG* current) {
    return forward([&](IMediaSeeking* s) { return s->GetCurrentPosition(current); });
}

STDMETHODIMP CSeekingPassThru::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                 const GUID* sourceFormat) {
    return forward([&](IMediaSeeking* s) { return s->ConvertTimeFormat(target, targetFormat, source, sourceFormat); });
}

STDMETHODIMP CSeekingPassThru::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    return forward([&](IMediaSeeking* s) { return s->SetPositions(current, currentFlags, stop, stopFlags); });
}

STDMETHODIMP CSeekingPassThru::GetPositions(LONGLONG* current, LONGLONG* stop) {
    return forward([&](IMediaSeeking* s) { return s->GetPositions(current, stop); });
}

STDMETHODIMP CSeekingPassThru::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
    return forward([&](IMediaSeeking* s) { return s->GetAvailable(earliest, latest); });
}

STDMETHODIMP CSeekingPassThru::SetRate(double rate) {
    return forward([&](IMediaSeeking* s) { return s->SetRate(rate); });
}

STDMETHODIMP CSeekingPassThru::GetRate(double* rate) {
    return forward([&](IMediaSeeking* s) { return s->GetRate(rate); });
}

STDMETHODIMP CSeekingPassThru::GetPreroll(LONGLONG* preroll) {
    return forward([&](IMediaSeeking* s) { return s->GetPreroll(preroll); });
}

}  // namespace qucap
