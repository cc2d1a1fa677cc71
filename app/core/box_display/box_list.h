#pragma once
// The box-display tab without its window: the box list (the project's box
// rows), the fields of the row being edited with their modified flag, the
// checks a committed row goes through, the row buttons, which controls are
// usable, and the box-info file's save step.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "app/core/project/data_file_save.h"
#include "captiondata/box/box_info.h"

namespace qucap {

inline constexpr std::u16string_view kCommitWithUpdate = u"更新ボタンでリストに更新して下さい";
inline constexpr std::u16string_view kDeleteBoxRowQuestionSuffix = u"行目を削除しますか？";

// Controls of dialog 121.
enum BoxControl : int {
    kBoxAddButton = 1006,
    kBoxInsertButton = 1007,
    kBoxDeleteButton = 1008,
    kBoxStartFrameField = 1225,
    kBoxEndFrameField = 1227,
    kBox2ShownBox = 1236,
    kBoxTransparencyField = 1254,
    kBoxListView = 1255,
    kBoxUpdateButton = 1256,
};
// The fields of box 1 and box 2: x, y, width, height.
inline constexpr std::array<std::array<int, 4>, 2> kBoxRectFields = {{{1229, 1231, 1233, 1235}, {1238, 1240, 1242, 1244}}};
// The colour buttons in the order of kBoxColourWords (赤 緑 青 黄 桃 水 黒 白).
inline constexpr std::array<int, 8> kBoxColourButtons = {1245, 1246, 1247, 1248, 1249, 1250, 1251, 1252};
// Every number field with the row field it edits, and its length limit.
struct BoxNumberControl {
    int id;
    BoxField field;
    int limit;
};
extern const std::array<BoxNumberControl, 11> kBoxNumberControls;

// The box list's columns, in the order of BoxField. The hidden time columns
// are 0 wide; each of the eight box columns takes an eighth of what the
// fixed columns leave (the list's width less 244 pixels).
extern const std::array<std::u16string_view, kBoxFieldCount> kBoxColumnTitles;
std::array<int, kBoxFieldCount> boxColumnWidths(int listWidth);

// What a committed value is checked against: the input movie.
struct BoxLimits {
    int64_t frameCount = 0;
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
};

// The row a new line starts with and the fields show when nothing is
// selected: frames 1 to 1, box 1 all 1, no box 2, black, transparency 64.
BoxRow newBoxRow(int32_t number);

// The row with every value outside its range replaced: frames 1 to the frame
// count (else 1), box-1 x and width 1 to the frame width, y and height 1 to
// the frame height (else 1), box 2 the same from 0 (else 0), transparency 0
// to 64 (else 64). A start after the end is kept.
BoxRow checkedBoxRow(BoxRow row, const BoxLimits& limits);

// Box 2 is shown when any of its values is above 0.
bool hasBox2(const BoxRow& row);
// "枠２を表示する": checking it turns each 0 of box 2 into 1, clearing it
// makes all four 0.
void showBox2(BoxRow& row, bool shown);

// The colour word's index in kBoxColourWords, -1 for another word.
int boxColourIndex(std::u16string_view word);

class BoxList {
public:
    // `rows` is the project's box table, which the save step writes.
    explicit BoxList(BoxTable& rows) : rows_(rows) {}

    const BoxTable& rows() const { return rows_; }
    int selected() const { return selected_; }
    bool modified() const { return modified_; }
    // The row being edited: the selected row's values as typed so far, or the
    // new-row values when nothing is selected.
    const BoxRow& fields() const { return fields_; }

    // A project was loaded: nothing selected, the fields reset.
    void reset();

    // The user changed the fields (a number, box 2, the colour): modified.
    void edit(const BoxRow& fields);

    // The edited fields, checked, into the selected row; the modified flag
    // is cleared. False when no row is selected.
    bool commit(const BoxLimits& limits);
    // Selecting a line: a modified row is committed first, then the line's
    // values are loaded. -1 clears the selection and resets the fields.
    void select(int row, const BoxLimits& limits);
    // "更新": commit, then nothing selected.
    void update(const BoxLimits& limits);
    // "追加": commit, then a new row numbered one more than the row count at
    // the end, selected. Its index.
    int append(const BoxLimits& limits);
    // "挿入": commit, then a new row before the selected one, every row
    // numbered 1 to n, the new row selected. Its index, -1 without a selection.
    int insert(const BoxLimits& limits);
    // "削除" after the user agreed: the selected row goes, every row is
    // numbered 1 to n, nothing selected. False without a selection.
    bool removeSelected();

    // The question "削除" asks, with the selected row's number as the list shows it.
    std::u16string deleteQuestion() const;

    std::vector<ControlEnabling> controlStates(PlayState state) const;

private:
    void renumber();

    BoxTable& rows_;
    int selected_ = -1;
    bool modified_ = false;
    BoxRow fields_ = newBoxRow(0);
};

inline constexpr std::u16string_view kBoxInfoUnread =
    u"枠情報ファイルから枠を1行も読み込めませんでした\n（枠情報ファイルの形式ではないか、壊れています）";
inline constexpr std::u16string_view kBoxInfoNotOverwritten = u"読み込めなかった枠情報ファイルには上書き保存しません";

// Reads the project's box-info file into `rows` (emptied first; the reader
// keeps nothing of an earlier project). A file that is no text at all, or
// held text but gave no row, loads as no rows with kBoxInfoUnread shown and
// its path in `unreadFile`, so no save replaces what it holds; `unreadFile`
// is emptied otherwise. The reader's result.
int loadBoxInfo(const Io& io, std::u16string_view path, BoxTable& rows, std::u16string& unreadFile);

// The save dialog offered when the project has no box-info file.
SaveFileRequest boxInfoSaveRequest(std::u16string_view projectFolder);

// The save point's box step. A project naming a box-info file gets the list
// written there. A project naming none asks for a name only when the box tab
// has shown the list since the load (`listShown`), which is the only way rows
// get in: cancel gives -1, a chosen name becomes the project's and is
// recorded as InpBoxName in the project file. The file `unreadFile` (see
// loadBoxInfo) is refused with kBoxInfoNotOverwritten (-1).
int saveBoxList(const Io& io, const BoxTable& rows, const BoxMovie& movie, DataFileProject& project, bool listShown,
                std::u16string_view unreadFile = {});

}  // namespace qucap
