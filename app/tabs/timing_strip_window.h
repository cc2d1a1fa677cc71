#pragma once
// The timeline tab's strip (window class "QucapTimingStrip"): the picture of
// app/timing/timing_strip.h around the preview's position, painted with
// GDI from the cached peaks and cuts and the list's rows. A click seeks,
// Shift+click sets the selected row's start, Ctrl+click its end; the wheel
// zooms.
#include <windows.h>

#include <cstdint>

namespace qucap {

inline constexpr wchar_t kTimingStripClass[] = L"QucapTimingStrip";

bool registerTimingStripClass(HINSTANCE instance);

enum class StripClick { Seek, SetStart, SetEnd };

// The strip's time span now (milliseconds across it).
int64_t timingStripSpan(HWND strip);

}  // namespace qucap
