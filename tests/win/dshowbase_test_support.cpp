#include "tests/win/dshowbase_test_support.h"

#include <cstdint>
#include <cstring>

#include "dshowbase/media_type.h"

namespace qucap::dshowbase_test {
namespace {

void put32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

void put16(std::string& out, uint16_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void putFourCc(std::string& out, const char* code) { out.append(code, 4); }

// A chunk: its code, its size and its bytes, padded to an even length.
std::string chunk(const char* code, const std::string& body) {
    std::string out;
    putFourCc(out, code);
    put32(out, uint32_t(body.size()));
    out += body;
    if (body.size() % 2) out.push_back('\0');
    return out;
}

std::string list(const char* type, const std::string& body) {
    std::string content(type, 4);
    content += body;
    return chunk("LIST", content);
}

std::string frameBytes(int frame) {
    std::string bytes(kInputStride * kHeight, '\0');
    for (int i = 0; i < int(bytes.size()); ++i) bytes[i] = char(movieByte(frame, i));
    return bytes;
}

}  // namespace

unsigned char movieByte(int frame, int offset) { return (unsigned char)((frame * 16 + offset * 7) % 251); }

int frameOfFirstByte(unsigned char value) { return value / 16; }

void writeTestMovie(const std::wstring& path) {
    const uint32_t frameSize = kInputStride * kHeight;
    std::string avih;
    put32(avih, 40000);  // microseconds per frame
    put32(avih, frameSize * 25);
    put32(avih, 0);
    put32(avih, 0x10);  // AVIF_HASINDEX
    put32(avih, kFrames);
    put32(avih, 0);
    put32(avih, 1);  // streams
    put32(avih, frameSize);
    put32(avih, kWidth);
    put32(avih, kHeight);
    for (int i = 0; i < 4; ++i) put32(avih, 0);

    std::string strh;
    putFourCc(strh, "vids");
    putFourCc(strh, "DIB ");
    put32(strh, 0);  // flags
    put16(strh, 0);  // priority
    put16(strh, 0);  // language
    put32(strh, 0);  // initial frames
    put32(strh, 1);  // scale
    put32(strh, 25);  // rate
    put32(strh, 0);  // start
    put32(strh, kFrames);
    put32(strh, frameSize);
    put32(strh, 0xFFFFFFFF);  // quality
    put32(strh, 0);  // sample size
    put16(strh, 0);
    put16(strh, 0);
    put16(strh, kWidth);
    put16(strh, kHeight);

    std::string strf;
    put32(strf, 40);
    put32(strf, kWidth);
    put32(strf, kHeight);  // positive: bottom-up
    put16(strf, 1);
    put16(strf, 24);
    put32(strf, 0);  // BI_RGB
    put32(strf, frameSize);
    for (int i = 0; i < 4; ++i) put32(strf, 0);

    const std::string header = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));

    std::string movi;
    std::string index;
    for (int frame = 0; frame < kFrames; ++frame) {
        putFourCc(index, "00db");
        put32(index, 0x10);  // AVIIF_KEYFRAME
        put32(index, uint32_t(4 + movi.size()));  // from the "movi" code
        put32(index, frameSize);
        movi += chunk("00db", frameBytes(frame));
    }
    std::string riff("AVI ", 4);
    riff += header + list("movi", movi) + chunk("idx1", index);
    const std::string bytes = chunk("RIFF", riff);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

namespace {

// The first pin of the filter that `wanted` takes, with a reference, or null.
template <class Wanted>
IPin* firstPinWhere(IBaseFilter* filter, Wanted wanted) {
    IEnumPins* pins = nullptr;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    IPin* pin = nullptr;
    IPin* found = nullptr;
    while (!found && pins->Next(1, &pin, nullptr) == S_OK) {
        if (wanted(pin))
            found = pin;
        else
            pin->Release();
    }
    pins->Release();
    return found;
}

bool isDirection(IPin* pin, PIN_DIRECTION direction) {
    PIN_DIRECTION d;
    return SUCCEEDED(pin->QueryDirection(&d)) && d == direction;
}

// An output pin whose first media type is video.
bool isVideoOutput(IPin* pin) {
    IEnumMediaTypes* types = nullptr;
    AM_MEDIA_TYPE* type = nullptr;
    const bool video = isDirection(pin, PINDIR_OUTPUT) && SUCCEEDED(pin->EnumMediaTypes(&types)) &&
                       types->Next(1, &type, nullptr) == S_OK && IsEqualGUID(type->majortype, MEDIATYPE_Video);
    if (type) DeleteMediaType(type);
    if (types) types->Release();
    return video;
}

}  // namespace

IPin* firstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    return firstPinWhere(filter, [&](IPin* pin) { return isDirection(pin, direction); });
}

IBaseFilter* addFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name) {
    IBaseFilter* filter = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(&filter))))
        return nullptr;
    if (FAILED(graph->AddFilter(filter, name))) {
        filter->Release();
        return nullptr;
    }
    return filter;
}

IPin* movieVideoPin(IGraphBuilder* graph, const std::wstring& path, REFCLSID splitterClass) {
    IBaseFilter* source = addFilter(graph, CLSID_AsyncReader, L"File Source");
    IBaseFilter* splitter = addFilter(graph, splitterClass, L"Splitter");
    IPin* video = nullptr;
    IFileSourceFilter* file = nullptr;
    if (source && splitter &&
        SUCCEEDED(source->QueryInterface(IID_IFileSourceFilter, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path.c_str(), nullptr))) {
        IPin* out = firstPin(source, PINDIR_OUTPUT);
        IPin* in = firstPin(splitter, PINDIR_INPUT);
        if (out && in && SUCCEEDED(graph->ConnectDirect(out, in, nullptr))) video = firstPinWhere(splitter, isVideoOutput);
        if (out) out->Release();
        if (in) in->Release();
    }
    if (file) file->Release();
    if (source) source->Release();
    if (splitter) splitter->Release();
    return video;
}

void runWithoutClock(IGraphBuilder* graph) {
    IMediaFilter* timing = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&timing)))) {
        timing->SetSyncSource(nullptr);
        timing->Release();
    }
}

std::vector<long> runAndCollectEvents(IGraphBuilder* graph, DWORD milliseconds) {
    std::vector<long> codes;
    IMediaControl* control = nullptr;
    IMediaEvent* events = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control))) &&
        SUCCEEDED(graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events))) &&
        SUCCEEDED(control->Run())) {
        const DWORD start = GetTickCount();
        bool ended = false;
        while (!ended && GetTickCount() - start < milliseconds) {
            long code = 0;
            LONG_PTR first = 0, second = 0;
            if (events->GetEvent(&code, &first, &second, 20) != S_OK) continue;
            codes.push_back(code);
            events->FreeEventParams(code, first, second);
            ended = code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT;
        }
        control->Stop();
    }
    if (events) events->Release();
    if (control) control->Release();
    return codes;
}

}  // namespace qucap::dshowbase_test
