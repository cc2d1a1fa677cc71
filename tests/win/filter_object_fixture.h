#pragma once
// A CQucapsyf made in-process (its settings file would lie beside the test
// program, where there is none), with its input connected from a test pin.
#include <gtest/gtest.h>

#include "dshowbase/base_pin.h"
#include "filter/win/qucapsyf.h"
#include "tests/win/filter_harness.h"

namespace qucap::test {

struct FilterObjectTest : ::testing::Test {
    FilterObjectTest() : filter(new CQucapsyf(nullptr)) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        filter->NonDelegatingAddRef();
    }
    ~FilterObjectTest() override {
        filter->GetPin(0)->Disconnect();
        filter->NonDelegatingRelease();
        CoUninitialize();
    }

    HRESULT connectInput(const CMediaType& type) { return filter->GetPin(0)->ReceiveConnection(&upstream, &type); }
    // The output type as a downstream pin would have agreed it.
    HRESULT setOutput(const CMediaType& type) {
        const HRESULT hr = filter->CheckTransform(&filter->GetPin(0)->CurrentMediaType(), &type);
        if (hr == S_OK) filter->GetPin(1)->SetMediaType(&type);
        return hr;
    }

    UpstreamPin upstream;
    CQucapsyf* filter;
};

}  // namespace qucap::test
