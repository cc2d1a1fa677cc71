#pragma once
// A source filter whose frames the test pushes itself: one output pin that
// offers exactly one media type, and push() delivering a frame downstream
// from the calling thread while the graph runs. So a test chooses every byte
// and every picture size, which no movie file on disk gives as freely.
#include <cstdint>
#include <memory>
#include <span>

#include "dshowbase/base_filter.h"
#include "dshowbase/crit_sec.h"
#include "dshowbase/media_type.h"

namespace qucap::test {

class PushedFrameSource : public CBaseFilter {
public:
    // The type the pin offers and accepts; its sample size sizes the buffers.
    explicit PushedFrameSource(const CMediaType& type);
    ~PushedFrameSource() override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override;

    // One frame with the given times, a sync point unless told otherwise.
    // VFW_E_BUFFER_OVERFLOW when it does not fit a buffer; the downstream
    // pin's answer otherwise.
    HRESULT push(std::span<const uint8_t> frame, REFERENCE_TIME start, REFERENCE_TIME stop, bool syncPoint = true);
    HRESULT endOfStream();

private:
    class OutputPin;
    CCritSec lock_;
    std::unique_ptr<OutputPin> pin_;
};

}  // namespace qucap::test
