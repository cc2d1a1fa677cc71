#pragma once
// An owning pointer to a COM interface: one reference held, released at the
// end of its life. Copies add a reference, moves pass it on.
#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace qucap {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    // Takes over a reference the caller already holds (no AddRef).
    static ComPtr adopt(T* pointer) {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    // Shares an object the caller keeps: adds a reference of its own.
    static ComPtr share(T* pointer) {
        if (pointer) pointer->AddRef();
        return adopt(pointer);
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For out parameters: releases what is held and gives the slot to fill.
    T** put() {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    void reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }

    // Asks the object for another of its interfaces.
    template <class U>
    HRESULT query(REFIID iid, ComPtr<U>& result) const {
        if (!pointer_) {
            result.reset();
            return E_POINTER;
        }
        return pointer_->QueryInterface(iid, result.putVoid());
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace qucap
