#pragma once
// The caption list's report view (control 1000): its 25 columns and rows.
#include <windows.h>

#include "app/core/caption_list/caption_list.h"

namespace qucap {

// The caption list view of the main window; null before it exists.
HWND mainCaptionListView();

// Full-row selection, grid lines, and the columns with their titles.
void setUpCaptionColumns(HWND list);
// The column widths for the list's current width.
void applyCaptionColumnWidths(HWND list);
// Shows every row of the list (the view is emptied first).
void showCaptionRows(HWND list, const CaptionList& captions);
// Rewrites every row in place (after a change to many rows); a view holding
// another number of rows is filled anew, keeping the list's selection.
void refreshCaptionRows(HWND list, const CaptionList& captions);

// The view kept in step with the model after a row operation:
// one row's cells again (a row the view lacks yet is added),
void showCaptionRow(HWND list, const CaptionList& captions, int index);
// a row added at `index`, pushing the rows from there down,
void insertCaptionRow(HWND list, const CaptionList& captions, int index);
void deleteCaptionRow(HWND list, int index);
// the row numbers of every row,
void showRowNumbers(HWND list, const CaptionList& captions);
// the row selected and focused and scrolled into view (the list tells the
// main window, which loads the row into the current page), or no row
// selected in the view and in the list.
void selectCaptionRow(HWND list, int index);
void deselectCaptionRows(HWND list, CaptionList& captions);

}  // namespace qucap
