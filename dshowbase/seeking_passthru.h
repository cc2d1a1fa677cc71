#pragma once
// CSeekingPassThru: IMediaSeeking that passes every call to the pin connected
// to a given pin of the same filter (for a transform's output pin: the
// upstream pin feeding its input). Its IUnknown is the owning pin's.
#include <windows.h>
#include <dshow.h>

namespace qucap {

class CBasePin;

class CSeekingPassThru : public IMediaSeeking {
public:
    // owner: the object whose IUnknown this answers with; upstreamOf: the pin
    // whose peer receives the calls.
    CSeekingPassThru(IUnknown* owner, CBasePin* upstreamOf) : owner_(owner), upstreamOf_(upstreamOf) {}
    CSeekingPassThru(const CSeekingPassThru&) = delete;
    CSeekingPassThru& operator=(const CSeekingPassThru&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return owner_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    // Each call goes to the upstream pin's IMediaSeeking: VFW_E_NOT_CONNECTED
    // when the pin has no peer, E_NOTIMPL when the peer cannot seek.
    STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* format) override;
    STDMETHODIMP QueryPreferredFormat(GUID* format) override;
    STDMETHODIMP GetTimeFormat(GUID* format) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
    STDMETHODIMP SetTimeFormat(const GUID* format) override;
    STDMETHODIMP GetDuration(LONGLONG* duration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                   const GUID* sourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
    STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    STDMETHODIMP SetRate(double rate) override;
    STDMETHODIMP GetRate(double* rate) override;
    STDMETHODIMP GetPreroll(LONGLONG* preroll) override;

private:
    template <typename Call>
    HRESULT forward(Call call);

    IUnknown* owner_;
    CBasePin* upstreamOf_;
};

}  // namespace qucap
