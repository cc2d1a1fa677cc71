#pragma once
// Pieces for driving CQucapsyf in-process: video media types built field by
// field, an upstream pin that only connects, and media samples over buffers
// with guard bytes on both sides so a write or read past them shows.
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "dshowbase/media_type.h"

namespace qucap::test {

// A video type: the subtype with a VIDEOINFOHEADER (or VIDEOINFOHEADER2),
// biWidth, biHeight and biBitCount as given, biSizeImage of the picture.
CMediaType videoType(const GUID& subtype, int32_t width, int32_t height, int bits, bool videoInfo2 = false);
// The VIDEOINFOHEADER of a type with that format.
const VIDEOINFOHEADER& videoHeaderOf(const AM_MEDIA_TYPE& type);

// An output pin that offers nothing and only answers its direction, so a
// filter's input pin can accept a connection from it through ReceiveConnection.
class UpstreamPin : public IPin {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references_); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references_); }
    STDMETHODIMP Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect() override { return S_OK; }
    STDMETHODIMP ConnectedTo(IPin**) override { return E_NOTIMPL; }
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryPinInfo(PIN_INFO*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE*) override { return S_FALSE; }
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EndOfStream() override { return S_OK; }
    STDMETHODIMP BeginFlush() override { return S_OK; }
    STDMETHODIMP EndFlush() override { return S_OK; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

private:
    long references_ = 1;
};

// A media sample of `size` bytes (its actual data length as given) between
// guard bytes; times, media times and flags as set.
class GuardedSample : public IMediaSample {
public:
    explicit GuardedSample(std::size_t size, std::optional<long> actualLength = std::nullopt);

    BYTE* data() { return bytes_.data() + kGuardBytes; }
    // The guards still hold their pattern.
    bool guardsIntact() const;
    void fill(uint8_t value);
    std::vector<uint8_t> contents() const;

    // What the sample answers.
    std::optional<std::pair<REFERENCE_TIME, REFERENCE_TIME>> times;
    HRESULT timeAnswer = S_OK;  // returned by GetTime when times are set
    std::optional<std::pair<LONGLONG, LONGLONG>> mediaTimes;
    HRESULT syncPoint = S_FALSE, preroll = S_FALSE, discontinuity = S_FALSE;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references_); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references_); }
    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(long) GetSize() override { return long(size_); }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP IsSyncPoint() override { return syncPoint; }
    STDMETHODIMP SetSyncPoint(BOOL value) override;
    STDMETHODIMP IsPreroll() override { return preroll; }
    STDMETHODIMP SetPreroll(BOOL value) override;
    STDMETHODIMP_(long) GetActualDataLength() override { return actualLength_; }
    STDMETHODIMP SetActualDataLength(long length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP IsDiscontinuity() override { return discontinuity; }
    STDMETHODIMP SetDiscontinuity(BOOL value) override;
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* stop) override;

private:
    static constexpr std::size_t kGuardBytes = 64;
    static constexpr uint8_t kGuard = 0xA5;
    std::vector<uint8_t> bytes_;
    std::size_t size_;
    long actualLength_;
    long references_ = 1;
};

}  // namespace qucap::test
