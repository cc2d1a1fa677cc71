#pragma once
// DirectShow headers for the media toolkit, and the published identifiers
// that the mingw-w64 headers and libraries lack, with the names the graphs
// give their filters.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

namespace qucap {

// Sample Grabber and Null Renderer (qedit.dll); the interfaces are in qedit.h.
// {C1F400A0-3F08-11D3-9F0B-006008039E37}
inline constexpr GUID kClsidSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
// {C1F400A4-3F08-11D3-9F0B-006008039E37}
inline constexpr GUID kClsidNullRenderer = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
// Wine's decoding splitter, used when the AVI Splitter cannot read a movie.
// {F9D8D64E-A144-47DC-8EE0-F53498372C29}
inline constexpr GUID kClsidGstreamerSplitter = {
    0xF9D8D64E, 0xA144, 0x47DC, {0x8E, 0xE0, 0xF5, 0x34, 0x98, 0x37, 0x2C, 0x29}};

// The planar 4:2:0 picture with the FOURCC 'I420' (the same layout as IYUV).
// {30323449-0000-0010-8000-00AA00389B71}
inline constexpr GUID kMediaSubtypeI420 = {0x30323449, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

inline constexpr wchar_t kSourceFilterName[] = L"Source Filter";
inline constexpr wchar_t kAviSplitterName[] = L"AVI Splitter";
inline constexpr wchar_t kGstreamerSplitterName[] = L"GStreamer splitter filter";
inline constexpr wchar_t kSampleGrabberName[] = L"Sample Grabber";
inline constexpr wchar_t kNullRendererName[] = L"Null Renderer";

}  // namespace qucap
