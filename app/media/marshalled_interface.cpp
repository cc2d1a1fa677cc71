#include "app/media/marshalled_interface.h"

#include <utility>

namespace qucap {

MarshalledInterface::MarshalledInterface(REFIID iid, IUnknown* object) {
    if (object == nullptr || FAILED(CoMarshalInterThreadInterfaceInStream(iid, object, &stream_))) stream_ = nullptr;
}

MarshalledInterface::~MarshalledInterface() { release(); }

MarshalledInterface::MarshalledInterface(MarshalledInterface&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)) {}

MarshalledInterface& MarshalledInterface::operator=(MarshalledInterface&& other) noexcept {
    if (this != &other) {
        release();
        stream_ = std::exchange(other.stream_, nullptr);
    }
    return *this;
}

HRESULT MarshalledInterface::take(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (stream_ == nullptr) return E_UNEXPECTED;
    // The call releases the stream, success or not.
    return CoGetInterfaceAndReleaseStream(std::exchange(stream_, nullptr), iid, object);
}

void MarshalledInterface::release() {
    if (stream_ == nullptr) return;
    // The stream stands at its start after marshalling; the reference the
    // marshalled data holds on the object goes with it.
    CoReleaseMarshalData(stream_);
    std::exchange(stream_, nullptr)->Release();
}

}  // namespace qucap
