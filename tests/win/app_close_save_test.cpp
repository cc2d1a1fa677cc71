// Closing the main window, or letting go of the project on the
// file-selection tab, with a project loaded keeps everything edited: rows
// committed to the list, box rows and colours are on disk afterwards, and
// the next start loads them; files the user did not change keep their bytes.
#include <windows.h>

#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/tabs/page.h"
#include "captiondata/project/project_files.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

class CloseSaveTest : public AppWindowTest {
protected:
    // A new project for the sample movie, offered as the last one opened.
    std::u16string makeProject() { return createProject(u"保存確認", *movie_, 320); }
    // The caption list with one more committed row holding `text`.
    static void commitRow(std::u16string_view text) {
        const int row = app().captions.appendRow();
        app().captions.setCell(row, 4, text);
        app().captions.rebuildCaptionTable();
        ASSERT_FALSE(app().captions.pendingEdit());
    }
    // One character typed at the end of the input-movie field of the file-selection tab.
    static void typeIntoInputMovieField() {
        HWND edit = GetDlgItem(app().pages[0]->window(), IDC_INPUT_MOVIE);
        const int end = GetWindowTextLengthW(edit);
        SendMessageW(edit, EM_SETSEL, end, end);
        SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(L"x"));
        pumpMessages();
    }
    static std::u16string captionFileText() {
        return fromUtf16Bytes(fileBytes(app().settings.captionInfoPath));
    }
    std::optional<std::u16string> movie_ = testMovie("small.avi");
};

TEST_F(CloseSaveTest, TheCloseBoxSavesCommittedRowsBoxesAndColours) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string project = makeProject();
    ASSERT_FALSE(project.empty());
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_EQ(app().playState, PlayState::Stopped);
    ASSERT_TRUE(app().projectLoaded);

    // A row committed to the list, a box row and a colour: nothing pending.
    const int rowsBefore = app().captions.rowCount();
    commitRow(u"閉じても残る字幕");
    ASSERT_FALSE(app().boxes.empty());  // the new project's sample box
    app().boxes.clear();
    app().colours.set(SlotRed, TextColour, colourFromText(u"123456"));
    const std::size_t boxRowsBefore = app().boxes.size();

    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());

    // The next start offers the same project; its load brings the edits back.
    resetAppState();
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_EQ(app().playState, PlayState::Stopped);
    ASSERT_EQ(app().captions.rowCount(), rowsBefore + 1);
    EXPECT_EQ(app().captions.cell(rowsBefore, 4), u"閉じても残る字幕");
    EXPECT_EQ(app().colours[0].text.value, colourFromText(u"123456").value);
    EXPECT_EQ(app().boxes.size(), boxRowsBefore);
}

TEST_F(CloseSaveTest, AFieldEditAfterTheLoadSavesTheProjectBeforeLettingItGo) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE(makeProject().empty());
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    const std::u16string captionFile = app().settings.captionInfoPath;
    commitRow(u"入力欄を変えても残る字幕");

    typeIntoInputMovieField();
    EXPECT_FALSE(app().projectLoaded);
    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());
    EXPECT_NE(fromUtf16Bytes(fileBytes(captionFile)).find(u"入力欄を変えても残る字幕"), std::u16string::npos);
}

TEST_F(CloseSaveTest, WhenTheProjectCannotBeSavedNoKeepsItLoadedAndTheFieldAsItWas) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE(makeProject().empty());
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    const std::u16string field = controlText(app().pages[0]->window(), IDC_INPUT_MOVIE);
    commitRow(u"守られる字幕");
    setReadOnly(app().settings.captionInfoPath, true);
    boxes_->answerNext({IDOK, IDNO});

    typeIntoInputMovieField();
    ASSERT_TRUE(boxes_->waitFor(2));
    EXPECT_EQ(boxes_->texts(), (std::vector<std::u16string>{u"字幕情報ファイルの書き込みに失敗しました",
                                                             u"保存できなかったファイルがあります。\n保存せずにプロジェクトを閉じますか？"}));
    EXPECT_TRUE(app().projectLoaded);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_EQ(controlText(app().pages[0]->window(), IDC_INPUT_MOVIE), field);
    EXPECT_EQ(app().captions.cell(app().captions.rowCount() - 1, 4), u"守られる字幕");

    // Once the file can be written again, ending saves the row.
    setReadOnly(app().settings.captionInfoPath, false);
    boxes_->clear();
    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_NE(captionFileText().find(u"守られる字幕"), std::u16string::npos);
}

TEST_F(CloseSaveTest, AColourFileNotChangedInTheProgramKeepsItsBytesAndShowsWhatTheFilterDraws) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string project = makeProject();
    ASSERT_FALSE(project.empty());
    // The eight rows with a blank line after them, in UTF-8, as a spreadsheet saves them.
    const std::u16string colourFile = newProjectPaths(*documents_ / u"保存確認", u"保存確認").colourInfo;
    std::string bytes = "0,\xE6\x96\x87\xE5\xAD\x97\xE8\x89\xB2,b,c\r\n";
    for (int n = 1; n <= 8; ++n) bytes += std::to_string(n) + ",12345" + std::to_string(n) + ",ABCDEF,000000\r\n";
    bytes += "\r\n";
    ASSERT_EQ(fileBytes(colourFile).substr(0, 2), "\xFF\xFE") << "the project names this colour file";
    putFile(colourFile, bytes);

    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    EXPECT_EQ(app().colours[SlotRed].text.text, u"123451");
    EXPECT_EQ(app().colours[SlotWhite].text.text, u"123458");
    EXPECT_FALSE(app().colours.changed());
    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_EQ(fileBytes(colourFile), bytes);
}

// Files the program could not read as they are keep their bytes: a picture
// named as the caption-info file (its bytes would make a row), junk as the
// box-info file, and a Shift-JIS file with a few bytes that are not
// Shift-JIS, ended without a change.
TEST_F(CloseSaveTest, FilesThatCouldNotBeReadAreNotSavedOver) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE(makeProject().empty());
    const NewProjectPaths paths = newProjectPaths(*documents_ / u"保存確認", u"保存確認");
    const std::string picture("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\r\n1,\x02\x03,\x04\r\n", 27);
    std::string junk(3000, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = char((i * 7919 + 13) % 251);
    putFile(paths.captionInfo, picture);
    putFile(paths.boxInfo, junk);

    boxes_->answerNext({IDOK, IDOK});
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(boxes_->waitFor(2));
    EXPECT_EQ(boxes_->texts(), (std::vector<std::u16string>{
                                   u"字幕情報ファイルから字幕を1行も読み込めませんでした\n（字幕情報ファイルの形式ではないか、壊れています）",
                                   u"枠情報ファイルから枠を1行も読み込めませんでした\n（枠情報ファイルの形式ではないか、壊れています）"}));
    EXPECT_EQ(app().captions.rowCount(), 0);
    EXPECT_TRUE(app().boxes.empty());
    boxes_->clear();
    boxes_->answerNext({IDOK, IDOK, IDYES});
    SendMessageW(main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(boxes_->waitFor(3));
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_EQ(boxes_->texts(), (std::vector<std::u16string>{u"読み込めなかった字幕情報ファイルには上書き保存しません",
                                                             u"読み込めなかった枠情報ファイルには上書き保存しません",
                                                             u"保存できなかったファイルがあります。\n保存せずに終了しますか？"}));
    EXPECT_EQ(fileBytes(paths.captionInfo), picture);
    EXPECT_EQ(fileBytes(paths.boxInfo), junk);

    // 字幕1, 字幕2 and a third row holding 81 20 FF, in Shift-JIS.
    const std::string shiftJis = "1,0:00:01.00,0:00:01.00,\x89\xA1,\x8E\x9A\x96\x8B" "1,0,,0,,0,,0,0\r\n"
                                 "2,0:00:02.00,0:00:01.00,\x89\xA1,\x8E\x9A\x96\x8B" "2,0,,0,,0,,0,0\r\n"
                                 "3,0:00:03.00,0:00:01.00,\x89\xA1,\x81\x20\xFF,0,,0,,0,,0,0\r\n";
    putFile(paths.captionInfo, shiftJis);
    putFile(paths.boxInfo, "");
    resetAppState();
    boxes_->clear();
    boxes_->answerNext({IDOK});
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0].substr(0, 24), u"字幕情報ファイルの3行目に読めない文字があります");
    ASSERT_EQ(app().captions.rowCount(), 3);
    EXPECT_EQ(app().captions.cell(0, kPlainColumns[Line1Body]), u"字幕1");
    EXPECT_EQ(app().captions.cell(2, kPlainColumns[Line1Body]), u"\uFFFD \uFFFD");
    boxes_->clear();
    SendMessageW(main(), WM_CLOSE, 0, 0);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());
    EXPECT_EQ(fileBytes(paths.captionInfo), shiftJis);
}

}  // namespace
}  // namespace qucap::test
