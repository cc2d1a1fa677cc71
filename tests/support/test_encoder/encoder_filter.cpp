#include "tests/support/test_encoder/encoder_filter.h"

#include <new>

#include "dshowbase/transform_input_pin.h"
#include "dshowbase/transform_output_pin.h"
#include "tests/support/test_encoder/lossless_codec.h"
#include "tests/support/test_encoder/test_encoder.h"

namespace qucap::test {
namespace {

const VIDEOINFOHEADER* videoInfo(const AM_MEDIA_TYPE& type) {
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo) || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat)
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

// The number of rows, whichever way the picture is stored (computed unsigned,
// so even the most negative height gives a size the checks then refuse).
uint32_t rowsOf(const BITMAPINFOHEADER& header) {
    return header.biHeight < 0 ? 0u - uint32_t(header.biHeight) : uint32_t(header.biHeight);
}

// A picture the encoder can take: 32-bit RGB of a size the format holds.
const VIDEOINFOHEADER* acceptedInput(const AM_MEDIA_TYPE& type) {
    const VIDEOINFOHEADER* info = videoInfo(type);
    if (!info || !IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32))
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        maxEncodedFrameSize(uint32_t(header.biWidth), rowsOf(header)) == 0)
        return nullptr;
    return info;
}

}  // namespace

CUnknown* TestLosslessEncoder::CreateInstance(IUnknown* outer, HRESULT*) {
    return new (std::nothrow) TestLosslessEncoder(outer);
}

TestLosslessEncoder::TestLosslessEncoder(IUnknown* outer) : CTransformFilter(outer, kClsidTestEncoder) {}

HRESULT TestLosslessEncoder::CheckInputType(const CMediaType* in) {
    return acceptedInput(*in) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestLosslessEncoder::CheckTransform(const CMediaType* in, const CMediaType* out) {
    const VIDEOINFOHEADER* from = acceptedInput(*in);
    const VIDEOINFOHEADER* to = videoInfo(*out);
    if (!from || !to || !IsEqualGUID(out->majortype, MEDIATYPE_Video) ||
        !IsEqualGUID(out->subtype, kTestEncoderSubtype) ||
        to->bmiHeader.biCompression != kTestEncoderFourcc || to->bmiHeader.biWidth != from->bmiHeader.biWidth ||
        to->bmiHeader.biHeight != from->bmiHeader.biHeight)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT TestLosslessEncoder::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    const VIDEOINFOHEADER* out = videoInfo(m_pOutput->CurrentMediaType());
    if (!out) return E_UNEXPECTED;
    if (request->cBuffers < 1) request->cBuffers = 1;
    if (request->cbBuffer < long(out->bmiHeader.biSizeImage)) request->cbBuffer = long(out->bmiHeader.biSizeImage);
    ALLOCATOR_PROPERTIES actual = {};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer < long(out->bmiHeader.biSizeImage) ? E_FAIL : S_OK;
}

HRESULT testEncoderOutputType(const AM_MEDIA_TYPE& input, CMediaType& output) {
    const VIDEOINFOHEADER* in = acceptedInput(input);
    if (!in) return VFW_E_TYPE_NOT_ACCEPTED;
    auto* out = reinterpret_cast<VIDEOINFOHEADER*>(output.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    if (!out) return E_OUTOFMEMORY;
    out->AvgTimePerFrame = in->AvgTimePerFrame;
    BITMAPINFOHEADER& header = out->bmiHeader;
    header = in->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = kTestEncoderFourcc;
    // The largest frame: what a buffer must hold.
    header.biSizeImage = DWORD(maxEncodedFrameSize(uint32_t(header.biWidth), rowsOf(header)));
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    output.SetType(&MEDIATYPE_Video);
    output.SetSubtype(&kTestEncoderSubtype);
    output.SetFormatType(&FORMAT_VideoInfo);
    output.SetTemporalCompression(FALSE);
    // Variable-sized samples; the size field is cleared too, as the AVI Mux
    // reads it for the stream's sample size.
    output.SetVariableSize();
    output.lSampleSize = 0;
    return S_OK;
}

HRESULT TestLosslessEncoder::GetMediaType(int position, CMediaType* type) {
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    if (!m_pInput->IsConnected()) return E_UNEXPECTED;
    return testEncoderOutputType(m_pInput->CurrentMediaType(), *type);
}

HRESULT TestLosslessEncoder::Transform(IMediaSample* in, IMediaSample* out) {
    const VIDEOINFOHEADER* info = acceptedInput(m_pInput->CurrentMediaType());
    if (!info) return E_UNEXPECTED;
    const uint32_t width = uint32_t(info->bmiHeader.biWidth);
    const uint32_t rows = rowsOf(info->bmiHeader);
    BYTE* source = nullptr;
    BYTE* target = nullptr;
    if (FAILED(in->GetPointer(&source)) || FAILED(out->GetPointer(&target))) return E_UNEXPECTED;
    // A short picture would be read past its end: refused rather than encoded.
    if (in->GetActualDataLength() < long(width * rows * 4)) return VFW_E_BUFFER_UNDERFLOW;
    const std::size_t written = encodeTestEncoderFrame(source, width, rows, target, std::size_t(out->GetSize()));
    if (written == 0) return VFW_E_BUFFER_OVERFLOW;
    out->SetActualDataLength(long(written));
    // Every frame stands alone.
    out->SetSyncPoint(TRUE);
    return S_OK;
}

}  // namespace qucap::test
