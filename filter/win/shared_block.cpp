#include "filter/win/shared_block.h"

#include <cstring>

#include "filter/core/shared_block_text.h"

namespace qucap {
namespace {

// The view of a string literal, so its data ends in the terminator the kernel needs.
const wchar_t* blockName() { return reinterpret_cast<const wchar_t*>(kSharedBlockName.data()); }

}  // namespace

SharedControlBlock::SharedControlBlock(Ui& ui, FileMappingCalls calls) : ui_(ui), calls_(calls) {
    handle_ = calls_.create(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, DWORD(kSharedBlockBytes), blockName());
    if (handle_ == nullptr) {
        ui_.warn(kSharedBlockCreateFailed, Deliverable::Filter);
        return;
    }
    void* view = calls_.map(handle_, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (view == nullptr) {
        ui_.warn(kSharedBlockMakeMapFailed, Deliverable::Filter);
        close();
        return;
    }
    std::memset(view, 0, kSharedBlockBytes);
    UnmapViewOfFile(view);
}

SharedControlBlock::~SharedControlBlock() { close(); }

int32_t SharedControlBlock::seekOffset() {
    if (handle_ == nullptr) return 0;
    if (readView_ == nullptr) readView_ = calls_.map(handle_, FILE_MAP_READ, 0, 0, 0);
    if (readView_ == nullptr) {
        ui_.warn(kSharedBlockReadMapFailed, Deliverable::Filter);
        close();
        return 0;
    }
    // One copy of all 24 bytes: the program may write at any moment.
    SharedBlockUnits units{};
    std::memcpy(units.data(), readView_, kSharedBlockBytes);
    return seekOffsetOf(units);
}

void SharedControlBlock::close() {
    if (readView_ != nullptr) UnmapViewOfFile(readView_);
    readView_ = nullptr;
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = nullptr;
}

}  // namespace qucap
