#include "filter/win/drive_types.h"

#include <windows.h>

#include <string>

namespace qucap {

uint32_t Win32DriveTypes::driveTypeOf(std::u16string_view root) const {
    const std::wstring terminated(root.begin(), root.end());
    return GetDriveTypeW(terminated.c_str());
}

}  // namespace qucap
