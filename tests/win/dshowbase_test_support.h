#pragma once
// Shared pieces of the base-class tests: a COM apartment per test, a small
// uncompressed RGB24 AVI written from bytes, the Wine filters the graphs use
// (their class identifiers are missing from mingw's headers), pin look-ups
// and a graph runner.
#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

namespace qucap::dshowbase_test {

// {C1F400A0-3F08-11D3-9F0B-006008039E37}
inline constexpr GUID kClsidSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
// {C1F400A4-3F08-11D3-9F0B-006008039E37}
inline constexpr GUID kClsidNullRenderer = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// CoInitializeEx (single-threaded apartment) for the life of the scope.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// A COM object that only answers IUnknown and counts the references held on it.
struct CountedUnknown final : IUnknown {
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        *object = IsEqualIID(iid, IID_IUnknown) ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++references); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--references); }
    long references = 1;
};

// The test movie: kFrames frames of kWidth x kHeight, 24-bit RGB stored
// bottom-up with rows padded to 4 bytes, at 25 frames per second.
constexpr int kWidth = 10;
constexpr int kHeight = 6;
constexpr int kFrames = 10;
constexpr int kInputStride = 32;   // 30 bytes padded
constexpr int kOutputStride = 40;  // 32-bit output
constexpr REFERENCE_TIME kFrameDuration = 400000;  // 1/25 s in 100-ns units

// Byte `offset` of frame `frame` as the file stores it.
unsigned char movieByte(int frame, int offset);
// The frame whose first byte is `value` (frames differ in their first byte).
int frameOfFirstByte(unsigned char value);
// Writes the movie as an AVI file (RIFF header, one video stream, the frames
// as "00db" chunks and an index).
void writeTestMovie(const std::wstring& path);

// The first pin of the direction, with a reference, or null.
IPin* firstPin(IBaseFilter* filter, PIN_DIRECTION direction);
// A new instance of a filter class, added to the graph under name; null on failure.
IBaseFilter* addFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name);
// File Source (Async.) for path -> a splitter (the AVI Splitter unless
// named), both added to the graph. The splitter's video output pin, with a
// reference, or null.
IPin* movieVideoPin(IGraphBuilder* graph, const std::wstring& path, REFCLSID splitterClass = CLSID_AviSplitter);
// Takes the clock away, so the graph runs as fast as the filters go.
void runWithoutClock(IGraphBuilder* graph);
// Runs the graph until EC_COMPLETE, EC_ERRORABORT or EC_USERABORT or the
// time-out, then stops it. The event codes the application received.
std::vector<long> runAndCollectEvents(IGraphBuilder* graph, DWORD milliseconds = 10000);

}  // namespace qucap::dshowbase_test
