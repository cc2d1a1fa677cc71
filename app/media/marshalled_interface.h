#pragma once
// An interface handed from the thread whose apartment holds it to another
// thread of the process, the way COM asks: marshalled on the first thread,
// taken (unmarshalled) once on the other, in that thread's own apartment.
// Marshalled data never taken is released with the object.
#include <windows.h>
#include <objbase.h>

#include "win32/com_ptr.h"

namespace qucap {

class MarshalledInterface {
public:
    MarshalledInterface() = default;
    // On the thread that holds `object`; empty when it cannot be marshalled.
    MarshalledInterface(REFIID iid, IUnknown* object);
    ~MarshalledInterface();
    MarshalledInterface(MarshalledInterface&& other) noexcept;
    MarshalledInterface& operator=(MarshalledInterface&& other) noexcept;
    MarshalledInterface(const MarshalledInterface&) = delete;
    MarshalledInterface& operator=(const MarshalledInterface&) = delete;

    explicit operator bool() const { return stream_ != nullptr; }
    // On the receiving thread, once: the interface `iid` for this thread's
    // apartment. Empty afterwards, whatever the result.
    HRESULT take(REFIID iid, void** object);

    // The same for a worker that waits on the object: the unmarshalled
    // interface when the object is free-threaded (unmarshalling then gives
    // the very pointer `original`). Otherwise the interface would be a proxy
    // that carries each call, and each of the worker's waits, over to the
    // holder's thread and blocks it there; the worker then shares
    // `original`, as the graph objects' own locking allows. Null when
    // nothing was marshalled.
    template <class T>
    ComPtr<T> takeForWorker(REFIID iid, T* original) {
        T* taken = nullptr;
        if (FAILED(take(iid, reinterpret_cast<void**>(&taken))) || taken == nullptr) return nullptr;
        if (taken == original) return ComPtr<T>::adopt(taken);
        taken->Release();
        return ComPtr<T>::share(original);
    }

private:
    void release();
    IStream* stream_ = nullptr;
};

}  // namespace qucap
