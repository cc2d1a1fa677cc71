// The own file writer that stands in for the system's under Wine: the
// IStream its input pin offers to a multiplexer, the file it creates when
// the graph starts, and its refusals before and after.
#include "app/media/stream_file_writer.h"

#include <gtest/gtest.h>

#include "app/media/com_apartment.h"
#include "app/media/filter_graph.h"
#include "tests/win/temp_folder.h"

namespace qucap::test {
namespace {

struct StreamFileWriterFile : ::testing::Test {
    ComApartment com;
    TempFolder folder;
    std::u16string path = folder / u"書き込み.avi";
    ComPtr<IBaseFilter> filter;
    StreamFileWriter* writer = StreamFileWriter::create(filter);
    ComPtr<IStream> stream;

    void SetUp() override {
        ASSERT_TRUE(com.ready());
        ASSERT_NE(writer, nullptr);
        ComPtr<IPin> pin;
        ASSERT_EQ(filter->FindPin(L"Input", pin.put()), S_OK);
        ASSERT_EQ(pin.query(IID_IStream, stream), S_OK);
    }

    // What the graph does when it leaves Stopped.
    HRESULT start() { return static_cast<StreamFileWriterPin*>(writer->GetPin(0))->Active(); }

    HRESULT seek(LONGLONG offset, DWORD origin, ULONGLONG* reached = nullptr) {
        LARGE_INTEGER move;
        move.QuadPart = offset;
        ULARGE_INTEGER at{};
        const HRESULT hr = stream->Seek(move, origin, &at);
        if (reached) *reached = at.QuadPart;
        return hr;
    }
    HRESULT write(std::string_view bytes) {
        ULONG written = 0;
        const HRESULT hr = stream->Write(bytes.data(), ULONG(bytes.size()), &written);
        EXPECT_EQ(written, SUCCEEDED(hr) ? bytes.size() : 0u);
        return hr;
    }
};

TEST_F(StreamFileWriterFile, WritesAndSeeksAsAMultiplexerDoesAndKeepsTheFileOpenUntilFinish) {
    ASSERT_EQ(writer->SetFileName(wide(path), nullptr), S_OK);
    putFile(path, "an older file that is longer than the new one");
    ASSERT_EQ(start(), S_OK);
    STATSTG created{};
    ASSERT_EQ(stream->Stat(&created, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(created.cbSize.QuadPart, 0u) << "the file is created anew";
    // A header left blank, the data, then the header written over it.
    ASSERT_EQ(write("....data"), S_OK);
    ULONGLONG reached = 0;
    ASSERT_EQ(seek(0, STREAM_SEEK_CUR, &reached), S_OK);
    EXPECT_EQ(reached, 8u);
    ASSERT_EQ(seek(0, STREAM_SEEK_SET), S_OK);
    ASSERT_EQ(write("RIFF"), S_OK);
    ASSERT_EQ(seek(-2, STREAM_SEEK_END, &reached), S_OK);
    EXPECT_EQ(reached, 6u);
    char tail[2] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(tail, 2, &read), S_OK);
    EXPECT_EQ(std::string(tail, read), "ta");
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 8u);
    ULARGE_INTEGER size;
    size.QuadPart = 6;
    ASSERT_EQ(stream->SetSize(size), S_OK);
    // A second start of the graph goes on with the same file.
    ASSERT_EQ(start(), S_OK);
    EXPECT_EQ(writer->SetFileName(wide(path), nullptr), VFW_E_WRONG_STATE) << "no other file while one is open";
    ASSERT_EQ(writer->finish(), S_OK);
    EXPECT_EQ(fileBytes(path), "RIFFda");
    // The data gathered until the header was written over it, then the header.
    EXPECT_EQ(writer->stats().streamWrites, 2);
    EXPECT_EQ(writer->stats().systemWrites, 2);
    EXPECT_EQ(writer->stats().ioTicks, 0) << "not timed unless asked";
    EXPECT_EQ(write("more"), E_UNEXPECTED) << "nothing is written after finish";
}

TEST_F(StreamFileWriterFile, WithoutAFileOrAWritableFolderTheGraphCannotStart) {
    EXPECT_EQ(start(), E_UNEXPECTED);
    EXPECT_EQ(write("data"), E_UNEXPECTED);
    EXPECT_EQ(seek(0, STREAM_SEEK_SET), E_UNEXPECTED);
    ASSERT_EQ(writer->SetFileName(wide(folder / u"無い\\出力.avi"), nullptr), S_OK);
    EXPECT_EQ(start(), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(StreamFileWriterFile, TakesByteStreamsOnlyAndTellsItsFileAndThatItRenders) {
    CMediaType stream;
    stream.SetType(&MEDIATYPE_Stream);
    stream.SetSubtype(&MEDIASUBTYPE_Avi);
    CMediaType video;
    video.SetType(&MEDIATYPE_Video);
    auto* pin = static_cast<StreamFileWriterPin*>(writer->GetPin(0));
    EXPECT_EQ(pin->CheckMediaType(&stream), S_OK);
    EXPECT_EQ(pin->CheckMediaType(&video), VFW_E_TYPE_NOT_ACCEPTED);

    ComPtr<IFileSinkFilter> sink;
    ASSERT_EQ(filter.query(IID_IFileSinkFilter, sink), S_OK);
    LPOLESTR name = nullptr;
    EXPECT_EQ(sink->GetCurFile(&name, nullptr), E_FAIL);
    ASSERT_EQ(sink->SetFileName(wide(path), nullptr), S_OK);
    ASSERT_EQ(sink->GetCurFile(&name, nullptr), S_OK);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name)), path);
    CoTaskMemFree(name);

    ComPtr<IAMFilterMiscFlags> flags;
    ASSERT_EQ(filter.query(IID_IAMFilterMiscFlags, flags), S_OK);
    EXPECT_EQ(flags->GetMiscFlags(), ULONG(AM_FILTER_MISC_FLAGS_IS_RENDERER));
}

// A renderer's end of stream: told to the graph at once while running;
// reached while paused, it is told when the graph runs again, so a synthesis
// paused just as its stream ended still completes after it is resumed.
TEST_F(StreamFileWriterFile, AnEndOfStreamReachedWhilePausedIsToldWhenTheGraphRunsAgain) {
    FilterGraph graph;
    ASSERT_EQ(graph.createGraph(), 0);
    ASSERT_EQ(graph.addFilter(filter.get(), kStreamFileWriterName), S_OK);
    // The writer's own completions reach the test, not the graph's count.
    ASSERT_EQ(graph.events()->CancelDefaultHandling(EC_COMPLETE), S_OK);
    const auto completions = [&] {
        int count = 0;
        long code = 0;
        LONG_PTR first = 0, second = 0;
        while (graph.events()->GetEvent(&code, &first, &second, 0) == S_OK) {
            if (code == EC_COMPLETE) ++count;
            graph.events()->FreeEventParams(code, first, second);
        }
        return count;
    };
    ASSERT_EQ(writer->SetFileName(wide(path), nullptr), S_OK);
    ComPtr<IPin> pin;
    ASSERT_EQ(filter->FindPin(L"Input", pin.put()), S_OK);

    ASSERT_EQ(filter->Pause(), S_OK);
    ASSERT_EQ(pin->EndOfStream(), S_OK);
    EXPECT_EQ(completions(), 0) << "not while paused";
    ASSERT_EQ(filter->Run(0), S_OK);
    EXPECT_EQ(completions(), 1) << "told when running";
    ASSERT_EQ(filter->Pause(), S_OK);
    ASSERT_EQ(filter->Run(0), S_OK);
    EXPECT_EQ(completions(), 1) << "and again each time the graph runs after the end";
    ASSERT_EQ(filter->Stop(), S_OK);
    ASSERT_EQ(filter->Pause(), S_OK);
    ASSERT_EQ(filter->Run(0), S_OK);
    EXPECT_EQ(completions(), 0) << "a new start has a new stream";
    ASSERT_EQ(pin->EndOfStream(), S_OK);
    EXPECT_EQ(completions(), 1) << "at once while running";
    ASSERT_EQ(filter->Stop(), S_OK);
    graph.releaseGraph();
    ASSERT_EQ(writer->finish(), S_OK);
}

}  // namespace
}  // namespace qucap::test
