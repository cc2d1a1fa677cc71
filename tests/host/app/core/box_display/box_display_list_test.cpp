#include "app/core/box_display/box_list.h"

#include <gtest/gtest.h>

#include "captiondata/profile/ini_profile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

constexpr BoxLimits kLimits{300, 720, 480};  // 300 frames of 720x480

BoxRow typed(int32_t start, int32_t end, BoxRect box1, BoxRect box2, int32_t transparency) {
    BoxRow row = newBoxRow(1);
    row.startFrame = start;
    row.endFrame = end;
    row.boxes = {box1, box2};
    row.transparency = transparency;
    return row;
}

TEST(BoxRowCheck, EveryReplacementOfTheTable) {
    struct Case {
        const char* what;
        BoxRow typed;
        BoxRow expected;
    };
    const Case cases[] = {
        {"in range", typed(1, 300, {1, 1, 720, 480}, {0, 0, 0, 0}, 0), typed(1, 300, {1, 1, 720, 480}, {0, 0, 0, 0}, 0)},
        {"frames 0 and past the end", typed(0, 301, {5, 5, 5, 5}, {}, 64), typed(1, 1, {5, 5, 5, 5}, {}, 64)},
        {"start after end is kept", typed(200, 100, {5, 5, 5, 5}, {}, 64), typed(200, 100, {5, 5, 5, 5}, {}, 64)},
        {"box 1 wider than the frame", typed(1, 1, {721, 481, 721, 481}, {}, 64), typed(1, 1, {1, 1, 1, 1}, {}, 64)},
        {"box 1 zero", typed(1, 1, {0, 0, 0, 0}, {}, 64), typed(1, 1, {1, 1, 1, 1}, {}, 64)},
        {"box 1 x uses the width, y the height", typed(1, 1, {600, 600, 600, 479}, {}, 64),
         typed(1, 1, {600, 1, 600, 479}, {}, 64)},
        {"box 2 out of range becomes 0", typed(1, 1, {1, 1, 1, 1}, {-1, 481, 721, 480}, 64),
         typed(1, 1, {1, 1, 1, 1}, {0, 0, 0, 480}, 64)},
        {"transparency above 64", typed(1, 1, {1, 1, 1, 1}, {}, 65), typed(1, 1, {1, 1, 1, 1}, {}, 64)},
        {"transparency below 0", typed(1, 1, {1, 1, 1, 1}, {}, -1), typed(1, 1, {1, 1, 1, 1}, {}, 64)},
    };
    for (const Case& c : cases) EXPECT_EQ(checkedBoxRow(c.typed, kLimits), c.expected) << c.what;
}

TEST(BoxRowCheck, Box2CheckBox) {
    BoxRow row = newBoxRow(1);
    EXPECT_FALSE(hasBox2(row));
    showBox2(row, true);
    EXPECT_EQ(row.boxes[1], (BoxRect{1, 1, 1, 1}));
    row.boxes[1] = {0, 30, 0, 40};
    EXPECT_TRUE(hasBox2(row));
    showBox2(row, true);
    EXPECT_EQ(row.boxes[1], (BoxRect{1, 30, 1, 40}));
    showBox2(row, false);
    EXPECT_EQ(row.boxes[1], (BoxRect{0, 0, 0, 0}));
    EXPECT_EQ(boxColourIndex(u"青"), 2);
    EXPECT_EQ(boxColourIndex(u"紫"), -1);
}

struct BoxListTest : ::testing::Test {
    BoxTable rows;
    BoxList list{rows};

    std::vector<int32_t> numbers() const {
        std::vector<int32_t> n;
        for (const BoxRow& r : rows) n.push_back(r.number);
        return n;
    }
    std::vector<int32_t> startFrames() const {
        std::vector<int32_t> n;
        for (const BoxRow& r : rows) n.push_back(r.startFrame);
        return n;
    }
    void appendWithStart(int32_t start) {
        list.append(kLimits);
        BoxRow fields = list.fields();
        fields.startFrame = start;
        list.edit(fields);
    }
};

TEST_F(BoxListTest, AppendInsertDeleteRenumber) {
    for (int32_t start : {10, 20, 30, 40, 50}) appendWithStart(start);
    list.update(kLimits);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(startFrames(), (std::vector<int32_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(list.fields(), newBoxRow(0));

    // Deleting row 3 of 5.
    list.select(2, kLimits);
    EXPECT_EQ(list.deleteQuestion(), u"3行目を削除しますか？");
    ASSERT_TRUE(list.removeSelected());
    EXPECT_EQ(numbers(), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(startFrames(), (std::vector<int32_t>{10, 20, 40, 50}));
    EXPECT_EQ(list.selected(), -1);
    EXPECT_FALSE(list.removeSelected());
    EXPECT_EQ(list.insert(kLimits), -1);

    // Inserting before the second row.
    list.select(1, kLimits);
    EXPECT_EQ(list.insert(kLimits), 1);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rows[1], newBoxRow(2));
    EXPECT_EQ(list.selected(), 1);
    EXPECT_FALSE(list.modified());

    // Appending numbers one more than the row count.
    EXPECT_EQ(list.append(kLimits), 5);
    EXPECT_EQ(rows.back(), newBoxRow(6));
}

TEST_F(BoxListTest, SelectingAnotherRowCommitsToTheEditedRow) {
    appendWithStart(1);
    appendWithStart(2);
    list.update(kLimits);
    list.select(0, kLimits);
    BoxRow fields = list.fields();
    fields.boxes[0].width = 800;  // wider than the frame
    fields.transparency = 32;
    fields.colour = u"青";
    showBox2(fields, true);
    list.edit(fields);
    EXPECT_TRUE(list.modified());
    list.select(1, kLimits);
    EXPECT_EQ(rows[0].boxes[0].width, 1);
    EXPECT_EQ(rows[0].boxes[1], (BoxRect{1, 1, 1, 1}));
    EXPECT_EQ(rows[0].colour, u"青");
    EXPECT_EQ(rows[0].transparency, 32);
    EXPECT_EQ(rows[1].startFrame, 2);  // the newly selected row is untouched
    EXPECT_EQ(list.fields(), rows[1]);
    EXPECT_FALSE(list.modified());
}

bool enabled(const std::vector<ControlEnabling>& states, int id) {
    for (const ControlEnabling& s : states)
        if (s.id == id) return s.enabled;
    ADD_FAILURE() << "no control " << id;
    return false;
}

TEST_F(BoxListTest, Enabling) {
    struct Case {
        PlayState state;
        bool select;
        bool edit;
        // update, add, insert/delete, fields, box-2 fields, list
        std::array<bool, 6> expected;
    };
    const Case cases[] = {
        {PlayState::Stopped, false, false, {false, true, false, false, false, true}},
        {PlayState::Stopped, true, false, {false, true, true, true, false, true}},
        {PlayState::Stopped, true, true, {true, true, true, true, true, true}},
        {PlayState::Paused, true, true, {false, false, false, true, true, true}},
        {PlayState::Playing, true, true, {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        rows.clear();
        list.reset();
        list.append(kLimits);
        list.update(kLimits);
        if (c.select) list.select(0, kLimits);
        if (c.edit) {
            BoxRow fields = list.fields();
            showBox2(fields, true);
            list.edit(fields);
        }
        const auto states = list.controlStates(c.state);
        const std::array<bool, 6> got = {enabled(states, kBoxUpdateButton), enabled(states, kBoxAddButton),
                                         enabled(states, kBoxDeleteButton), enabled(states, kBoxStartFrameField),
                                         enabled(states, 1238), enabled(states, kBoxListView)};
        EXPECT_EQ(got, c.expected) << int(c.state) << c.select << c.edit;
        EXPECT_EQ(enabled(states, kBoxInsertButton), enabled(states, kBoxDeleteButton));
        EXPECT_EQ(enabled(states, 1247), enabled(states, kBoxStartFrameField));
    }
}

struct BoxSaveTest : ::testing::Test {
    TestIo t;
    BoxTable rows{newBoxRow(1)};
    std::u16string path = u"設定なし";
    DataFileProject project{path, u"C:\\p", u"C:\\p\\p.mcc"};
    BoxMovie movie{333'667, 720};

    BoxSaveTest() {
        t.files.addDirectory(u"C:\\p");
        t.files.addFile(u"C:\\p\\p.mcc", utf16File({u"[FileName]", u"InpBoxName=設定なし", u""}));
    }
};

TEST_F(BoxSaveTest, WithoutAFileAsksOnlyOnceTheListWasShown) {
    EXPECT_EQ(saveBoxList(t.io, rows, movie, project, false), 0);
    EXPECT_TRUE(t.ui.saveRequests.empty());

    EXPECT_EQ(saveBoxList(t.io, rows, movie, project, true), -1);  // cancelled: a failure, never a silent loss
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    const SaveFileRequest& request = t.ui.saveRequests[0];
    EXPECT_EQ(request.proposedName, u"C:\\p\\無題-枠");
    EXPECT_EQ(request.kind, u"枠情報ﾌｧｲﾙ");
    EXPECT_EQ(request.defaultExtension, u"csv");
    EXPECT_EQ(request.filters, (std::vector<FileTypeFilter>{{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"},
                                                           {u"テキストﾌｧｲﾙ (*.txt)", u"*.txt"},
                                                           allFilesFilter()}));
    EXPECT_EQ(path, u"設定なし");

    t.ui.saveAnswer = u"C:\\p\\枠.txt";
    EXPECT_EQ(saveBoxList(t.io, rows, movie, project, true), 0);
    EXPECT_EQ(path, u"C:\\p\\枠.txt");
    EXPECT_EQ(t.files.contents(u"C:\\p\\枠.txt"), boxInfoBytes(rows, movie, false));
    EXPECT_EQ(IniProfile(t.io).readString(u"C:\\p\\p.mcc", u"FileName", u"InpBoxName", u""), u"C:\\p\\枠.txt");

    // A named file is written whether or not the list was shown.
    rows.push_back(newBoxRow(2));
    EXPECT_EQ(saveBoxList(t.io, rows, movie, project, false), 0);
    EXPECT_EQ(t.files.contents(u"C:\\p\\枠.txt"), boxInfoBytes(rows, movie, true));
    EXPECT_EQ(t.ui.saveRequests.size(), 2u);
}

// Junk, or text without a box row, loads as no rows and is never saved
// over; files as the program writes them load and save without a word.
TEST_F(BoxSaveTest, AFileThatGaveNothingIsNeverSavedOver) {
    path = u"C:\\p\\枠情報.csv";
    std::string junk(3000, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = char((i * 7919 + 13) % 251);
    const std::string unread[] = {junk, utf16File({kBoxFileHeader, u"一,1,0:00:00.00,30,0:00:01.00,1,1,9,9,0,0,0,0,黒,64"})};
    for (const std::string& bytes : unread) {
        t.files.addFile(path, bytes);
        t.ui.messages.clear();
        std::u16string unreadFile;
        ASSERT_EQ(loadBoxInfo(t.io, path, rows, unreadFile), 0);
        EXPECT_TRUE(rows.empty());
        EXPECT_EQ(unreadFile, path);
        rows.push_back(newBoxRow(1));  // even with a row added since
        EXPECT_EQ(saveBoxList(t.io, rows, movie, project, true, unreadFile), -1);
        EXPECT_EQ(t.files.contents(path), bytes);
        ASSERT_EQ(t.ui.messages.size(), 2u);
        EXPECT_EQ(t.ui.messages[0].text, u"枠情報ファイルから枠を1行も読み込めませんでした\n"
                                         u"（枠情報ファイルの形式ではないか、壊れています）");
        EXPECT_EQ(t.ui.messages[1].text, u"読み込めなかった枠情報ファイルには上書き保存しません");
    }
    for (const std::string& bytes : {std::string(), utf16File({kBoxFileHeader}), utf16File({kBoxFileHeader, u"", u",,,"}),
                                     boxInfoBytes({newBoxRow(1)}, movie, true)}) {
        t.files.addFile(path, bytes);
        t.ui.messages.clear();
        std::u16string unreadFile = u"前の枠情報.csv";
        ASSERT_EQ(loadBoxInfo(t.io, path, rows, unreadFile), 0);
        EXPECT_EQ(unreadFile, u"");
        EXPECT_EQ(saveBoxList(t.io, rows, movie, project, true, unreadFile), 0);
        EXPECT_TRUE(t.ui.messages.empty());
    }
}

}  // namespace
}  // namespace qucap
