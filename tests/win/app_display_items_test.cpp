// The dialog "表示項目設定" opened in the test process over real list files
// in a folder of the test's own, driven from a timer while it is modal.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/display_items/display_items.h"
#include "app/core/main_window/main_layout.h"
#include "app/main_window/app_state.h"
#include "app/main_window/font_names.h"
#include "app/tabs/display_items_dialog.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/temp_folder.h"
#include "tests/win/window_capture.h"

namespace qucap::test {
namespace {

using Names = std::vector<std::u16string>;
using Step = std::function<void(HWND dialog)>;

const Names kFonts{u"ＭＳ ゴシック", u"ＭＳ 明朝", u"メイリオ"};

EncoderTables testEncoders() {
    EncoderTables tables;
    tables.videoCompressors = {u"Cinepak Codec by Radius", u"Microsoft Video 1"};
    tables.videoEncoderFilters = {u"DV Video Encoder"};
    tables.audioCompressors = {u"PCM", u"IMA ADPCM"};
    tables.audioEncoderFilters = {u"MP3 Encoder"};
    return tables;
}

// The bytes the program writes for a list: FF FE, then each name in UTF-16LE ended by CR LF.
std::string listBytes(const Names& names) {
    std::string bytes = "\xFF\xFE";
    for (const auto& name : names)
        for (char16_t unit : name + u"\r\n") {
            bytes += char(unit & 0xFF);
            bytes += char(unit >> 8);
        }
    return bytes;
}

// One opening of the modal dialog: a thread timer performs one step per
// tick on it, then closes it with "終了" if the steps did not.
struct DialogRun {
    std::vector<Step> steps;
    std::size_t next = 0;
    bool leftOpen = false;
    bool opened = false;
    bool busy = false;
};
DialogRun* currentRun = nullptr;

HWND findDialog() {
    HWND dialog = FindWindowW(L"#32770", L"表示項目設定");
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    return dialog && process == GetCurrentProcessId() ? dialog : nullptr;
}

void command(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}
void close(HWND dialog) { command(dialog, IDCANCEL); }

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    DialogRun& run = *currentRun;
    HWND dialog = findDialog();
    // A step showing a message box runs a modal loop of its own, where the
    // timer keeps ticking: wait for the step to end.
    if (!dialog || run.busy) return;
    run.opened = true;
    run.busy = true;
    if (run.next < run.steps.size()) {
        run.steps[run.next++](dialog);
    } else {
        run.leftOpen = true;
        close(dialog);
    }
    run.busy = false;
}

// Opens the dialog and runs the steps; true when it closed by itself.
bool runDialog(std::vector<Step> steps) {
    DialogRun run{std::move(steps)};
    currentRun = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, onTick);
    showDisplayItems(nullptr);
    KillTimer(nullptr, timer);
    currentRun = nullptr;
    EXPECT_TRUE(run.opened) << "the dialog did not open";
    return run.opened && !run.leftOpen;
}

void clickRadio(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HWND listOf(HWND dialog) { return GetDlgItem(dialog, IDC_DISPLAY_ITEMS); }

// The rows of the list: the name of column 1 and the check state.
std::vector<DisplayItem> rows(HWND dialog) {
    HWND list = listOf(dialog);
    std::vector<DisplayItem> found;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        wchar_t text[128] = {};
        ListView_GetItemText(list, row, 1, text, int(std::size(text)));
        found.push_back({reinterpret_cast<const char16_t*>(text), ListView_GetCheckState(list, row) != 0});
    }
    return found;
}

Names rowNames(HWND dialog) {
    Names names;
    for (const auto& row : rows(dialog)) names.push_back(row.name);
    return names;
}

std::vector<bool> rowChecks(HWND dialog) {
    std::vector<bool> checks;
    for (const auto& row : rows(dialog)) checks.push_back(row.checked);
    return checks;
}

std::vector<bool> radiosChecked(HWND dialog) {
    std::vector<bool> checked;
    for (int id : {IDC_LIST_FONTS, IDC_LIST_VIDEO_ENCODERS, IDC_LIST_AUDIO_ENCODERS})
        checked.push_back(IsDlgButtonChecked(dialog, id) == BST_CHECKED);
    return checked;
}

void uncheck(HWND dialog, int row) { ListView_SetCheckState(listOf(dialog), row, FALSE); }

class DisplayItemsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool ready = [] {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
            return InitCommonControlsEx(&controls) != FALSE;
        }();
        ASSERT_TRUE(ready);
        resetAppState();
        app().fontNames = kFonts;
        app().encoders = testEncoders();
        boxes_ = std::make_unique<MessageBoxWatcher>(u"カブレン字幕付加システム");
    }
    void TearDown() override {
        boxes_.reset();
        resetAppState();
    }

    // The lists as the program's start makes them: loaded for kinds 1, 2, 3.
    void loadLists() {
        AppState& state = app();
        state.displayLists = std::make_unique<DisplayLists>(folder_.path());
        for (DisplayListKind kind : kKinds)
            state.displayLists->load(state.io, kind, displayListSourceNames(kind, state.fontNames, state.encoders));
    }

    std::u16string path(DisplayListKind kind) const { return app().displayLists->path(kind); }
    std::string bytes(DisplayListKind kind) const { return fileBytes(path(kind)); }
    static bool listed(DisplayListKind kind, std::u16string_view name) {
        return app().displayLists->isListed(kind, name);
    }

    static constexpr DisplayListKind kKinds[] = {DisplayListKind::Fonts, DisplayListKind::VideoEncoders,
                                                 DisplayListKind::AudioEncoders};
    TempFolder folder_;
    std::unique_ptr<MessageBoxWatcher> boxes_;
};

TEST_F(DisplayItemsDialogTest, OpensCentredOnFontsWithEveryNameCheckedAndTheSaveButtonHidden) {
    loadLists();
    EXPECT_EQ(bytes(DisplayListKind::Fonts), listBytes(kFonts));
    EXPECT_TRUE(runDialog({[](HWND dialog) {
        EXPECT_EQ(radiosChecked(dialog), (std::vector<bool>{true, false, false}));
        EXPECT_EQ(rowNames(dialog), kFonts);
        EXPECT_EQ(rowChecks(dialog), (std::vector<bool>{true, true, true}));

        HWND list = listOf(dialog);
        const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & styles, styles);
        RECT frame{};
        GetWindowRect(list, &frame);
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), 25);
        EXPECT_EQ(ListView_GetColumnWidth(list, 1), (frame.right - frame.left) - 49);
        wchar_t title[64] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = title;
        column.cchTextMax = int(std::size(title));
        ASSERT_TRUE(ListView_GetColumn(list, 1, &column));
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(title)), u"インストールされているファイル");

        auto shown = [&](int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; };
        EXPECT_FALSE(shown(IDOK));
        EXPECT_TRUE(shown(IDCANCEL));
        EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);

        RECT window{};
        GetWindowRect(dialog, &window);
        const Point centred = centredWindowPosition({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                                    {window.right - window.left, window.bottom - window.top});
        EXPECT_EQ(window.left, centred.x);
        EXPECT_EQ(window.top, centred.y);
        close(dialog);
    }}));
    // Closing unchanged rewrites the same bytes.
    EXPECT_EQ(bytes(DisplayListKind::Fonts), listBytes(kFonts));
    EXPECT_TRUE(boxes_->texts().empty());
}

TEST_F(DisplayItemsDialogTest, EachWayOfClosingSavesTheUncheckedNameAway) {
    // "終了", the close box and Escape.
    const std::vector<Step> closings = {
        [](HWND dialog) { close(dialog); },
        [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); },
        [](HWND dialog) { PostMessageW(listOf(dialog), WM_KEYDOWN, VK_ESCAPE, 0); },
    };
    for (int way = 0; way < int(closings.size()); ++way) {
        SCOPED_TRACE(way);
        // A fresh start: no list file, so every font is offered again.
        removeTree(DisplayLists(folder_.path()).path(DisplayListKind::Fonts));
        loadLists();
        EXPECT_TRUE(runDialog({[&](HWND dialog) {
                                   uncheck(dialog, way);
                                   closings[way](dialog);
                               },
                               [](HWND) {}}));
        Names kept = kFonts;
        kept.erase(kept.begin() + way);
        EXPECT_EQ(bytes(DisplayListKind::Fonts), listBytes(kept));
        EXPECT_FALSE(listed(DisplayListKind::Fonts, kFonts[way]));
        for (const auto& name : kept) EXPECT_TRUE(listed(DisplayListKind::Fonts, name));
        if (way > 0) continue;
        // The next opening shows the saved choice (once: each closing under
        // Wine without a window manager costs two seconds).
        std::vector<bool> checks;
        runDialog({[&](HWND dialog) {
            checks = rowChecks(dialog);
            close(dialog);
        }});
        std::vector<bool> expected(kFonts.size(), true);
        expected[way] = false;
        EXPECT_EQ(checks, expected);
    }
}

TEST_F(DisplayItemsDialogTest, EnterSavesAndKeepsTheDialogOpen) {
    loadLists();
    std::string whileOpen;
    bool stillOpen = false;
    EXPECT_TRUE(runDialog({
        [](HWND dialog) {
            uncheck(dialog, 1);
            SetFocus(listOf(dialog));
            PostMessageW(listOf(dialog), WM_KEYDOWN, VK_RETURN, 0);
        },
        [&](HWND dialog) {
            whileOpen = bytes(DisplayListKind::Fonts);
            stillOpen = IsWindowVisible(dialog) != FALSE;
            close(dialog);
        },
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(whileOpen, listBytes({u"ＭＳ ゴシック", u"メイリオ"}));
}

TEST_F(DisplayItemsDialogTest, RadiosShowEachKindAndRewriteTheListsKeepingNamesNotInstalled) {
    // A list saved by another editor: 8-bit without a byte-order mark.
    putFile(DisplayLists(folder_.path()).path(DisplayListKind::VideoEncoders), "Microsoft Video 1\r\nGone Codec\r\n");
    loadLists();
    const std::string fontsBefore = bytes(DisplayListKind::Fonts);
    const std::string audioBefore = bytes(DisplayListKind::AudioEncoders);
    Names video, audio, fonts;
    std::vector<bool> videoChecks, audioChecks, radios;
    std::string fontsAfterSwitch, videoAfterSwitch;
    EXPECT_TRUE(runDialog({[&](HWND dialog) {
        clickRadio(dialog, IDC_LIST_VIDEO_ENCODERS);
        fontsAfterSwitch = bytes(DisplayListKind::Fonts);
        video = rowNames(dialog);
        videoChecks = rowChecks(dialog);
        clickRadio(dialog, IDC_LIST_AUDIO_ENCODERS);
        videoAfterSwitch = bytes(DisplayListKind::VideoEncoders);
        audio = rowNames(dialog);
        audioChecks = rowChecks(dialog);
        clickRadio(dialog, IDC_LIST_FONTS);
        fonts = rowNames(dialog);
        radios = radiosChecked(dialog);
        close(dialog);
    }}));
    EXPECT_EQ(fontsAfterSwitch, fontsBefore);
    EXPECT_EQ(video, (Names{u"Cinepak Codec by Radius", u"Microsoft Video 1", u"DV Video Encoder"}));
    EXPECT_EQ(videoChecks, (std::vector<bool>{false, true, false}));
    // Rewritten in the program's own form: the checked rows, then the name
    // that is not installed now, which is not shown but stays in the list.
    EXPECT_EQ(videoAfterSwitch, listBytes({u"Microsoft Video 1", u"Gone Codec"}));
    EXPECT_EQ(audio, (Names{u"PCM", u"IMA ADPCM", u"MP3 Encoder"}));
    EXPECT_EQ(audioChecks, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(fonts, kFonts);
    EXPECT_EQ(radios, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(bytes(DisplayListKind::AudioEncoders), audioBefore);
    EXPECT_EQ(bytes(DisplayListKind::Fonts), fontsBefore);
}

TEST_F(DisplayItemsDialogTest, UncheckingEveryItemWritesOnlyTheByteOrderMark) {
    loadLists();
    EXPECT_TRUE(runDialog({[](HWND dialog) {
        clickRadio(dialog, IDC_LIST_AUDIO_ENCODERS);
        for (int row = 0; row < 3; ++row) uncheck(dialog, row);
        close(dialog);
    }}));
    EXPECT_EQ(bytes(DisplayListKind::AudioEncoders), "\xFF\xFE");
    EXPECT_TRUE(app().displayLists->names(DisplayListKind::AudioEncoders).empty());
    EXPECT_TRUE(listed(DisplayListKind::VideoEncoders, u"DV Video Encoder"));
}

TEST_F(DisplayItemsDialogTest, WriteFailureSaysSoAndKeepsTheListInMemory) {
    loadLists();
    const std::string before = bytes(DisplayListKind::Fonts);
    setReadOnly(path(DisplayListKind::Fonts), true);
    EXPECT_TRUE(runDialog({[](HWND dialog) {
        uncheck(dialog, 0);
        close(dialog);
    }}));
    setReadOnly(path(DisplayListKind::Fonts), false);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts(), (std::vector<std::u16string>{u"リスト表示ファイルの書き込みに失敗しました"}));
    EXPECT_EQ(bytes(DisplayListKind::Fonts), before);
    EXPECT_TRUE(listed(DisplayListKind::Fonts, kFonts[0]));
}

TEST_F(DisplayItemsDialogTest, ScreenshotOfTheDialog) {
    if (screenshotFolder().empty()) GTEST_SKIP() << "QUCAP_SCREENSHOT_DIR is not set";
    app().fontNames = installedJapaneseFontNames();
    loadLists();
    bool captured = false;
    EXPECT_TRUE(runDialog({
        [](HWND dialog) {
            // A few fonts left out, as a user would.
            for (int row = 1; row < ListView_GetItemCount(listOf(dialog)); row += 3) uncheck(dialog, row);
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        },
        [](HWND) {},
        [&](HWND dialog) {
            captured = captureWindow(dialog, u"display-items");
            close(dialog);
        },
    }));
    EXPECT_TRUE(captured);
}

}  // namespace
}  // namespace qucap::test
