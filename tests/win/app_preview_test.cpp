// The preview in the real main window under Wine: the sample movie plays in
// the video area with the counters and caption lines of its current time,
// pauses, steps frame by frame and stops; with "合成して再生" it plays in
// the preview dialog through the caption filter.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/project/batch_project.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/media/caption_filter.h"
#include "app/media/preview_control.h"
#include "app/media/rgb_picture.h"
#include "app/media/still_graph.h"
#include "app/preview/preview.h"
#include "app/tabs/page.h"
#include "resources/app/resource.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

void click(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
}

// The current frame shown by the frame counter "N / total".
int shownFrame(HWND window) {
    const std::u16string text = controlText(window, IDC_FRAME_COUNTER);
    return std::stoi(std::string(text.begin(), text.begin() + text.find(u' ')));
}

// A picture as rows of blue, green, red from the top.
using Pixels = std::vector<uint8_t>;

Pixels topDownBgr(const uint8_t* bits, int width, int height, int bitsPerPixel) {
    const std::size_t stride = rgbRowBytes(width, bitsPerPixel);
    const int step = bitsPerPixel / 8;
    Pixels pixels;
    for (int row = 0; row < std::abs(height); ++row) {
        const uint8_t* line = bits + stride * std::size_t(height > 0 ? height - 1 - row : row);
        for (int x = 0; x < width; ++x) pixels.insert(pixels.end(), line + x * step, line + x * step + 3);
    }
    return pixels;
}

// The renderer's current picture, where it gives one (Windows; Wine's
// video renderer does not).
Pixels shownPicture() {
    IBasicVideo* video = app().graph.basicVideo();
    long size = 0;
    if (!video || FAILED(video->GetCurrentImage(&size, nullptr)) || size <= 0) return {};
    std::vector<long> image(std::size_t(size + 3) / 4, 0);
    if (FAILED(video->GetCurrentImage(&size, image.data()))) return {};
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    return topDownBgr(reinterpret_cast<const uint8_t*>(image.data()) + header->biSize, header->biWidth,
                      header->biHeight, header->biBitCount);
}

class PreviewTest : public AppWindowTest {
protected:
    // The sample movie (90 frames of 1001/30 ms) in a new project, loaded.
    bool loadProject() {
        if (!movie_) return false;
        if (createProject(u"再生確認", *movie_, 720).empty() || !openMainWindow()) return false;
        loadOfferedProject();
        return app().playState == PlayState::Stopped;
    }
    std::optional<std::u16string> movie_ = testMovie("yuy2.avi");
};

TEST_F(PreviewTest, PlaysPausesStepsAndStopsInTheMainWindow) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(loadProject());
    ASSERT_EQ(app().movie.totalFrames, 90);

    click(main(), IDC_PLAY_PAUSE);
    EXPECT_EQ(app().playState, PlayState::Playing);
    EXPECT_EQ(controlText(main(), IDC_PLAY_PAUSE), u"一時停止(&P)");
    EXPECT_EQ(controlText(main(), IDC_MESSAGE_LINE),
              u"再生または一時停止中です、処理のタブを移動するときや終了するときは、停止して下さい");
    pumpMessages(1200);
    const int playedTo = shownFrame(main());
    EXPECT_GT(playedTo, 10) << "the counters advance while the movie plays";
    EXPECT_EQ(controlText(main(), IDC_FRAME_COUNTER).substr(controlText(main(), IDC_FRAME_COUNTER).find(u'/')),
              u"/ 90");
    // The new project's sample caption is shown from 0 to 10 seconds.
    EXPECT_EQ(controlText(main(), IDC_CAPTION_LINE1), u"カブレン");
    EXPECT_EQ(controlText(main(), IDC_CAPTION_LINE2), u"字幕付加システム");

    click(main(), IDC_PLAY_PAUSE);
    EXPECT_EQ(app().playState, PlayState::Paused);
    pumpMessages(100);
    const int paused = shownFrame(main());
    EXPECT_GE(paused, playedTo);
    pumpMessages(400);
    EXPECT_EQ(shownFrame(main()), paused) << "a paused movie stays";
    EXPECT_TRUE(controlEnabled(main(), IDC_FRAME_BACK));

    click(main(), IDC_FRAME_BACK);
    EXPECT_EQ(shownFrame(main()), paused - 1);
    EXPECT_EQ(previewPosition().currentFrame(), paused - 1);
    click(main(), IDC_FRAME_FORWARD);
    click(main(), IDC_FRAME_FORWARD);
    EXPECT_EQ(shownFrame(main()), paused + 1);

    // The thumb dragged to 50 seeks to frame 45 × 1001/30 ms: frame 46.
    SendMessageW(main(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), LPARAM(GetDlgItem(main(), IDC_POSITION_SCROLL)));
    EXPECT_EQ(shownFrame(main()), 46);
    EXPECT_EQ(GetScrollPos(GetDlgItem(main(), IDC_POSITION_SCROLL), SB_CTL), 50);

    // Resuming replays the project's rewind seconds before the point it stood at.
    const int64_t resumeAt = pendingSeekTarget(previewPosition().currentTimeMs(), app().settings.rewindSeconds);
    const int resumeFrame = int(PreviewPosition(app().movie, resumeAt).currentFrame());
    click(main(), IDC_PLAY_PAUSE);
    EXPECT_EQ(app().playState, PlayState::Playing);
    pumpMessages(300);
    EXPECT_GE(shownFrame(main()), resumeFrame);
    EXPECT_LT(shownFrame(main()), resumeFrame + 25);

    click(main(), IDC_STOP);
    pumpMessages(100);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_EQ(previewPosition().currentFrame(), 1);
    EXPECT_EQ(controlText(main(), IDC_FRAME_COUNTER), u"000000 / 000000");
    EXPECT_EQ(controlText(main(), IDC_CAPTION_LINE1), u"");
    EXPECT_FALSE(app().previewThread) << "the thread ended and was waited for";
    EXPECT_TRUE(boxes_->texts().empty());
}

TEST_F(PreviewTest, AfterASynthesisTheFirstPlayRebuildsTheGraphAndPlays) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(loadProject());
    // What the end of a synthesis leaves: an empty graph and SynthesisDone.
    app().graph.emptyGraph();
    app().playState = PlayState::SynthesisDone;
    click(main(), IDC_PLAY_PAUSE);
    EXPECT_EQ(app().playState, PlayState::Playing);
    pumpMessages(600);
    EXPECT_GT(shownFrame(main()), 3);
    click(main(), IDC_STOP);
    pumpMessages(100);
    EXPECT_EQ(app().playState, PlayState::Stopped);
}

TEST_F(PreviewTest, PlayedToItsEndTheMovieStopsAtTheStart) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(loadProject());
    click(main(), IDC_PLAY_PAUSE);
    for (int waited = 0; waited < 8000 && app().playState == PlayState::Playing; waited += 100) pumpMessages(100);
    pumpMessages(100);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_EQ(previewPosition().currentFrame(), 1);
    EXPECT_FALSE(app().previewThread);
    EXPECT_EQ(controlText(main(), IDC_PLAY_PAUSE), u"再生(&P)");
}

TEST_F(PreviewTest, WithCaptionsTheMoviePlaysInThePreviewDialogThroughTheFilter) {
    if (!movie_) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(loadProject());
    CheckDlgButton(main(), IDC_PLAY_WITH_CAPTIONS, BST_CHECKED);
    std::u16string title, counterWhilePlaying, counterPaused;
    bool pausedStayed = false;
    int64_t pausedAt = 0;
    Pixels shown;
    int pollsLeft = 30;
    ModalSteps run;
    run.steps = {
        [&](HWND dialog) {
            title = windowText(dialog);
            click(dialog, IDC_PLAY_PAUSE);
        },
        // Plays about a second (a step per 40-ms tick), then pauses.
        [&](HWND dialog) {
            if (--pollsLeft > 0) run.again();
            counterWhilePlaying = controlText(dialog, IDC_FRAME_COUNTER);
            if (pollsLeft == 0) click(dialog, IDC_PLAY_PAUSE);
        },
        // A tick the preview thread posted before the pause may still arrive;
        // the counter is read once the thread's 100-ms ticks have passed.
        [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {},
        [&](HWND dialog) {
            counterPaused = controlText(dialog, IDC_FRAME_COUNTER);
            pausedAt = currentPosition(app().graph);
            shown = shownPicture();
        },
        [&](HWND dialog) { pausedStayed = controlText(dialog, IDC_FRAME_COUNTER) == counterPaused; },
    };
    runModal([&] { click(main(), IDC_PLAY_PAUSE); }, findPreviewDialog, run);

    EXPECT_EQ(title, u"ﾌﾟﾚﾋﾞｭｰ (yuy2.avi)");
    EXPECT_NE(counterWhilePlaying.rfind(u"1 /", 0), 0u) << "the counters advance: " << std::string(counterWhilePlaying.begin(), counterWhilePlaying.end());
    EXPECT_TRUE(pausedStayed);
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_FALSE(app().captionsInPreview);
    EXPECT_TRUE(app().graph.filterNames().empty()) << "closing the dialog empties the graph";
    EXPECT_EQ(windowText(main()), u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ Ver 3.70");
    EXPECT_TRUE(boxes_->texts().empty());

    // The picture shown is the still of that time through the same filter,
    // caption and all (where the renderer can tell its picture).
    if (shown.empty()) return;
    StillGraph still;
    ASSERT_EQ(still.build(*movie_, captionFilterMaker(app().paths.programFolder)), StillBuild::Built);
    ASSERT_EQ(still.seekTo(pausedAt), S_OK);
    ASSERT_EQ(still.grab(15'000), StillGrab::Kept);
    const std::optional<RgbPicture> picture = still.picture();
    ASSERT_TRUE(picture);
    const Pixels expected = topDownBgr(picture->bytes.data(), picture->width, picture->height, picture->bitsPerPixel);
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected) << "the preview's picture differs from the still of the same time";
}

}  // namespace
}  // namespace qucap::test
