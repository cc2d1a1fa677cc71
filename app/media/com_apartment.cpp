#include "app/media/com_apartment.h"

#include <objbase.h>

namespace qucap {

ComApartment::ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

ComApartment::~ComApartment() {
    // Every successful initialisation, S_FALSE included, is matched by one uninitialisation.
    if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace qucap
