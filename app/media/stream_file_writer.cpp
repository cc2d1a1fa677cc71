#include "app/media/stream_file_writer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include "win32/wide.h"

namespace qucap {
namespace {

HRESULT lastError() { return HRESULT_FROM_WIN32(GetLastError()); }

// Adds the time of one call to the system to the writer's account, when
// the writer is timed.
class IoTimer {
public:
    IoTimer(bool timed, int64_t& ticks) : ticks_(timed ? &ticks : nullptr) {
        if (ticks_) QueryPerformanceCounter(&start_);
    }
    ~IoTimer() {
        if (!ticks_) return;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        *ticks_ += end.QuadPart - start_.QuadPart;
    }
    IoTimer(const IoTimer&) = delete;
    IoTimer& operator=(const IoTimer&) = delete;

private:
    int64_t* ticks_;
    LARGE_INTEGER start_{};
};

// The most one call to the system is given: the whole blocks of a larger
// write go in parts.
constexpr std::size_t kLargestCall = std::size_t(1) << 30;

}  // namespace

StreamFileWriterPin::StreamFileWriterPin(StreamFileWriter* writer, CCritSec* lock)
    : CBaseInputPin(writer, lock, L"Input"), writer_(writer) {}

StreamFileWriterPin::~StreamFileWriterPin() { closeFile(); }

STDMETHODIMP StreamFileWriterPin::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IStream) || IsEqualIID(iid, IID_ISequentialStream))
        return GetInterface(static_cast<IStream*>(this), object);
    return CBaseInputPin::NonDelegatingQueryInterface(iid, object);
}

HRESULT StreamFileWriterPin::CheckMediaType(const CMediaType* type) {
    return IsEqualGUID(type->majortype, MEDIATYPE_Stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT StreamFileWriterPin::Active() {
    CAutoLock lock(&fileLock_);
    if (fileOpen()) return S_OK;  // a graph started again goes on with the same file
    if (writer_->fileName().empty()) return E_UNEXPECTED;
    // Opened, and emptied only when it holds bytes: Wine truncates a file it
    // creates "always", and Linux (ext4) writes back a file truncated in its
    // life at its close, which then waits 0.2 s per gigabyte written.
    sink_.file = CreateFileW(wide(writer_->fileName()), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!fileOpen()) return lastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(sink_.file, &size) || (size.QuadPart > 0 && !SetEndOfFile(sink_.file))) {
        const HRESULT hr = lastError();
        CloseHandle(sink_.file);
        sink_.file = INVALID_HANDLE_VALUE;
        return hr;
    }
    sink_.lastFailure = S_OK;
    blocks_.emplace(sink_);
    position_ = 0;
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::Receive(IMediaSample* sample) {
    HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    REFERENCE_TIME offset = 0, end = 0;
    if (FAILED(sample->GetTime(&offset, &end))) return VFW_E_SAMPLE_TIME_NOT_SET;
    BYTE* data = nullptr;
    hr = sample->GetPointer(&data);
    if (FAILED(hr)) return hr;
    const long length = sample->GetActualDataLength();
    if (length < 0) return E_UNEXPECTED;
    CAutoLock lock(&fileLock_);
    hr = offset < 0 ? E_INVALIDARG : writeAt(uint64_t(offset), data, ULONG(length));
    if (FAILED(hr)) {
        // A disk that fills up ends the stream with an error the graph reports.
        m_bRunTimeError = TRUE;
        m_pFilter->NotifyEvent(EC_ERRORABORT, hr, 0);
    }
    return hr;
}

STDMETHODIMP StreamFileWriterPin::EndOfStream() {
    CAutoLock lock(writer_->pStateLock());
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    streamEnded_ = true;
    return writer_->running() ? m_pFilter->NotifyEvent(EC_COMPLETE, S_OK, 0) : S_OK;
}

STDMETHODIMP StreamFileWriterPin::BeginFlush() {
    forgetEndOfStream();
    return CBaseInputPin::BeginFlush();
}

bool FileBlockSink::writeAt(uint64_t offset, const uint8_t* data, std::size_t size) {
    const IoTimer timer(timed, stats.ioTicks);
    while (size > 0) {
        // A positioned write: the offset goes with the call, no seek before it.
        OVERLAPPED at{};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        const DWORD part = DWORD(std::min(size, kLargestCall));
        DWORD done = 0;
        ++stats.systemWrites;
        const BOOL ok = WriteFile(file, data, part, &done, &at);
        stats.bytes += done;
        if (!ok || done != part) {
            lastFailure = ok ? STG_E_MEDIUMFULL : lastError();
            return false;
        }
        offset += done;
        data += done;
        size -= done;
    }
    return true;
}

HRESULT StreamFileWriterPin::writeAt(uint64_t offset, const void* data, ULONG size) {
    if (!fileOpen()) return E_UNEXPECTED;
    ++sink_.stats.streamWrites;
    return blocks_->write(offset, static_cast<const uint8_t*>(data), size) ? S_OK : sink_.lastFailure;
}

HRESULT StreamFileWriterPin::flushBlocks() {
    if (!fileOpen()) return E_UNEXPECTED;
    return blocks_->flush() ? S_OK : sink_.lastFailure;
}

STDMETHODIMP StreamFileWriterPin::Read(void* data, ULONG size, ULONG* read) {
    if (read) *read = 0;
    if (!data) return STG_E_INVALIDPOINTER;
    CAutoLock lock(&fileLock_);
    const HRESULT hr = flushBlocks();
    if (FAILED(hr)) return hr;
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(position_);
    DWORD done = 0;
    if (!SetFilePointerEx(sink_.file, at, nullptr, FILE_BEGIN) || !ReadFile(sink_.file, data, size, &done, nullptr))
        return lastError();
    position_ += done;
    if (read) *read = done;
    return done == size ? S_OK : S_FALSE;
}

STDMETHODIMP StreamFileWriterPin::Write(const void* data, ULONG size, ULONG* written) {
    if (written) *written = 0;
    if (!data) return STG_E_INVALIDPOINTER;
    CAutoLock lock(&fileLock_);
    const HRESULT hr = writeAt(position_, data, size);
    if (FAILED(hr)) return hr;
    position_ += size;
    if (written) *written = size;
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    CAutoLock lock(&fileLock_);
    if (!fileOpen()) return E_UNEXPECTED;
    // The position is the writer's own; only a seek from the end asks the
    // system, for the size of the file with everything gathered in it.
    LONGLONG from = LONGLONG(position_);
    if (origin == STREAM_SEEK_SET) from = 0;
    if (origin == STREAM_SEEK_END) {
        const HRESULT hr = flushBlocks();
        LARGE_INTEGER size;
        if (FAILED(hr)) return hr;
        if (!GetFileSizeEx(sink_.file, &size)) return lastError();
        from = size.QuadPart;
    }
    ++sink_.stats.seeks;
    if (move.QuadPart < -from) return STG_E_INVALIDFUNCTION;
    position_ = uint64_t(from + move.QuadPart);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::SetSize(ULARGE_INTEGER size) {
    CAutoLock lock(&fileLock_);
    const HRESULT hr = flushBlocks();
    if (FAILED(hr)) return hr;
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size.QuadPart);
    if (!SetFilePointerEx(sink_.file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(sink_.file)) return lastError();
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::Commit(DWORD) {
    CAutoLock lock(&fileLock_);
    const HRESULT hr = flushBlocks();
    if (FAILED(hr)) return hr;
    return FlushFileBuffers(sink_.file) ? S_OK : lastError();
}

STDMETHODIMP StreamFileWriterPin::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    CAutoLock lock(&fileLock_);
    const HRESULT hr = flushBlocks();
    if (FAILED(hr)) return hr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(sink_.file, &size)) return lastError();
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = ULONGLONG(size.QuadPart);
    return S_OK;
}

HRESULT StreamFileWriterPin::closeFile() {
    CAutoLock lock(&fileLock_);
    if (!fileOpen()) return S_OK;
    const HRESULT written = flushBlocks();
    const BOOL closed = CloseHandle(sink_.file);
    const HRESULT closing = closed ? S_OK : lastError();
    sink_.file = INVALID_HANDLE_VALUE;
    blocks_.reset();
    return FAILED(written) ? written : closing;
}

StreamFileWriter* StreamFileWriter::create(ComPtr<IBaseFilter>& filter) {
    auto* writer = new (std::nothrow) StreamFileWriter();
    filter = ComPtr<IBaseFilter>::share(writer);
    return writer;
}

StreamFileWriter::StreamFileWriter()
    : CBaseFilter(nullptr, &filterLock_, kClsidStreamFileWriter), pin_(this, &filterLock_) {}

STDMETHODIMP StreamFileWriter::Pause() {
    CAutoLock lock(&filterLock_);
    if (m_State == State_Stopped) pin_.forgetEndOfStream();
    return CBaseFilter::Pause();
}

STDMETHODIMP StreamFileWriter::Run(REFERENCE_TIME start) {
    CAutoLock lock(&filterLock_);
    const HRESULT hr = CBaseFilter::Run(start);
    if (SUCCEEDED(hr) && pin_.streamEnded()) NotifyEvent(EC_COMPLETE, S_OK, 0);
    return hr;
}

STDMETHODIMP StreamFileWriter::NonDelegatingQueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IFileSinkFilter)) return GetInterface(static_cast<IFileSinkFilter*>(this), object);
    if (IsEqualIID(iid, IID_IAMFilterMiscFlags)) return GetInterface(static_cast<IAMFilterMiscFlags*>(this), object);
    return CBaseFilter::NonDelegatingQueryInterface(iid, object);
}

STDMETHODIMP StreamFileWriter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
    if (!name) return E_POINTER;
    CAutoLock lock(&filterLock_);
    if (pin_.fileOpen()) return VFW_E_WRONG_STATE;
    fileName_ = reinterpret_cast<const char16_t*>(name);
    return S_OK;
}

STDMETHODIMP StreamFileWriter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
    if (!name) return E_POINTER;
    CAutoLock lock(&filterLock_);
    *name = nullptr;
    if (type) std::memset(type, 0, sizeof *type);
    if (fileName_.empty()) return E_FAIL;
    const size_t bytes = (fileName_.size() + 1) * sizeof(char16_t);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*name) return E_OUTOFMEMORY;
    std::memcpy(*name, fileName_.c_str(), bytes);
    return S_OK;
}

}  // namespace qucap
