// How fast the captioned preview runs, for tools/bench_preview.sh (skipped
// unless QUCAP_PREVIEW_BENCH_MOVIE names a movie): the wall time of the
// whole movie played in the preview dialog through the caption filter, the
// frames the renderer dropped where it tells them, and the medians of 20
// frame steps and 20 thumb drags (seek to picture shown).
#include <windows.h>
#include <dshow.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/main_window/main_window_texts.h"
#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/preview/preview.h"
#include "app/tabs/page.h"
#include "captiondata/caption/caption_file.h"
#include "resources/app/resource.h"
#include "tests/support/test_io.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/environment_variable.h"

namespace qucap::test {
namespace {

using Clock = std::chrono::steady_clock;

void click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

TEST_F(AppWindowTest, PreviewBenchmark) {
    const std::u16string movie = environmentVariable(L"QUCAP_PREVIEW_BENCH_MOVIE");
    if (movie.empty()) GTEST_SKIP() << "QUCAP_PREVIEW_BENCH_MOVIE is not set";
    NewProject request;
    request.name = u"速度";
    request.saveLocation = *documents_ / u"速度";
    request.settingsFile = *programFolder_ / u"Qucapadd.ini";
    request.inputMovie = movie;
    const std::u16string project = createBatchProject(app().io, request);
    ASSERT_FALSE(project.empty());
    // A two-line caption with ruby and colours over the whole movie.
    putFile(*documents_ / u"速度\\字幕情報.csv",
            utf16File({kCaptionFileHeader,
                       u"1,0:00:00.00,0:01:00.00,横,$Y字幕の速さを測ります,0,字幕(じまく),0,$Cカブレン字幕付加システム,0,,0,0"}));
    ASSERT_TRUE(openMainWindow());
    click(app().pages[0]->window(), IDC_LOAD);
    pumpMessages(200);
    ASSERT_EQ(app().playState, PlayState::Stopped);
    CheckDlgButton(main(), IDC_PLAY_WITH_CAPTIONS, BST_CHECKED);

    Clock::time_point started;
    double wallMs = 0;
    long dropped = -1, drawn = -1;
    std::vector<double> steps, drags;
    ModalSteps run;
    run.steps = {
        [&](HWND dialog) {
            started = Clock::now();
            click(dialog, IDC_PLAY_PAUSE);
        },
        [&](HWND) {
            if (app().playState == PlayState::Playing || app().previewThread) return run.again();
            wallMs = milliseconds(Clock::now() - started);
            ComPtr<IQualProp> quality;
            if (app().graph.videoRenderer() && SUCCEEDED(app().graph.videoRenderer().query(IID_IQualProp, quality))) {
                int value = 0;
                if (SUCCEEDED(quality->get_FramesDroppedInRenderer(&value))) dropped = value;
                if (SUCCEEDED(quality->get_FramesDrawn(&value))) drawn = value;
            }
        },
        [&](HWND dialog) {
            for (int i = 0; i < 20; ++i) {
                const Clock::time_point at = Clock::now();
                click(dialog, IDC_FRAME_FORWARD);
                steps.push_back(milliseconds(Clock::now() - at));
            }
            for (int i = 0; i < 20; ++i) {
                const Clock::time_point at = Clock::now();
                SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, (i * 37) % 100),
                             LPARAM(GetDlgItem(dialog, IDC_POSITION_SCROLL)));
                drags.push_back(milliseconds(Clock::now() - at));
            }
        },
    };
    runModal([&] { click(main(), IDC_PLAY_PAUSE); }, findPreviewDialog, run, 20);
    const double movieMs = double(app().movie.duration) / 10'000;
    std::printf("preview %dx%d: %.1f s of movie played in %.2f s; frames drawn %ld, dropped %ld (-1: the renderer "
                "does not tell); frame step median %.1f ms; thumb drag median %.1f ms\n",
                app().movie.width, app().movie.height, movieMs / 1000, wallMs / 1000, drawn, dropped, median(steps),
                median(drags));
    EXPECT_GT(wallMs, 0);
}

// The movie played whole in the main window twice, once with the timeline
// tab and its strip shown (redrawn at every tick, from the movie's analysed
// sound), once with the file-selection tab: the wall time of each and the
// renderer's dropped frames where it tells them.
TEST_F(AppWindowTest, MainWindowPreviewWithAndWithoutTheTimingStrip) {
    const std::u16string movie = environmentVariable(L"QUCAP_PREVIEW_BENCH_MOVIE");
    if (movie.empty()) GTEST_SKIP() << "QUCAP_PREVIEW_BENCH_MOVIE is not set";
    ASSERT_FALSE(createProject(u"帯", movie, 720).empty());
    ASSERT_TRUE(openMainWindow());
    app().analyseMovies = true;
    loadOfferedProject();
    for (int i = 0; i < 1200 && !(app().cuts && app().soundPeaks); ++i) pumpMessages(50);
    ASSERT_EQ(app().playState, PlayState::Stopped);
    struct Run {
        int tab;
        const char* what;
        long drawn = -1, dropped = -1;
        double wallMs = 0;
    };
    Run runs[] = {{kTimelineTab, "with the timing strip"}, {0, "without it"}};
    for (Run& run : runs) {
        openTab(run.tab);
        const Clock::time_point started = Clock::now();
        click(main(), IDC_PLAY_PAUSE);
        pumpMessages(100);
        for (int i = 0; i < 1200 && (app().playState == PlayState::Playing || app().previewThread); ++i)
            pumpMessages(50);
        run.wallMs = milliseconds(Clock::now() - started);
        ComPtr<IQualProp> quality;
        if (app().graph.videoRenderer() && SUCCEEDED(app().graph.videoRenderer().query(IID_IQualProp, quality))) {
            int value = 0;
            if (SUCCEEDED(quality->get_FramesDroppedInRenderer(&value))) run.dropped = value;
            if (SUCCEEDED(quality->get_FramesDrawn(&value))) run.drawn = value;
        }
        click(main(), IDC_STOP);
        pumpMessages(100);
    }
    for (const Run& run : runs)
        std::printf("main-window preview %s: %.2f s of playing; frames drawn %ld, dropped %ld (-1: the renderer "
                    "does not tell)\n",
                    run.what, run.wallMs / 1000, run.drawn, run.dropped);
    forceClose();
}

}  // namespace
}  // namespace qucap::test
