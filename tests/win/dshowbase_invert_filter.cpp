#include "tests/win/dshowbase_invert_filter.h"

#include <new>

#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"
#include "tests/win/dshowbase_test_support.h"

namespace qucap::dshowbase_test {
namespace {

const VIDEOINFOHEADER* videoInfo(const CMediaType* type) {
    if (!IsEqualGUID(type->formattype, FORMAT_VideoInfo) || type->cbFormat < sizeof(VIDEOINFOHEADER)) return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
}

long stride(long width, int bits) { return ((width * bits + 31) / 32) * 4; }

}  // namespace

CUnknown* InvertFilter::CreateInstance(IUnknown* outer, HRESULT*) { return new (std::nothrow) InvertFilter(outer); }

InvertFilter::InvertFilter(IUnknown* outer) : CTransformFilter(outer, kClsidInvertFilter) {}

HRESULT InvertFilter::CheckInputType(const CMediaType* in) {
    const VIDEOINFOHEADER* info = videoInfo(in);
    if (!IsEqualGUID(in->majortype, MEDIATYPE_Video) || !IsEqualGUID(in->subtype, MEDIASUBTYPE_RGB24) || !info ||
        info->bmiHeader.biBitCount != 24)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT InvertFilter::CheckTransform(const CMediaType* in, const CMediaType* out) {
    const VIDEOINFOHEADER* from = videoInfo(in);
    const VIDEOINFOHEADER* to = videoInfo(out);
    if (!from || !to || !IsEqualGUID(out->majortype, MEDIATYPE_Video) ||
        !IsEqualGUID(out->subtype, MEDIASUBTYPE_RGB32) || to->bmiHeader.biBitCount != 32 ||
        to->bmiHeader.biWidth != from->bmiHeader.biWidth || to->bmiHeader.biHeight != from->bmiHeader.biHeight)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT InvertFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    const VIDEOINFOHEADER* out = videoInfo(&m_pOutput->CurrentMediaType());
    if (!out) return E_UNEXPECTED;
    if (request->cBuffers < 1) request->cBuffers = 1;
    request->cbBuffer = long(out->bmiHeader.biSizeImage);
    ALLOCATOR_PROPERTIES actual = {};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer < request->cbBuffer ? E_FAIL : S_OK;
}

HRESULT InvertFilter::GetMediaType(int position, CMediaType* type) {
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    const VIDEOINFOHEADER* in = videoInfo(&m_pInput->CurrentMediaType());
    if (!in) return E_UNEXPECTED;
    auto* out = reinterpret_cast<VIDEOINFOHEADER*>(type->AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    if (!out) return E_OUTOFMEMORY;
    *out = *in;
    out->bmiHeader.biBitCount = 32;
    out->bmiHeader.biSizeImage = DWORD(stride(in->bmiHeader.biWidth, 32) * labs(in->bmiHeader.biHeight));
    type->SetType(&MEDIATYPE_Video);
    type->SetSubtype(&MEDIASUBTYPE_RGB32);
    type->SetFormatType(&FORMAT_VideoInfo);
    type->SetTemporalCompression(FALSE);
    type->SetSampleSize(out->bmiHeader.biSizeImage);
    return S_OK;
}

HRESULT InvertFilter::Transform(IMediaSample* in, IMediaSample* out) {
    BYTE* source = nullptr;
    BYTE* target = nullptr;
    if (FAILED(in->GetPointer(&source)) || FAILED(out->GetPointer(&target))) return E_UNEXPECTED;
    REFERENCE_TIME start = -1, stop = -1;
    in->GetTime(&start, &stop);
    {
        std::lock_guard lock(mutex_);
        frames_.push_back(frameOfFirstByte(source[0]));
        startTimes_.push_back(start);
        ++received_;
        if (dropEvery > 0 && received_ % dropEvery == 0) return S_FALSE;
    }
    for (int y = 0; y < kHeight; ++y) {
        const BYTE* from = source + y * kInputStride;
        BYTE* to = target + y * kOutputStride;
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c) to[4 * x + c] = BYTE(255 - from[3 * x + c]);
            to[4 * x + 3] = 0;
        }
    }
    return S_OK;
}

HRESULT InvertFilter::CompleteConnect(PIN_DIRECTION direction, IPin*) {
    ++(direction == PINDIR_INPUT ? inputConnections : outputConnections);
    return S_OK;
}

HRESULT InvertFilter::BeginFlush() {
    {
        std::lock_guard lock(mutex_);
        frames_.clear();
    }
    ++flushes;
    return CTransformFilter::BeginFlush();
}

HRESULT InvertFilter::EndOfStream() {
    ++endsOfStream;
    return CTransformFilter::EndOfStream();
}

HRESULT InvertFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    segmentStart = start;
    return CTransformFilter::NewSegment(start, stop, rate);
}

std::vector<int> InvertFilter::frames() {
    std::lock_guard lock(mutex_);
    return frames_;
}

std::vector<REFERENCE_TIME> InvertFilter::startTimes() {
    std::lock_guard lock(mutex_);
    return startTimes_;
}

}  // namespace qucap::dshowbase_test
