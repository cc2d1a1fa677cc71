// The ﾂｰﾙ menu's caption-file import, as a user brings an SRT into a
// project: greyed without a project; with one, the open dialog names the
// file, the question before the sample row is replaced is answered Yes, the
// list and the caption-info file written at 終了 hold the rows with their
// default positions, and the record shows the notes.
#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/parts.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

class CaptionImportTest : public AppWindowTest {
protected:
    bool greyed(int id) {
        applyMenuState(nullptr);
        return menuItemGreyed(main(), id);
    }
    void importThroughTheDialog(const std::u16string& path) {
        ModalSteps steps;
        steps.steps = {[&](HWND dialog) { answerSaveDialog(dialog, path); }};
        runModal([&] { SendMessageW(main(), WM_COMMAND, IDM_IMPORT_CAPTIONS, 0); },
                 [&] { return findDialogTitled(L"字幕ファイルの読み込み"); }, steps);
        pumpMessages();
    }
    std::optional<std::u16string> movie_ = testMovie("small.avi");
};

TEST_F(CaptionImportTest, AnSrtFromATranscriptionToolBecomesTheCaptionList) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string project = createProject(u"読み込み", *movie_, 352);
    ASSERT_FALSE(project.empty());
    const std::u16string srt = *documents_ / u"文字起こし.srt";
    {
        std::ofstream file(reinterpret_cast<const wchar_t*>(srt.c_str()), std::ios::binary);
        file << "1\r\n00:00:01,000 --> 00:00:02,000\r\nこんにちは\r\n<b>元気</b>ですか\r\n\r\n"
                "2\r\n00:00:01,500 --> 00:00:03,000\r\nはい\r\n";
    }
    ASSERT_TRUE(openMainWindow());
    EXPECT_TRUE(greyed(IDM_IMPORT_CAPTIONS));
    EXPECT_TRUE(greyed(IDM_IMPORT_LOG));
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    EXPECT_FALSE(greyed(IDM_IMPORT_CAPTIONS));
    ASSERT_EQ(app().captions.rowCount(), 1);  // the new project's sample row

    boxes_->answerNext({IDYES});
    importThroughTheDialog(srt);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], u"字幕の一覧にある1行の字幕を、読み込む字幕で置き換えますか？");
    ASSERT_EQ(app().captions.rowCount(), 2);
    EXPECT_EQ(ListView_GetItemCount(mainCaptionListView()), 2);
    EXPECT_EQ(controlText(main(), 1113), u"2行の字幕を読み込みました（記録 1件：ﾂｰﾙ → 読み込みの記録）");
    const CaptionFileRow first = app().captions.fileRow(0);
    EXPECT_EQ(first.start, u"0:00:01.00");
    EXPECT_EQ(first.duration, u"0:00:00.50");
    EXPECT_EQ(first.texts[Line2Body], u"$H元気$hですか");
    // The default positions of a 352-pixel-wide movie filled the new rows.
    EXPECT_NE(first.positions[Line1Body], 0);
    EXPECT_NE(first.positions[Line2Body], 0);

    EXPECT_FALSE(greyed(IDM_IMPORT_LOG));
    boxes_->clear();
    SendMessageW(main(), WM_COMMAND, IDM_IMPORT_LOG, 0);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], u"読み込みの記録\n\n1行目：次の字幕と重なるため、終了時間を0:00:01.50にしました");

    // 終了 saves the list to the project's caption-info file.
    boxes_->clear();
    boxes_->answerNext({IDYES});
    SendMessageW(main(), WM_COMMAND, IDC_END, 0);
    pumpMessages(200);
    const std::u16string saved = fromUtf16Bytes(fileBytes(*documents_ / u"読み込み\\字幕情報.csv"));
    EXPECT_NE(saved.find(u"1,0:00:01.00,0:00:00.50,横,こんにちは,"), std::u16string::npos);
    EXPECT_NE(saved.find(u"2,0:00:01.50,0:00:01.50,横,はい,"), std::u16string::npos);
}

}  // namespace
}  // namespace qucap::test
