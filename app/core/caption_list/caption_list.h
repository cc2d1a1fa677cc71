#pragma once
// The caption list: the program's primary store of caption rows, modelled as
// rows of 25 cell texts (see captioncolumns.h). Editing tabs move one row at
// a time between the list and a WorkingRow; the program's caption table is
// rebuilt from the list.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/core/caption_list/caption_columns.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/caption/caption_row.h"
#include "captiondata/io/ui.h"

namespace qucap {

inline constexpr std::u16string_view kZeroTime = u"0:00:00.00";
inline constexpr std::u16string_view kDeleteQuestionTail = u"行目を削除しますか？";

using PositionSet = std::array<int32_t, kTextCount>;

// The one row the editing tabs work on.
struct WorkingRow {
    int32_t number = 0;
    std::u16string start, duration;  // caption time form
    bool vertical = false;
    std::array<std::u16string, kTextCount> texts;       // with markup
    std::array<std::u16string, kTextCount> plainTexts;  // at most 255 characters each
    PositionSet positions{};
    int32_t lock = 0;
};

enum class DefaultPositionMode {
    FillUnset = 0,         // only positions that are 0, in every row
    RecomputeUnlocked = 1, // all four positions of rows whose lock is 0
    RecomputeAll = 2,      // every row, keeping a swapped line-2 pair; locks cleared
};

// What the default-position computation supplies for one row.
struct DefaultPositionRules {
    // The four default positions of the row (its texts and orientation).
    std::function<PositionSet(const WorkingRow&)> defaults;
    // The line-2 body and ruby defaults in the opposite order within the same place.
    struct Line2 {
        int32_t body;
        int32_t ruby;
    };
    std::function<Line2(const WorkingRow&, Line2)> swapLine2;
};

class CaptionList {
public:
    using Cells = std::array<std::u16string, kCaptionColumnCount>;

    int rowCount() const { return int(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    bool isRow(int index) const { return index >= 0 && index < rowCount(); }
    // Empty for an index or column out of range.
    const std::u16string& cell(int index, int column) const;
    void setCell(int index, int column, std::u16string_view text);

    // Empties the list; nothing is selected afterwards.
    void clear();

    // Transfer between a row and the working row. Reading an index out of
    // range leaves the working row as it is; writing one does nothing.
    void readRow(int index, WorkingRow& row) const;  // columns 0 to 15
    void readLock(int index, WorkingRow& row) const; // column 23
    // Columns 1 to 15; empty times become "0:00:00.00" in the working row too.
    void writeRow(int index, WorkingRow& row);
    void writeLock(int index, const WorkingRow& row);

    // New rows: number = position + 1, times "0:00:00.00", "横", the rest empty.
    // Append adds after the last row and selects it; returns its index.
    int appendRow();
    // Inserts a new row at the selected index, pushing the selected row down,
    // renumbers and selects the new row; -1 (nothing done) without a selection.
    int insertRowAtSelection();
    // Asks "N行目を削除しますか？"; on Yes deletes the selected row, clears the
    // selection, renumbers and rebuilds the caption table. False when nothing
    // was deleted.
    bool deleteSelectedRow(Ui& ui);
    void renumber();

    int selection() const { return selection_; }
    void select(int index) { selection_ = isRow(index) ? index : -1; }
    void clearSelection() { selection_ = -1; }

    // The caption-info file the list was loaded from when that file held
    // text but gave no row: it was not read as it is, so the list is never
    // saved over it. Empty otherwise; clear() forgets it.
    const std::u16string& unreadFile() const { return unreadFile_; }
    void setUnreadFile(std::u16string path) { unreadFile_ = std::move(path); }

    // The caption-info file the list was loaded from when some of its bytes
    // could not be read: it is saved over only once the rows differ from
    // those it gave. Empty otherwise; clear() and forgetPartlyReadFile()
    // forget it.
    const std::u16string& partlyReadFile() const { return partlyReadFile_; }
    // Remembers the file with the rows the list holds now.
    void setPartlyReadFile(std::u16string path);
    void forgetPartlyReadFile();
    // Whether the rows are still those the partly read file gave.
    bool holdsPartlyReadRows() const;

    // Set while an editor holds a change that is not yet in the list.
    bool pendingEdit() const { return pendingEdit_; }
    void setPendingEdit(bool pending) { pendingEdit_ = pending; }

    // Empties the list and appends one row per caption slot (number > 0), in
    // slot order, with plain texts cut to 255 characters; then rebuilds the
    // caption table from the list.
    void fillFrom(const CaptionTable& table);
    // The rows as the caption-info writer and the table rebuild take them.
    std::vector<CaptionFileRow> fileRows() const;
    CaptionFileRow fileRow(int index) const;
    // The program's caption table, rebuilt from the list after every commit.
    const CaptionTable& captionTable() const { return table_; }
    void rebuildCaptionTable();

    // Backup columns used by the timeline and display-position undo.
    void backupTimes(int index);
    void restoreTimes(int index);
    void backupPositions(int index);
    // Returns whether the restored row is vertical.
    bool restorePositions(int index);
    // The same for every row; a row made after the backup has none and is
    // left as it is by the restore.
    void backupAllTimes();
    void restoreAllTimes();
    void backupAllPositions();
    void restoreAllPositions();

    // First row after `index` whose duration parses as 0, or -1. Pass -1 to
    // search from the first row.
    int findNextUntimedRow(int index) const;

    // Applies default positions to every row in order, writes each row back
    // and rebuilds the caption table.
    void applyDefaultPositions(DefaultPositionMode mode, const DefaultPositionRules& rules);

private:
    Cells newRowCells(int index) const;

    std::vector<Cells> rows_;
    CaptionTable table_;
    int selection_ = -1;
    bool pendingEdit_ = false;
    std::u16string unreadFile_;
    std::u16string partlyReadFile_;
    std::vector<CaptionFileRow> partlyReadRows_;
};

}  // namespace qucap
