// The tests' lossless video encoder: its frame format round trip, its media
// types, its registration (for this process, and by its module; listed and
// created through the system device enumerator), and a real graph: pushed
// RGB32 frames -> encoder -> AVI Mux -> the program's file writer, whose AVI
// file holds frames that decode to the pushed pictures.
#include <windows.h>
#include <dshow.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/media/filter_graph.h"
#include "app/media/pins.h"
#include "app/media/sample_grabber.h"
#include "app/media/stream_file_writer.h"
#include "tests/support/test_encoder/encoder_filter.h"
#include "tests/support/test_encoder/pushed_frame_source.h"
#include "tests/support/test_encoder/test_encoder.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/filter_harness.h"
#include "tests/win/filter_module.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"
#include "win32/com_ptr.h"

namespace qucap::test {
namespace {

using Bytes = std::vector<uint8_t>;
using dshowbase_test::ComApartment;

Bytes solidPicture(uint32_t width, uint32_t rows, uint32_t colour) {
    Bytes picture(std::size_t(width) * rows * 4);
    for (std::size_t i = 0; i < picture.size(); i += 4) std::memcpy(&picture[i], &colour, 4);
    return picture;
}

Bytes noisePicture(uint32_t width, uint32_t rows, unsigned seed) {
    std::mt19937 random(seed);
    Bytes picture(std::size_t(width) * rows * 4);
    for (uint8_t& byte : picture) byte = uint8_t(random());
    return picture;
}

// Runs of every length around the longest run, broken by single pixels.
Bytes stripedPicture(uint32_t width, uint32_t rows) {
    Bytes picture = solidPicture(width, rows, 0x00102030);
    for (uint32_t y = 0; y < rows; ++y)
        for (uint32_t x = y * 7 % 5; x < width; x += 127 + y) picture[(y * width + x) * 4] = 0xFF;
    return picture;
}

Bytes asBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string frameHeader(uint32_t width, uint32_t rows) {
    std::string header = "QTLE";
    for (uint32_t value : {width, rows})
        for (int i = 0; i < 4; ++i) header += char(value >> (8 * i));
    return header;
}

TEST(TestEncoderFormat, PicturesComeBackByteForByte) {
    struct Case {
        const char* what;
        uint32_t width, rows;
        Bytes picture;
    };
    const Case cases[] = {
        {"solid, 7 wide", 7, 5, solidPicture(7, 5, 0x80FF4010)},
        {"noise, 13 wide", 13, 9, noisePicture(13, 9, 1)},
        {"noise, 1 pixel", 1, 1, noisePicture(1, 1, 2)},
        {"stripes over the longest run", 301, 6, stripedPicture(301, 6)},
        {"noise, 720 wide", 720, 4, noisePicture(720, 4, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes frame = encodeTestEncoderFrame(c.picture, c.width, c.rows);
        ASSERT_FALSE(frame.empty());
        EXPECT_LE(frame.size(), maxEncodedFrameSize(c.width, c.rows));
        EXPECT_EQ(decodeTestEncoderFrame(frame, int32_t(c.width), int32_t(c.rows)), c.picture);
        // A top-down picture's negative height names the same rows.
        EXPECT_EQ(decodeTestEncoderFrame(frame, int32_t(c.width), -int32_t(c.rows)), c.picture);
    }
}

TEST(TestEncoderFormat, FramesHaveTheDocumentedBytes) {
    // A A B in one row: a repeat run of two, then a literal run of one.
    const Bytes picture = {1, 2, 3, 4, 1, 2, 3, 4, 9, 8, 7, 6};
    EXPECT_EQ(encodeTestEncoderFrame(picture, 3, 1),
              asBytes(frameHeader(3, 1) + std::string("\x81\x01\x02\x03\x04\x00\x09\x08\x07\x06", 10)));
    // 129 equal pixels: the longest repeat run (128), then a run of one; each row on its own.
    const Bytes solid = solidPicture(129, 2, 0x04030201);
    const std::string row = std::string("\xFF\x01\x02\x03\x04\x00\x01\x02\x03\x04", 10);
    EXPECT_EQ(encodeTestEncoderFrame(solid, 129, 2), asBytes(frameHeader(129, 2) + row + row));
    // Solid pictures shrink to one run a row: 12 + 5 * (1 + 4) bytes.
    EXPECT_EQ(encodeTestEncoderFrame(solidPicture(7, 5, 7), 7, 5).size(), 37u);
    // The worst case: literal runs of 128 and one count byte each.
    EXPECT_EQ(maxEncodedFrameSize(129, 2), 12u + 2 * (2 + 129 * 4));
}

TEST(TestEncoderFormat, SizesOutsideTheFormatAreRefused) {
    EXPECT_EQ(maxEncodedFrameSize(0, 5), 0u);
    EXPECT_EQ(maxEncodedFrameSize(5, 0), 0u);
    EXPECT_EQ(maxEncodedFrameSize(kTestEncoderMaxSide + 1, 1), 0u);
    EXPECT_TRUE(encodeTestEncoderFrame(Bytes{}, 0, 0).empty());
    // A picture shorter than its size says is not read past its end.
    EXPECT_TRUE(encodeTestEncoderFrame(Bytes(15), 2, 2).empty());
    Bytes small(20);
    const Bytes picture = noisePicture(2, 2, 4);
    EXPECT_EQ(encodeTestEncoderFrame(picture.data(), 2, 2, small.data(), small.size()), 0u);
}

TEST(TestEncoderFormat, MalformedFramesDecodeToNothing) {
    const Bytes good = encodeTestEncoderFrame(stripedPicture(200, 3), 200, 3);
    ASSERT_FALSE(decodeTestEncoderFrame(good, 200, 3).empty());
    auto changed = [&](std::size_t at, uint8_t value) {
        Bytes frame = good;
        frame[at] = value;
        return frame;
    };
    Bytes truncated(good.begin(), good.end() - 1);
    Bytes trailing = good;
    trailing.push_back(0);
    // One row of 3 pixels holding a run of 4.
    const Bytes pastRowEnd = asBytes(frameHeader(3, 1) + std::string("\x83\x01\x02\x03\x04", 5));
    const struct {
        const char* what;
        Bytes frame;
        int32_t width, height;
    } cases[] = {
        {"wrong magic", changed(0, 'X'), 200, 3},
        {"other width", good, 201, 3},
        {"other height", good, 200, 4},
        {"no width", good, 0, 3},
        {"header only", Bytes(good.begin(), good.begin() + 12), 200, 3},
        {"a byte missing", truncated, 200, 3},
        {"a byte left over", trailing, 200, 3},
        {"a run past the row's end", pastRowEnd, 3, 1},
        {"nothing", Bytes{}, 200, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(decodeTestEncoderFrame(c.frame, c.width, c.height).empty());
    }
}

// The encoder filter on its own: which types it takes and offers.
struct TestEncoderTypes : ::testing::Test {
    ComApartment apartment;
    ComPtr<IBaseFilter> filter = ComPtr<IBaseFilter>::share(new TestLosslessEncoder(nullptr));
    TestLosslessEncoder& encoder() { return *static_cast<TestLosslessEncoder*>(filter.get()); }
    HRESULT checkInput(const CMediaType& type) { return encoder().CheckInputType(&type); }
};

TEST_F(TestEncoderTypes, TakesRgb32PicturesOfAnyWidthOnly) {
    EXPECT_EQ(checkInput(videoType(MEDIASUBTYPE_RGB32, 13, 7, 32)), S_OK);
    EXPECT_EQ(checkInput(videoType(MEDIASUBTYPE_RGB32, 13, -7, 32)), S_OK);
    const struct {
        const char* what;
        CMediaType type;
    } refused[] = {
        {"RGB24", videoType(MEDIASUBTYPE_RGB24, 12, 6, 24)},
        {"YUY2", videoType(MEDIASUBTYPE_YUY2, 12, 6, 16)},
        {"VIDEOINFOHEADER2", videoType(MEDIASUBTYPE_RGB32, 12, 6, 32, true)},
        {"no width", videoType(MEDIASUBTYPE_RGB32, 0, 6, 32)},
        {"no rows", videoType(MEDIASUBTYPE_RGB32, 12, 0, 32)},
        {"too wide", videoType(MEDIASUBTYPE_RGB32, int32_t(kTestEncoderMaxSide) + 1, 6, 32)},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(checkInput(c.type), VFW_E_TYPE_NOT_ACCEPTED);
    }
}

TEST_F(TestEncoderTypes, OffersTheFourccTypeTheAviMuxTakes) {
    CMediaType input = videoType(MEDIASUBTYPE_RGB32, 13, -7, 32);
    CMediaType output;
    ASSERT_EQ(testEncoderOutputType(input, output), S_OK);
    EXPECT_TRUE(IsEqualGUID(output.majortype, MEDIATYPE_Video));
    const GUID subtype = {0x454C5451, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    EXPECT_TRUE(IsEqualGUID(output.subtype, subtype));
    EXPECT_TRUE(IsEqualGUID(output.formattype, FORMAT_VideoInfo));
    EXPECT_FALSE(output.bTemporalCompression);
    EXPECT_FALSE(output.bFixedSizeSamples);
    EXPECT_EQ(output.lSampleSize, 0u);
    ASSERT_EQ(output.cbFormat, sizeof(VIDEOINFOHEADER));
    const VIDEOINFOHEADER& format = videoHeaderOf(output);
    EXPECT_EQ(format.AvgTimePerFrame, 333'667);
    EXPECT_EQ(format.bmiHeader.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(format.bmiHeader.biCompression, 0x454C5451u);  // 'QTLE'
    EXPECT_EQ(format.bmiHeader.biWidth, 13);
    EXPECT_EQ(format.bmiHeader.biHeight, -7);
    EXPECT_EQ(format.bmiHeader.biBitCount, 32);
    EXPECT_EQ(format.bmiHeader.biSizeImage, maxEncodedFrameSize(13, 7));
    EXPECT_EQ(encoder().CheckTransform(&input, &output), S_OK);

    CMediaType otherSize = output;
    reinterpret_cast<VIDEOINFOHEADER*>(otherSize.pbFormat)->bmiHeader.biWidth = 14;
    EXPECT_EQ(encoder().CheckTransform(&input, &otherSize), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(encoder().CheckTransform(&input, &input), VFW_E_TYPE_NOT_ACCEPTED);
}

// How many entries of the DirectShow filters category the device enumerator
// lists under the test encoder's friendly name, and the last one's moniker.
struct FilterCategory {
    int encoderEntries = 0;
    ComPtr<IMoniker> encoder;
};

FilterCategory listFilterCategory() {
    FilterCategory found;
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.putVoid())) ||
        devices->CreateClassEnumerator(CLSID_LegacyAmFilterCategory, monikers.put(), 0) != S_OK)
        return found;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.put(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.putVoid()))) continue;
        VARIANT name;
        VariantInit(&name);
        if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR &&
            std::wstring(name.bstrVal) == kTestEncoderName) {
            ++found.encoderEntries;
            found.encoder = moniker;
        }
        VariantClear(&name);
    }
    return found;
}

struct TestEncoderRegistrationTest : ::testing::Test {
    ComApartment apartment;
};

TEST_F(TestEncoderRegistrationTest, TheDeviceEnumeratorListsItAndItsMonikerCreatesIt) {
    {
        TestEncoderRegistration registration;
        ASSERT_EQ(registration.result(), S_OK);
        // Registering again keeps one entry.
        ASSERT_EQ(registerTestEncoder(), S_OK);
        FilterCategory category = listFilterCategory();
        ASSERT_EQ(category.encoderEntries, 1);
        ComPtr<IBaseFilter> filter;
        ASSERT_EQ(category.encoder->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.putVoid()), S_OK);
        CLSID classId = {};
        ASSERT_EQ(filter->GetClassID(&classId), S_OK);
        EXPECT_TRUE(IsEqualCLSID(classId, kClsidTestEncoder));
        ComPtr<IPin> input;
        EXPECT_EQ(filter->FindPin(L"XForm In", input.put()), S_OK);
    }
    EXPECT_EQ(listFilterCategory().encoderEntries, 0);
    ComPtr<IBaseFilter> gone;
    EXPECT_EQ(CoCreateInstance(kClsidTestEncoder, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, gone.putVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(unregisterTestEncoder(), S_OK);  // nothing left to remove
}

std::u16string inprocServerOf(REFCLSID clsid) {
    WCHAR id[40] = {};
    StringFromGUID2(clsid, id, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + id + L"\\InprocServer32";
    WCHAR path[MAX_PATH] = {};
    DWORD bytes = sizeof path;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) != ERROR_SUCCESS)
        return u"<none>";
    return reinterpret_cast<const char16_t*>(path);
}

TEST_F(TestEncoderRegistrationTest, TheModuleRegistersItForEveryProcessAndRemovesIt) {
    const std::u16string path = windowsPathOf(QUCAP_TEST_ENCODER_MODULE);
    struct LoadedModule {
        HMODULE handle;
        ~LoadedModule() {
            if (handle) FreeLibrary(handle);
        }
    } loaded{LoadLibraryW(wide(path))};
    const HMODULE module = loaded.handle;
    ASSERT_NE(module, nullptr);
    auto entry = [&](const char* name) {
        return reinterpret_cast<ModuleFunction>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    };
    const ModuleFunction registerServer = entry("DllRegisterServer");
    const ModuleFunction unregisterServer = entry("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    ASSERT_EQ(registerServer(), S_OK);
    // Unregistered (before the module is freed) even when a check below
    // stops the test; a second unregistering finds nothing and succeeds.
    struct UnregisterAtEnd {
        ModuleFunction unregister;
        ~UnregisterAtEnd() { unregister(); }
    } cleanup{unregisterServer};
    EXPECT_EQ(inprocServerOf(kClsidTestEncoder), path);
    {
        FilterCategory category = listFilterCategory();
        ASSERT_EQ(category.encoderEntries, 1);
        ComPtr<IBaseFilter> filter;
        EXPECT_EQ(category.encoder->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.putVoid()), S_OK);
        CLSID classId = {};
        EXPECT_TRUE(filter && SUCCEEDED(filter->GetClassID(&classId)) && IsEqualCLSID(classId, kClsidTestEncoder));
    }
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(inprocServerOf(kClsidTestEncoder), u"<none>");
    EXPECT_EQ(listFilterCategory().encoderEntries, 0);
}

constexpr int32_t kWidth = 13;
constexpr int32_t kRows = 7;
constexpr REFERENCE_TIME kFrameTime = 400'000;

// Pushed RGB32 frames -> the encoder, created through its moniker -> what
// the derived fixture puts after it.
struct PushedEncoderGraph : ::testing::Test {
    ComApartment apartment;
    TestEncoderRegistration registration;
    FilterGraph graph;
    PushedFrameSource* source = nullptr;
    ComPtr<IBaseFilter> encoder;

    void addSourceAndEncoder() {
        ASSERT_EQ(registration.result(), S_OK);
        ASSERT_EQ(graph.createGraph(), 0);
        CMediaType type = videoType(MEDIASUBTYPE_RGB32, kWidth, kRows, 32);
        reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->AvgTimePerFrame = kFrameTime;
        source = new PushedFrameSource(type);
        ASSERT_EQ(graph.addFilter(source, L"Pushed Frames"), S_OK);
        FilterCategory category = listFilterCategory();
        ASSERT_TRUE(category.encoder);
        ASSERT_EQ(category.encoder->BindToObject(nullptr, nullptr, IID_IBaseFilter, encoder.putVoid()), S_OK);
        ASSERT_EQ(graph.addFilter(encoder.get(), kTestEncoderName), S_OK);
    }

    void connect(IBaseFilter* from, IBaseFilter* to) {
        ComPtr<IPin> out = findFreePin(from, PINDIR_OUTPUT);
        ComPtr<IPin> in = findFreePin(to, PINDIR_INPUT);
        ASSERT_TRUE(out && in);
        ASSERT_EQ(graph.graph()->ConnectDirect(out.get(), in.get(), nullptr), S_OK);
    }

    // The frames pushed in (every second one not a sync point), then end of
    // stream; the graph stopped once it has completed.
    void pushAll(const std::vector<Bytes>& frames) {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const REFERENCE_TIME start = REFERENCE_TIME(i) * kFrameTime;
            EXPECT_EQ(source->push(frames[i], start, start + kFrameTime, i % 2 == 0), S_OK);
        }
        EXPECT_EQ(source->endOfStream(), S_OK);
        long code = 0;
        EXPECT_EQ(graph.events()->WaitForCompletion(10'000, &code), S_OK);
        EXPECT_EQ(code, EC_COMPLETE);
        EXPECT_EQ(graph.stop(), S_OK);
    }

    const std::vector<Bytes> frames = {
        solidPicture(kWidth, kRows, 0x00FF0000), noisePicture(kWidth, kRows, 5), stripedPicture(kWidth, kRows),
        solidPicture(kWidth, kRows, 0x00000000), noisePicture(kWidth, kRows, 6),
    };
};

// ... -> AVI Mux (full interleaving, the mode Wine's runs in) -> the
// program's file writer.
struct EncoderGraph : PushedEncoderGraph {
    TempFolder folder;
    const std::u16string path = folder / u"encoded.avi";
    StreamFileWriter* writer = nullptr;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(addSourceAndEncoder());
        ComPtr<IBaseFilter> writerFilter, mux;
        writer = StreamFileWriter::create(writerFilter);
        ASSERT_TRUE(writer);
        ASSERT_EQ(writer->SetFileName(wide(path), nullptr), S_OK);
        ASSERT_EQ(graph.addFilter(writerFilter.get(), kStreamFileWriterName), S_OK);
        ASSERT_EQ(graph.addNewFilter(CLSID_AviDest, L"AVI Mux", mux), S_OK);
        ComPtr<IConfigInterleaving> interleaving;
        ASSERT_EQ(mux.query(IID_IConfigInterleaving, interleaving), S_OK);
        ASSERT_EQ(interleaving->put_Mode(INTERLEAVE_FULL), S_OK);

        // The mux's output first: Wine's AVI Mux reconnects its connected
        // inputs when its output connects, and crashes doing so.
        ASSERT_NO_FATAL_FAILURE(connect(mux.get(), writerFilter.get()));
        ASSERT_NO_FATAL_FAILURE(connect(source, encoder.get()));
        ASSERT_NO_FATAL_FAILURE(connect(encoder.get(), mux.get()));
        ASSERT_EQ(graph.removeClock(), S_OK);
        ASSERT_EQ(graph.run(), S_OK);
    }

    // The AVI file, once written.
    std::string render() {
        pushAll(frames);
        EXPECT_EQ(writer->finish(), S_OK);
        return fileBytes(path);
    }
};

// What the Sample Grabber saw of each encoded sample.
class EncodedSamples : public ISampleGrabberCB {
public:
    struct Sample {
        bool syncPoint;
        Bytes bytes;
    };
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ISampleGrabberCB)) return E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return S_OK;
        samples.push_back({sample->IsSyncPoint() == S_OK, Bytes(data, data + sample->GetActualDataLength())});
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    // Written on the streaming thread, read once the graph has stopped.
    std::vector<Sample> samples;
};

// ... -> Sample Grabber -> Null Renderer, to see the samples themselves.
struct EncoderToGrabber : PushedEncoderGraph {
    EncodedSamples grabbed;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(addSourceAndEncoder());
        ComPtr<IBaseFilter> grabberFilter, renderer;
        ComPtr<ISampleGrabber> grabber;
        ASSERT_EQ(addVideoSampleGrabber(graph, grabberFilter, grabber), S_OK);
        ASSERT_EQ(grabber->SetCallback(&grabbed, 0), S_OK);
        ASSERT_EQ(graph.addNewFilter(kClsidNullRenderer, kNullRendererName, renderer), S_OK);
        ASSERT_NO_FATAL_FAILURE(connect(source, encoder.get()));
        ASSERT_NO_FATAL_FAILURE(connect(encoder.get(), grabberFilter.get()));
        ASSERT_NO_FATAL_FAILURE(connect(grabberFilter.get(), renderer.get()));
        // S_FALSE: the renderer completes its start with the first sample.
        ASSERT_EQ(graph.removeClock(), S_OK);
        ASSERT_TRUE(SUCCEEDED(graph.run()));
    }
};

TEST_F(EncoderToGrabber, EverySampleIsAKeyFrameOfItsOwnSize) {
    pushAll(frames);
    ASSERT_EQ(grabbed.samples.size(), frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(grabbed.samples[i].syncPoint);
        EXPECT_EQ(grabbed.samples[i].bytes, encodeTestEncoderFrame(frames[i], kWidth, kRows));
    }
}

// AVIIF_KEYFRAME, the index entry's flag of a key frame.
constexpr uint32_t kAviKeyFrame = 0x10;

uint32_t little32(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
}

TEST_F(EncoderGraph, TheAviFileHoldsFramesThatDecodeToThePushedPictures) {
    const std::string file = render();
    ASSERT_EQ(file.compare(0, 4, "RIFF"), 0);
    ASSERT_EQ(file.compare(8, 4, "AVI "), 0);
    // The main header counts the frames; the video stream's header and
    // format name the FOURCC. (Wine's AVI Splitter cannot read the file
    // back: it passes on only formats GStreamer knows.)
    const std::size_t header = file.find("avih");
    ASSERT_NE(header, std::string::npos);
    EXPECT_EQ(little32(file, header + 8 + 16), frames.size());
    const std::size_t stream = file.find("strh");
    ASSERT_NE(stream, std::string::npos);
    EXPECT_EQ(file.substr(stream + 8, 8), "vidsQTLE");
    const std::size_t format = file.find("strf");
    ASSERT_NE(format, std::string::npos);
    EXPECT_EQ(little32(file, format + 8 + 4), uint32_t(kWidth));
    EXPECT_EQ(little32(file, format + 8 + 16), kTestEncoderFourcc);

    const std::vector<std::string> chunks = aviVideoChunks(path);
    ASSERT_EQ(chunks.size(), frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(decodeTestEncoderFrame(chunks[i], kWidth, kRows), frames[i]);
    }
    // Solid frames are stored compressed: one run a row.
    EXPECT_EQ(chunks[0].size(), kTestEncoderHeaderSize + kRows * 5);

    // Every frame is a key frame in the index.
    const std::size_t index = file.find("idx1");
    ASSERT_NE(index, std::string::npos);
    int keyFrames = 0;
    for (std::size_t at = index + 8; at + 16 <= file.size(); at += 16) {
        if (file.compare(at, 4, "00db") != 0 && file.compare(at, 4, "00dc") != 0) continue;
        EXPECT_EQ(little32(file, at + 4) & kAviKeyFrame, kAviKeyFrame);
        ++keyFrames;
    }
    EXPECT_EQ(keyFrames, int(frames.size()));
}

TEST_F(EncoderGraph, AShortPictureIsRefusedNotEncoded) {
    const Bytes whole = noisePicture(kWidth, kRows, 7);
    const Bytes shortPicture(whole.begin(), whole.end() - 4);
    EXPECT_EQ(source->push(shortPicture, 0, kFrameTime), VFW_E_BUFFER_UNDERFLOW);
    EXPECT_EQ(graph.stop(), S_OK);
}

}  // namespace
}  // namespace qucap::test
