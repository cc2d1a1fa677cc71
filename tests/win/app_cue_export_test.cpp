// The ﾂｰﾙ menu's WebVTT and TTML exports: greyed without a project; with
// one, the save dialog names the file and the caption list (the new
// project's sample row) is written there with its ruby, as the console tool
// writes it.
#include <windows.h>

#include "app/main_window/app_state.h"
#include "app/main_window/parts.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

class CueExportTest : public AppWindowTest {
protected:
    bool greyed(int id) {
        applyMenuState(nullptr);
        return menuItemGreyed(main(), id);
    }
    std::optional<std::u16string> movie_ = testMovie("small.avi");
};

TEST_F(CueExportTest, TheToolMenuWritesTheCaptionListAsWebVttAndTtml) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_FALSE(createProject(u"書き出し", *movie_, 320).empty());
    ASSERT_TRUE(openMainWindow());
    EXPECT_TRUE(greyed(IDM_EXPORT_WEBVTT));
    EXPECT_TRUE(greyed(IDM_EXPORT_TTML));
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    EXPECT_FALSE(greyed(IDM_EXPORT_WEBVTT));
    EXPECT_FALSE(greyed(IDM_EXPORT_TTML));

    struct Export {
        int command;
        std::wstring_view kind;
        std::u16string name;
        std::string_view start, ruby;  // how the file starts, and its ruby markup
    };
    const Export exports[] = {
        {IDM_EXPORT_WEBVTT, L"WebVTTﾌｧｲﾙ", u"字幕.vtt", "WEBVTT", "<rt>"},
        {IDM_EXPORT_TTML, L"TTMLﾌｧｲﾙ", u"字幕.ttml", "<?xml", "tts:ruby=\"text\""},
    };
    for (const Export& e : exports) {
        const std::u16string path = *documents_ / e.name;
        ModalSteps steps;
        steps.steps = {[&](HWND dialog) { answerSaveDialog(dialog, path); }};
        runModal([&] { SendMessageW(main(), WM_COMMAND, e.command, 0); }, [&] { return findSaveDialog(e.kind); },
                 steps);
        pumpMessages();
        const std::string written = fileBytes(path);
        EXPECT_EQ(written.rfind(e.start, 0), 0u) << written;
        EXPECT_NE(written.find(e.ruby), std::string::npos) << written;
        EXPECT_NE(written.find("じまく"), std::string::npos) << written;
        EXPECT_NE(written.find("カブレン"), std::string::npos) << written;  // the new project's sample row
    }
}

}  // namespace
}  // namespace qucap::test
