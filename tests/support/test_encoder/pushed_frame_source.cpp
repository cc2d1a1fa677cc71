#include "tests/support/test_encoder/pushed_frame_source.h"

#include <cstring>

#include "dshowbase/base_output_pin.h"

namespace qucap::test {

// {3E8B1F27-9C4A-4D05-B6E2-51A7C09D3F88}
static constexpr GUID kClsidPushedFrameSource = {
    0x3E8B1F27, 0x9C4A, 0x4D05, {0xB6, 0xE2, 0x51, 0xA7, 0xC0, 0x9D, 0x3F, 0x88}};

class PushedFrameSource::OutputPin : public CBaseOutputPin {
public:
    OutputPin(CBaseFilter* filter, CCritSec* lock, const CMediaType& type)
        : CBaseOutputPin(filter, lock, L"Output"), type_(type) {}

    HRESULT CheckMediaType(const CMediaType* type) override {
        return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, CMediaType* type) override {
        if (position < 0) return E_INVALIDARG;
        if (position > 0) return VFW_S_NO_MORE_ITEMS;
        return type->Set(type_);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        if (request->cBuffers < 2) request->cBuffers = 2;
        if (request->cbBuffer < long(type_.lSampleSize)) request->cbBuffer = long(type_.lSampleSize);
        ALLOCATOR_PROPERTIES actual = {};
        const HRESULT hr = allocator->SetProperties(request, &actual);
        if (FAILED(hr)) return hr;
        return actual.cbBuffer < long(type_.lSampleSize) ? E_FAIL : S_OK;
    }

private:
    CMediaType type_;
};

PushedFrameSource::PushedFrameSource(const CMediaType& type)
    : CBaseFilter(nullptr, &lock_, kClsidPushedFrameSource), pin_(std::make_unique<OutputPin>(this, &lock_, type)) {}

PushedFrameSource::~PushedFrameSource() = default;

CBasePin* PushedFrameSource::GetPin(int n) { return n == 0 ? pin_.get() : nullptr; }

HRESULT PushedFrameSource::push(std::span<const uint8_t> frame, REFERENCE_TIME start, REFERENCE_TIME stop,
                                bool syncPoint) {
    IMediaSample* sample = nullptr;
    HRESULT hr = pin_->GetDeliveryBuffer(&sample, &start, &stop, 0);
    if (FAILED(hr)) return hr;
    BYTE* buffer = nullptr;
    if (sample->GetSize() < long(frame.size()) || FAILED(sample->GetPointer(&buffer))) {
        sample->Release();
        return VFW_E_BUFFER_OVERFLOW;
    }
    std::memcpy(buffer, frame.data(), frame.size());
    sample->SetActualDataLength(long(frame.size()));
    sample->SetTime(&start, &stop);
    sample->SetSyncPoint(syncPoint ? TRUE : FALSE);
    hr = pin_->Deliver(sample);
    sample->Release();
    return hr;
}

HRESULT PushedFrameSource::endOfStream() { return pin_->DeliverEndOfStream(); }

}  // namespace qucap::test
