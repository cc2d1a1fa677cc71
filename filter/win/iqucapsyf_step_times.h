#pragma once
// The caption filter's step times, for benchmarks: how long each step of
// its per-sample path took, summed over a run (filter/core/compose/step_times.h).
// Not part of IQucapsyf; a program that never asks for it pays one flag
// test a step.
#include <windows.h>
#include <unknwn.h>

#include "filter/core/compose/step_times.h"

namespace qucap {

// {607937CA-E73A-475E-9D7B-4A170C8A0933}
inline constexpr GUID kIidIQucapsyfStepTimes = {
    0x607937CA, 0xE73A, 0x475E, {0x9D, 0x7B, 0x4A, 0x17, 0x0C, 0x8A, 0x09, 0x33}};

struct IQucapsyfStepTimes : public IUnknown {
    // Starts keeping the times (the sums cleared) or stops keeping them;
    // under the streaming lock, so never during a sample.
    virtual HRESULT STDMETHODCALLTYPE KeepStepTimes(BOOL keep) = 0;
    // The sums so far; E_POINTER for a null pointer.
    virtual HRESULT STDMETHODCALLTYPE GetStepTimes(SampleStepTimes* times) = 0;
};

}  // namespace qucap
