#include "win32/shared_block_writer.h"

#include <cstring>

#include "filter/core/shared_block_text.h"

namespace qucap {

SharedBlockWrite writeSharedBlock(int32_t milliseconds, MapViewFunction map) {
    const SharedBlockUnits units = sharedBlockOf(milliseconds);
    HANDLE block = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, reinterpret_cast<const wchar_t*>(kSharedBlockName.data()));
    if (block == nullptr) return SharedBlockWrite::NotFound;
    void* view = map(block, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(block);
        return SharedBlockWrite::MappingFailed;
    }
    std::memcpy(view, units.data(), kSharedBlockBytes);
    UnmapViewOfFile(view);
    CloseHandle(block);
    return SharedBlockWrite::Written;
}

int writeSeekPosition(Ui& ui, int32_t milliseconds, MapViewFunction map) {
    switch (writeSharedBlock(milliseconds, map)) {
    case SharedBlockWrite::Written:
        return 0;
    case SharedBlockWrite::NotFound:
        ui.warn(kSharedBlockNotFound, Deliverable::Program);
        return -1;
    case SharedBlockWrite::MappingFailed:
        ui.warn(kSharedBlockMapFailed, Deliverable::Program);
        return -1;
    }
    return -1;
}

}  // namespace qucap
