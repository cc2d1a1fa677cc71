#pragma once
// The filter's side of the shared control block "qucap": created with the
// filter object, read once per sample for the seek offset, closed with it.
// The first read maps a view for reading and keeps it, so later samples
// copy the 24 bytes without a mapping call each (a kernel round trip under
// Wine). When creating, first mapping or the read's mapping fails the
// filter says so once and from then on works with an offset of 0.
#include <windows.h>

#include <cstdint>

#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kSharedBlockCreateFailed = u"共有メモリ作成失敗";
inline constexpr std::u16string_view kSharedBlockMakeMapFailed = u"共有メモリマッピング失敗(Make)";
inline constexpr std::u16string_view kSharedBlockReadMapFailed = u"共有メモリマッピング失敗(Read)";

// The kernel calls the block makes. The defaults are the real ones; tests
// put in a failing mapping to reach the failure paths.
struct FileMappingCalls {
    HANDLE(WINAPI* create)(HANDLE, LPSECURITY_ATTRIBUTES, DWORD, DWORD, DWORD, LPCWSTR) = CreateFileMappingW;
    LPVOID(WINAPI* map)(HANDLE, DWORD, DWORD, DWORD, SIZE_T) = MapViewOfFile;
};

class SharedControlBlock {
public:
    // Creates the block on the paging file and clears its 24 bytes; a
    // failure is shown through `ui` with the filter's title.
    explicit SharedControlBlock(Ui& ui, FileMappingCalls calls = {});
    ~SharedControlBlock();
    SharedControlBlock(const SharedControlBlock&) = delete;
    SharedControlBlock& operator=(const SharedControlBlock&) = delete;

    // The seek offset in milliseconds: the block's time text, 0 when it
    // holds none. A mapping failure shows its message, closes the block and
    // gives 0 for this and every later sample without a further message.
    int32_t seekOffset();

    bool isOpen() const { return handle_ != nullptr; }

private:
    void close();

    Ui& ui_;
    FileMappingCalls calls_;
    HANDLE handle_ = nullptr;
    const void* readView_ = nullptr;  // mapped at the first read, unmapped at the close
};

}  // namespace qucap
