#include "tests/win/filter_harness.h"

#include <dvdmedia.h>

#include <algorithm>
#include <cstring>

#include "filter/core/video_types.h"

namespace qucap::test {

CMediaType videoType(const GUID& subtype, int32_t width, int32_t height, int bits, bool videoInfo2) {
    CMediaType type(&MEDIATYPE_Video);
    type.SetSubtype(&subtype);
    BITMAPINFOHEADER* header = nullptr;
    if (videoInfo2) {
        type.SetFormatType(&FORMAT_VideoInfo2);
        auto* format = reinterpret_cast<VIDEOINFOHEADER2*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER2)));
        format->AvgTimePerFrame = 333'667;
        format->dwBitRate = 12'345;
        header = &format->bmiHeader;
    } else {
        type.SetFormatType(&FORMAT_VideoInfo);
        auto* format = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
        format->AvgTimePerFrame = 333'667;
        format->dwBitRate = 12'345;
        header = &format->bmiHeader;
    }
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = WORD(bits);
    header->biSizeImage = DWORD(pictureBytes(width, height, bits));
    type.SetSampleSize(header->biSizeImage);
    return type;
}

const VIDEOINFOHEADER& videoHeaderOf(const AM_MEDIA_TYPE& type) {
    return *reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

STDMETHODIMP UpstreamPin::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *object = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP UpstreamPin::QueryDirection(PIN_DIRECTION* direction) {
    *direction = PINDIR_OUTPUT;
    return S_OK;
}

GuardedSample::GuardedSample(std::size_t size, std::optional<long> actualLength)
    : bytes_(size + 2 * kGuardBytes, kGuard), size_(size), actualLength_(actualLength.value_or(long(size))) {}

bool GuardedSample::guardsIntact() const {
    const auto isGuard = [](uint8_t b) { return b == kGuard; };
    return std::all_of(bytes_.begin(), bytes_.begin() + kGuardBytes, isGuard) &&
           std::all_of(bytes_.end() - kGuardBytes, bytes_.end(), isGuard);
}

void GuardedSample::fill(uint8_t value) { std::fill_n(data(), size_, value); }

std::vector<uint8_t> GuardedSample::contents() const {
    return std::vector<uint8_t>(bytes_.begin() + kGuardBytes, bytes_.begin() + std::ptrdiff_t(kGuardBytes + size_));
}

STDMETHODIMP GuardedSample::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMediaSample)) {
        *object = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP GuardedSample::GetPointer(BYTE** buffer) {
    *buffer = data();
    return S_OK;
}

STDMETHODIMP GuardedSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (!times) return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = times->first;
    *stop = times->second;
    return timeAnswer;
}

STDMETHODIMP GuardedSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (start == nullptr) {
        times.reset();
    } else {
        times = std::make_pair(*start, stop ? *stop : *start);
    }
    return S_OK;
}

STDMETHODIMP GuardedSample::SetSyncPoint(BOOL value) {
    syncPoint = value ? S_OK : S_FALSE;
    return S_OK;
}

STDMETHODIMP GuardedSample::SetPreroll(BOOL value) {
    preroll = value ? S_OK : S_FALSE;
    return S_OK;
}

STDMETHODIMP GuardedSample::SetDiscontinuity(BOOL value) {
    discontinuity = value ? S_OK : S_FALSE;
    return S_OK;
}

STDMETHODIMP GuardedSample::SetActualDataLength(long length) {
    if (length < 0 || std::size_t(length) > size_) return VFW_E_BUFFER_OVERFLOW;
    actualLength_ = length;
    return S_OK;
}

STDMETHODIMP GuardedSample::GetMediaType(AM_MEDIA_TYPE** type) {
    *type = nullptr;
    return S_FALSE;
}

STDMETHODIMP GuardedSample::GetMediaTime(LONGLONG* start, LONGLONG* stop) {
    if (!mediaTimes) return VFW_E_MEDIA_TIME_NOT_SET;
    *start = mediaTimes->first;
    *stop = mediaTimes->second;
    return S_OK;
}

STDMETHODIMP GuardedSample::SetMediaTime(LONGLONG* start, LONGLONG* stop) {
    if (start == nullptr || stop == nullptr) {
        mediaTimes.reset();
    } else {
        mediaTimes = std::make_pair(*start, *stop);
    }
    return S_OK;
}

}  // namespace qucap::test
