#include "app/media/stream_file_writer.h"

#include <cstring>
#include <new>
#include "win32/wide.h"

namespace qucap {
namespace {

HRESULT lastError() { return HRESULT_FROM_WIN32(GetLastError()); }

// Adds the time of one call to the system to the writer's account.
class IoTimer {
public:
    explicit IoTimer(int64_t& ticks) : ticks_(ticks) { QueryPerformanceCounter(&start_); }
    ~IoTimer() {
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        ticks_ += end.QuadPart - start_.QuadPart;
    }
    IoTimer(const IoTimer&) = delete;
    IoTimer& operator=(const IoTimer&) = delete;

private:
    int64_t& ticks_;
    LARGE_INTEGER start_;
};

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
    if (file_ != INVALID_HANDLE_VALUE) return S_OK;  // a graph started again goes on with the same file
    if (writer_->fileName().empty()) return E_UNEXPECTED;
    file_ = CreateFileW(wide(writer_->fileName()), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ == INVALID_HANDLE_VALUE ? lastError() : S_OK;
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
    ULONG written = 0;
    hr = writeAt(offset, data, ULONG(length), &written);
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

HRESULT StreamFileWriterPin::writeAt(LONGLONG offset, const void* data, ULONG size, ULONG* written) {
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    const IoTimer timer(stats_.ioTicks);
    LARGE_INTEGER at;
    at.QuadPart = offset;
    ++stats_.seeks;
    if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN)) return lastError();
    DWORD done = 0;
    ++stats_.systemWrites;
    const BOOL ok = WriteFile(file_, data, size, &done, nullptr);
    stats_.bytes += done;
    if (written) *written = done;
    if (!ok) return lastError();
    return done == size ? S_OK : STG_E_MEDIUMFULL;
}

STDMETHODIMP StreamFileWriterPin::Read(void* data, ULONG size, ULONG* read) {
    if (!data) return STG_E_INVALIDPOINTER;
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    DWORD done = 0;
    const BOOL ok = ReadFile(file_, data, size, &done, nullptr);
    if (read) *read = done;
    if (!ok) return lastError();
    return done == size ? S_OK : S_FALSE;
}

STDMETHODIMP StreamFileWriterPin::Write(const void* data, ULONG size, ULONG* written) {
    if (!data) return STG_E_INVALIDPOINTER;
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    const IoTimer timer(stats_.ioTicks);
    DWORD done = 0;
    ++stats_.systemWrites;
    const BOOL ok = WriteFile(file_, data, size, &done, nullptr);
    stats_.bytes += done;
    if (written) *written = done;
    if (!ok) return lastError();
    return done == size ? S_OK : STG_E_MEDIUMFULL;
}

STDMETHODIMP StreamFileWriterPin::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
    // STREAM_SEEK_SET/CUR/END have the values of FILE_BEGIN/CURRENT/END.
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    const IoTimer timer(stats_.ioTicks);
    LARGE_INTEGER reached;
    ++stats_.seeks;
    if (!SetFilePointerEx(file_, move, &reached, origin)) return lastError();
    if (newPosition) newPosition->QuadPart = ULONGLONG(reached.QuadPart);
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::SetSize(ULARGE_INTEGER size) {
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    LARGE_INTEGER here = {}, zero = {}, end;
    end.QuadPart = LONGLONG(size.QuadPart);
    if (!SetFilePointerEx(file_, zero, &here, FILE_CURRENT) || !SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(file_) || !SetFilePointerEx(file_, here, nullptr, FILE_BEGIN))
        return lastError();
    return S_OK;
}

STDMETHODIMP StreamFileWriterPin::Commit(DWORD) {
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    return FlushFileBuffers(file_) ? S_OK : lastError();
}

STDMETHODIMP StreamFileWriterPin::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return E_UNEXPECTED;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) return lastError();
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = ULONGLONG(size.QuadPart);
    return S_OK;
}

HRESULT StreamFileWriterPin::closeFile() {
    CAutoLock lock(&fileLock_);
    if (file_ == INVALID_HANDLE_VALUE) return S_OK;
    const BOOL ok = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    return ok ? S_OK : lastError();
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
