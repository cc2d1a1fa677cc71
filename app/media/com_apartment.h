#pragma once
// COM on the calling thread as a single-threaded apartment, as the program's
// user interface thread uses it, for the life of the object.
#include <windows.h>

namespace qucap {

class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Whether COM can be used on this thread (S_FALSE: it was already).
    bool ready() const { return SUCCEEDED(result_); }
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace qucap
