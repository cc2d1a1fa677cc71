#pragma once
// Owners of Win32 handles: each frees what it holds at the end of its life
// (CloseHandle, DeleteObject, DestroyMenu); moves pass the handle on, copies
// are not made. SelectedObject puts a device context's previous object back.
#include <windows.h>

#include <utility>

namespace qucap {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    // Frees what is held and takes `handle`.
    void reset(Handle handle = Traits::empty()) {
        if (Traits::valid(handle_)) Traits::free(handle_);
        handle_ = handle;
    }
    // Gives the handle up without freeing it.
    Handle release() { return std::exchange(handle_, Traits::empty()); }

private:
    Handle handle_ = Traits::empty();
};

// A kernel object (thread, event, mutex, file mapping): null and
// INVALID_HANDLE_VALUE both hold nothing.
struct KernelHandleTraits {
    static HANDLE empty() { return nullptr; }
    static bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void free(HANDLE handle) { CloseHandle(handle); }
};
using OwnedHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

// A font, pen, brush or bitmap.
template <class Gdi>
struct GdiObjectTraits {
    static Gdi empty() { return nullptr; }
    static bool valid(Gdi object) { return object != nullptr; }
    static void free(Gdi object) { DeleteObject(object); }
};
template <class Gdi>
using GdiObject = UniqueHandle<Gdi, GdiObjectTraits<Gdi>>;

// A menu loaded or created, not attached to a window.
struct MenuTraits {
    static HMENU empty() { return nullptr; }
    static bool valid(HMENU menu) { return menu != nullptr; }
    static void free(HMENU menu) { DestroyMenu(menu); }
};
using OwnedMenu = UniqueHandle<HMENU, MenuTraits>;

// `object` selected into `dc` for the scope; a null object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (*this) SelectObject(dc_, previous_);
    }
    // Whether the object was selected.
    explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace qucap
