#pragma once
// The program's side of the shared control block "qucap": before each seek
// of a captioned preview it writes the target position, so the filter adds
// it to the sample times that start again near 0 after the seek.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kSharedBlockNotFound = u"共有メモリが見つかりません";
inline constexpr std::u16string_view kSharedBlockMapFailed = u"共有メモリマッピング失敗";

enum class SharedBlockWrite { Written, NotFound, MappingFailed };

// The kernel's mapping call; tests put in a failing one.
using MapViewFunction = LPVOID(WINAPI*)(HANDLE, DWORD, DWORD, DWORD, SIZE_T);

// Writes the position (milliseconds) as its h:mm:ss.mmm text into all 24
// bytes of the block, or nothing when the block cannot be opened or mapped.
SharedBlockWrite writeSharedBlock(int32_t milliseconds, MapViewFunction map = MapViewOfFile);

// The same, showing "共有メモリが見つかりません" or "共有メモリマッピング失敗"
// with the program's title when nothing could be written; 0 or -1. The
// caller seeks either way.
int writeSeekPosition(Ui& ui, int32_t milliseconds, MapViewFunction map = MapViewOfFile);

}  // namespace qucap
