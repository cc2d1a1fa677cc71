#include "app/core/caption_list/caption_columns.h"

namespace qucap {

namespace {
constexpr auto L = ColumnAlign::Left;
constexpr auto C = ColumnAlign::Centre;
constexpr auto R = ColumnAlign::Right;
}  // namespace

const std::array<CaptionColumnInfo, kCaptionColumnCount> kCaptionColumns = {{
    {u"行", 35, 0, L},
    {u"開始時間", 60, 0, C},
    {u"表示時間", 60, 0, C},
    {u"方向", 36, 0, C},
    {u"1行目本文制御", 0, 0, L},
    {u"位置", 36, 0, R},
    {u"1行目本文", 0, 9, L},
    {u"1行目ルビ制御", 0, 0, L},
    {u"位置", 36, 0, R},
    {u"1行目ルビ", 0, 6, L},
    {u"2行目本文制御", 0, 0, L},
    {u"位置", 36, 0, R},
    {u"2行目本文", 0, 9, L},
    {u"2行目ルビ制御", 0, 0, L},
    {u"位置", 36, 0, R},
    {u"2行目ルビ", 0, 6, L},
    {u"表示開始時間バックアップ", 0, 0, C},
    {u"表示時間バックアップ", 0, 0, C},
    {u"1行目本文表示位置バックアップ", 0, 0, R},
    {u"1行目ルビ表示位置バックアップ", 0, 0, R},
    {u"2行目本文表示位置バックアップ", 0, 0, R},
    {u"2行目ルビ表示位置バックアップ", 0, 0, R},
    {u"方向バックアップ", 0, 0, C},
    {u"表示位置ロック", 0, 0, C},
    {u"表示位置ロックバックアップ", 0, 0, C},
}};

std::array<int, kCaptionColumnCount> captionColumnWidths(int listWidth) {
    const int shared = listWidth - kFixedColumnsWidth;
    std::array<int, kCaptionColumnCount> widths{};
    for (int i = 0; i < kCaptionColumnCount; ++i) {
        const CaptionColumnInfo& column = kCaptionColumns[i];
        const int width = column.thirtieths == 0 ? column.fixedWidth : shared * column.thirtieths / 30;
        widths[i] = width < 0 ? 0 : width;
    }
    return widths;
}

}  // namespace qucap
