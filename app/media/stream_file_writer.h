#pragma once
// The program's own file writer: a sink filter whose one input pin takes a
// byte stream (MEDIATYPE_Stream) and writes it into a file. The pin offers
// IStream, through which a multiplexer writes and seeks (the only way Wine's
// AVI Mux writes), and it also takes samples whose start time is the byte
// offset of their data, as the system's File Writer does.
//
// The file is created (replacing one of that name) when the graph first
// leaves Stopped and stays open until finish() or the filter's end: a
// multiplexer writes its headers while it stops, which may come after this
// filter has stopped.
#include <windows.h>
#include <dshow.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/core/media/block_writer.h"
#include "dshowbase/base_filter.h"
#include "dshowbase/base_input_pin.h"
#include "win32/com_ptr.h"

namespace qucap {

// {8B1F4C52-6D3E-4A7B-9C20-5E4F3A1D7B68}
inline constexpr GUID kClsidStreamFileWriter = {0x8B1F4C52, 0x6D3E, 0x4A7B, {0x9C, 0x20, 0x5E, 0x4F, 0x3A, 0x1D, 0x7B, 0x68}};
inline constexpr wchar_t kStreamFileWriterName[] = L"File Writer";

class StreamFileWriter;

// What the writer did with its file: the writes it was given, the calls
// that reached the system and, when asked for (the synthesis benchmark), the
// time spent in them.
struct FileWriteStats {
    int64_t streamWrites = 0;  // the multiplexer's writes and samples
    int64_t systemWrites = 0;
    int64_t seeks = 0;
    int64_t bytes = 0;
    int64_t ioTicks = 0;  // QueryPerformanceCounter units, when timed
};

// The file's side of the block writer: positioned writes to the system.
class FileBlockSink final : public BlockSink {
public:
    bool writeAt(uint64_t offset, const uint8_t* data, std::size_t size) override;
    HANDLE file = INVALID_HANDLE_VALUE;
    bool timed = false;
    HRESULT lastFailure = S_OK;  // of the write that failed
    FileWriteStats stats;
};

// The open file and the position of the next write. Its calls are
// serialised by the writer's lock.
class StreamFileWriterPin : public CBaseInputPin, public IStream {
public:
    StreamFileWriterPin(StreamFileWriter* writer, CCritSec* lock);
    ~StreamFileWriterPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // Byte streams only, of any subtype.
    HRESULT CheckMediaType(const CMediaType* type) override;
    // Creates the file when the graph starts.
    HRESULT Active() override;
    // Writes the sample's bytes at the offset its start time gives.
    STDMETHODIMP Receive(IMediaSample* sample) override;
    // Tells the graph the stream is complete: at once while running, else
    // when the graph runs again, as a renderer does (a graph that runs after
    // a pause counts its renderers' completions anew).
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    // Whether the stream has ended since the graph last left Stopped or flushed.
    bool streamEnded() const { return streamEnded_; }
    void forgetEndOfStream() { streamEnded_ = false; }

    // ISequentialStream / IStream: what a multiplexer needs of a file.
    STDMETHODIMP Read(void* data, ULONG size, ULONG* read) override;
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override;
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

    // Writes what is gathered and closes the file; later writes fail. S_OK,
    // or the failure of a write or of the close.
    HRESULT closeFile();
    bool fileOpen() const { return sink_.file != INVALID_HANDLE_VALUE; }
    FileWriteStats stats() const { return sink_.stats; }
    // Whether the system calls are timed (off unless a benchmark asks).
    void timeSystemCalls(bool timed) { sink_.timed = timed; }

private:
    HRESULT writeAt(uint64_t offset, const void* data, ULONG size);
    // Writes what is gathered, before the file is read, sized or closed.
    HRESULT flushBlocks();

    StreamFileWriter* writer_;
    CCritSec fileLock_;  // the streaming thread writes while the user's thread may close
    FileBlockSink sink_;
    std::optional<BlockWriter> blocks_;  // made with each new file
    uint64_t position_ = 0;  // of the IStream's next read or write
    bool streamEnded_ = false;
};

class StreamFileWriter : public CBaseFilter, public IFileSinkFilter, public IAMFilterMiscFlags {
public:
    // A new writer (its file named by SetFileName), with the caller's reference in `filter`; the
    // returned pointer stays valid as long as that reference is held.
    static StreamFileWriter* create(ComPtr<IBaseFilter>& filter);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID iid, void** object) override;

    // Leaving Stopped starts a new stream; running again after the stream
    // ended reports the completion again.
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    // Whether the graph is running, for the pin's end of stream.
    bool running() const { return m_State == State_Running; }

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? &pin_ : nullptr; }

    // IFileSinkFilter: the file to write (the media type is not used).
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;
    // IAMFilterMiscFlags: a renderer, so the graph waits for its end of stream.
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

    // Closes the file after the graph has stopped: everything the
    // multiplexer wrote is then on disk.
    HRESULT finish() { return pin_.closeFile(); }
    FileWriteStats stats() const { return pin_.stats(); }
    void timeSystemCalls(bool timed) { pin_.timeSystemCalls(timed); }
    const std::u16string& fileName() const { return fileName_; }

private:
    StreamFileWriter();

    CCritSec filterLock_;
    StreamFileWriterPin pin_;
    std::u16string fileName_;
};

}  // namespace qucap
