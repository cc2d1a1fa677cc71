#pragma once
// Keeps C++ exceptions of derived code (a failed allocation while loading or
// composing) from crossing a COM method: they become HRESULTs.
#include <windows.h>

#include <new>

namespace qucap {

template <typename Body>
HRESULT guardCom(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace qucap
