#pragma once
// The caption list's report view (control 1000): its 25 columns and rows.
#include <windows.h>

#include "app/core/captionlist.h"

namespace qucap {

// Full-row selection, grid lines, and the columns with their titles.
void setUpCaptionColumns(HWND list);
// The column widths for the list's current width.
void applyCaptionColumnWidths(HWND list);
// Shows every row of the list (the view is emptied first).
void showCaptionRows(HWND list, const CaptionList& captions);
// Rewrites the cells of one row in place; the selection stays.
void showCaptionRow(HWND list, const CaptionList& captions, int row);
// Rewrites every row in place (after a change to many rows); a view holding
// another number of rows is filled anew, keeping the list's selection.
void refreshCaptionRows(HWND list, const CaptionList& captions);
// Deselects every row of the view.
void clearCaptionSelection(HWND list);

}  // namespace qucap
