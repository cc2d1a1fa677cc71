#pragma once
// The 25 columns of the caption list: visible texts, hidden marked-up texts
// and hidden backups. The list view of the program only displays them.
#include <array>
#include <string_view>

#include "captiondata/caption/caption_row.h"

namespace qucap {

constexpr int kCaptionColumnCount = 25;

// Column indexes used by the model and its callers.
enum CaptionColumn : int {
    ColNumber = 0,
    ColStart = 1,
    ColDuration = 2,
    ColOrientation = 3,
    ColStartBackup = 16,
    ColDurationBackup = 17,
    ColOrientationBackup = 22,
    ColLock = 23,
    ColLockBackup = 24,
};

// Per text index (line-1 body, line-1 ruby, line-2 body, line-2 ruby).
constexpr std::array<int, kTextCount> kMarkupColumns = {4, 7, 10, 13};
constexpr std::array<int, kTextCount> kPositionColumns = {5, 8, 11, 14};
constexpr std::array<int, kTextCount> kPlainColumns = {6, 9, 12, 15};
constexpr std::array<int, kTextCount> kPositionBackupColumns = {18, 19, 20, 21};

enum class ColumnAlign { Left, Centre, Right };

// A column is either a fixed number of pixels wide (0 hides it) or takes
// thirtieths of the width left over by the fixed columns.
struct CaptionColumnInfo {
    std::u16string_view title;
    int fixedWidth;    // used when thirtieths is 0
    int thirtieths;    // W x thirtieths / 30
    ColumnAlign align;
};

extern const std::array<CaptionColumnInfo, kCaptionColumnCount> kCaptionColumns;

// Pixels taken by the fixed columns and the margins; W = list width - this.
constexpr int kFixedColumnsWidth = 359;

// Widths of all columns for a list control of `listWidth` pixels. Shared
// widths are truncated to whole pixels and never negative.
std::array<int, kCaptionColumnCount> captionColumnWidths(int listWidth);

// Columns 0 to 15 are recomputed when the main window is resized.
constexpr int kResizedColumnCount = 16;

}  // namespace qucap
