// Closing the main window with a project loaded keeps everything edited:
// rows committed to the list, box rows and colours are on disk afterwards,
// and the next start loads them.
#include <windows.h>

#include "app/app_state.h"
#include "app/core/batchproject.h"
#include "app/main_window.h"
#include "app/tabs/page.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

class CloseSaveTest : public AppWindowTest {
protected:
    // A new project for the sample movie, offered as the last one opened.
    std::u16string makeProject() {
        NewProject request;
        request.name = u"保存確認";
        request.saveLocation = *documents_ / u"保存確認";
        request.settingsFile = *programFolder_ / u"Qucapadd.ini";
        request.inputMovie = *movie_;
        request.movie = {333667, 320};
        return createBatchProject(app().io, request);
    }
    void loadOfferedProject() {
        HWND page = app().pages[0]->window();
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), LPARAM(GetDlgItem(page, IDC_LOAD)));
        pumpMessages();
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
    const int row = app().captions.appendRow();
    app().captions.setCell(row, 4, u"閉じても残る字幕");
    app().captions.rebuildCaptionTable();
    ASSERT_FALSE(app().boxes.empty());  // the new project's sample box
    app().boxes.clear();
    app().colours[0].text = colourFromText(u"123456");
    ASSERT_FALSE(app().captions.pendingEdit());
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

}  // namespace
}  // namespace qucap::test
