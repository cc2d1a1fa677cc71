#pragma once
// The drive-type seam of the path checks on GetDriveTypeW.
#include "filter/core/path_check.h"

namespace qucap {

class Win32DriveTypes : public DriveTypes {
public:
    uint32_t driveTypeOf(std::u16string_view root) const override;
};

}  // namespace qucap
