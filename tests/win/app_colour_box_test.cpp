// The colour-settings and box-display tabs in the program: colours typed,
// picked with the colour dialog and reset, and box rows added through the
// tab reach their files at the end byte for byte, and the caption filter
// draws the box rows as the tab shows them. A project without a box-info
// file asks for a name at the end; cancelling keeps the program open with
// the rows in memory.
#include <windows.h>

#include <commctrl.h>

#include "app/core/box_display/box_list.h"
#include "app/core/colour_settings/colour_tab.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/main_window/save_sequence.h"
#include "app/main_window/app_state.h"
#include "app/tabs/page.h"
#include "captiondata/profile/ini_profile.h"
#include "tests/win/app_window_fixture.h"
#include "tests/win/filter_module.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap::test {
namespace {

constexpr int kColourRed = 706;  // the colour dialog's red, green and blue fields follow
constexpr DWORD kStillTimeoutMs = 60'000;

class ColourBoxTest : public AppWindowTest {
protected:
    bool openProject(std::u16string_view name, const std::u16string& movie, int32_t width) {
        project_ = createProject(name, movie, width);
        if (project_.empty() || !openMainWindow()) return false;
        loadOfferedProject();
        return app().projectLoaded;
    }
    HWND page(int tab) const { return app().pages[std::size_t(tab)]->window(); }
    void type(int tab, int id, std::u16string_view text) {
        const std::u16string t(text);
        SetDlgItemTextW(page(tab), id, wide(t));
        pumpMessages(20);
    }
    void press(int tab, int id) {
        SendMessageW(page(tab), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(page(tab), id)));
        pumpMessages(20);
    }
    // A real click on a check box or radio button, which changes its state.
    void click(int tab, int id) {
        SendMessageW(GetDlgItem(page(tab), id), BM_CLICK, 0, 0);
        pumpMessages(20);
    }
    void selectLine(int row) {
        HWND list = GetDlgItem(page(kBoxDisplayTab), kBoxListView);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        pumpMessages(20);
    }
    std::u16string cell(int row, int column) {
        wchar_t text[32] = {};
        ListView_GetItemText(GetDlgItem(page(kBoxDisplayTab), kBoxListView), row, column, text, 32);
        return reinterpret_cast<const char16_t*>(text);
    }
    // Clicks a colour swatch and answers the colour dialog with the colour r, g, b.
    void pickColour(int swatch, int r, int g, int b) {
        ModalSteps steps;
        steps.steps = {[=](HWND dialog) {
            for (const auto& [offset, value] : {std::pair{0, r}, std::pair{1, g}, std::pair{2, b}})
                SetDlgItemInt(dialog, kColourRed + offset, UINT(value), FALSE);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        }};
        runModal([&] { SendMessageW(page(kColourTab), WM_COMMAND, MAKEWPARAM(swatch, STN_CLICKED), 0); },
                 [] { return findColourDialog(); }, steps);
        pumpMessages(20);
    }
    static HWND findColourDialog() {
        for (HWND d = FindWindowW(L"#32770", nullptr); d; d = FindWindowExW(nullptr, d, L"#32770", nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(d, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(d) && GetDlgItem(d, kColourRed)) return d;
        }
        return nullptr;
    }
    void endProgram() {
        SendMessageW(main(), WM_CLOSE, 0, 0);
        pumpMessages();
    }
    std::u16string project_;
};

TEST_F(ColourBoxTest, TypedPickedAndResetColoursReachTheColourFile) {
    const auto movie = testMovie("small.avi");
    if (!movie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(u"色", *movie, 352));
    const std::u16string colourFile = app().settings.colourInfoPath;
    const std::string before = fileBytes(colourFile);
    openTab(kColourTab);
    EXPECT_EQ(controlText(page(kColourTab), 1260), u"FF0000");
    EXPECT_FALSE(controlEnabled(page(kColourTab), 1266));

    type(kColourTab, 1260, u"ff8000");  // red text
    EXPECT_EQ(controlText(page(kColourTab), 1260), u"FF8000");
    EXPECT_TRUE(controlEnabled(page(kColourTab), 1266));
    type(kColourTab, 1274, u"1g");  // green text: the g is refused and told
    EXPECT_EQ(controlText(page(kColourTab), 1274), u"100000");
    EXPECT_EQ(controlText(main(), 1113), kColourCharacterRejected);
    EXPECT_TRUE(controlEnabled(page(kColourTab), 1280));
    press(kColourTab, 1280);  // green back to its defaults
    EXPECT_EQ(controlText(page(kColourTab), 1274), u"00FF00");
    EXPECT_FALSE(controlEnabled(page(kColourTab), 1280));
    pickColour(1282, 0, 0, 255);  // yellow text: pure blue
    EXPECT_EQ(controlText(page(kColourTab), 1281), u"0000FF");
    EXPECT_TRUE(controlEnabled(page(kColourTab), 1287));
    EXPECT_EQ(fileBytes(colourFile), before) << "written at the save points, not while typing";

    endProgram();
    ASSERT_EQ(main(), nullptr);
    EXPECT_TRUE(boxes_->texts().empty());
    ColourTable expected = defaultColourTable();
    expected[SlotRed].text = colourFromText(u"FF8000");
    expected[SlotYellow].text = colourFromText(u"0000FF");
    EXPECT_EQ(fileBytes(colourFile), colourInfoBytes(expected));
}

// The pixels of a 24-bit bottom-up BMP file, top row first.
std::vector<uint8_t> bmpPixels(const std::string& bytes, int width, int height) {
    std::vector<uint8_t> pixels;
    if (bytes.size() < 54) return pixels;
    const uint32_t offset = uint8_t(bytes[10]) | uint8_t(bytes[11]) << 8 | uint8_t(bytes[12]) << 16 | uint32_t(uint8_t(bytes[13])) << 24;
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    if (bytes.size() < offset + stride * std::size_t(height)) return pixels;
    for (int y = height - 1; y >= 0; --y)
        pixels.insert(pixels.end(), bytes.begin() + std::ptrdiff_t(offset + stride * std::size_t(y)),
                      bytes.begin() + std::ptrdiff_t(offset + stride * std::size_t(y) + std::size_t(width) * 3));
    return pixels;
}

// Runs "Qucapcmd still PROJECT TIME OUT" and gives its exit code.
DWORD runStill(const std::u16string& project, std::u16string_view time, const std::u16string& out) {
    std::u16string command = u"\"" + windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\Qucapcmd.exe\" still \"" + project +
                             u"\" " + std::u16string(time) + u" \"" + out + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return DWORD(-1);
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, kStillTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST_F(ColourBoxTest, ABoxRowAddedOnTheTabIsWrittenExactlyAndDrawnBlended) {
    const auto movie = testMovie("rgb24.avi");  // 720x480, 30 frames
    if (!movie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    ASSERT_TRUE(openProject(u"枠", *movie, 720));
    openTab(kBoxDisplayTab);
    ASSERT_EQ(ListView_GetItemCount(GetDlgItem(page(kBoxDisplayTab), kBoxListView)), 1);  // the new project's sample row
    EXPECT_EQ(cell(0, Box1XField), u"210");
    EXPECT_FALSE(controlEnabled(page(kBoxDisplayTab), kBoxDeleteButton));

    // The sample row goes.
    selectLine(0);
    boxes_->answerNext({IDYES});
    press(kBoxDisplayTab, kBoxDeleteButton);
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts()[0], u"1行目を削除しますか？");
    EXPECT_TRUE(app().boxes.empty());

    // A row with both boxes, blue, half transparent.
    press(kBoxDisplayTab, kBoxAddButton);
    EXPECT_EQ(app().boxes.size(), 1u);
    EXPECT_EQ(cell(0, BoxNumberField), u"1");
    for (const auto& [id, text] : std::initializer_list<std::pair<int, std::u16string_view>>{
             {kBoxStartFrameField, u"5"}, {kBoxEndFrameField, u"25"}, {1229, u"20"}, {1231, u"400"}, {1233, u"64"},
             {1235, u"32"}, {kBoxTransparencyField, u"32"}})
        type(kBoxDisplayTab, id, text);
    EXPECT_TRUE(controlEnabled(page(kBoxDisplayTab), kBoxUpdateButton));
    EXPECT_FALSE(controlEnabled(page(kBoxDisplayTab), 1238));
    click(kBoxDisplayTab, kBox2ShownBox);
    EXPECT_EQ(controlText(page(kBoxDisplayTab), 1238), u"1");
    EXPECT_TRUE(controlEnabled(page(kBoxDisplayTab), 1238));
    for (const auto& [id, text] : std::initializer_list<std::pair<int, std::u16string_view>>{
             {1238, u"600"}, {1240, u"20"}, {1242, u"900"}, {1244, u"20"}})
        type(kBoxDisplayTab, id, text);
    click(kBoxDisplayTab, kBoxColourButtons[2]);
    EXPECT_EQ(cell(0, Box1XField), u"1") << "not in the list before 更新";
    press(kBoxDisplayTab, kBoxUpdateButton);
    EXPECT_EQ(cell(0, Box2WidthField), u"0") << "wider than the frame";
    EXPECT_EQ(cell(0, ColourField), u"青");
    EXPECT_FALSE(controlEnabled(page(kBoxDisplayTab), kBoxUpdateButton));
    // The width typed wider than the frame is 0 now: put a real one in.
    selectLine(0);
    type(kBoxDisplayTab, 1242, u"40");
    press(kBoxDisplayTab, kBoxUpdateButton);

    BoxRow expected = newBoxRow(1);
    expected.startFrame = 5;
    expected.endFrame = 25;
    expected.boxes = {BoxRect{20, 400, 64, 32}, BoxRect{600, 20, 40, 20}};
    expected.colour = u"青";
    expected.transparency = 32;
    ASSERT_EQ(app().boxes, BoxTable{expected});
    const BoxMovie boxMovie{app().movie.frameDuration, app().movie.width};
    const std::u16string boxFile = app().settings.boxInfoPath;
    endProgram();
    ASSERT_EQ(main(), nullptr);
    EXPECT_EQ(fileBytes(boxFile), boxInfoBytes({expected}, boxMovie, true));

    // The same project without its boxes gives the plain frame.
    const std::u16string plainProject = *documents_ / u"枠\\枠なし.mcc";
    ASSERT_TRUE(CopyFileW(wide(project_), wide(plainProject), FALSE));
    ASSERT_TRUE(IniProfile(app().io).writeString(plainProject, u"FileName", u"InpBoxName", u"設定なし"));
    const std::u16string boxed = *documents_ / u"boxed.bmp", plain = *documents_ / u"plain.bmp";
    ASSERT_EQ(runStill(project_, u"500", boxed), 0u);  // frame 15
    ASSERT_EQ(runStill(plainProject, u"500", plain), 0u);
    const std::vector<uint8_t> b = bmpPixels(fileBytes(boxed), 720, 480), p = bmpPixels(fileBytes(plain), 720, 480);
    ASSERT_EQ(b.size(), 720u * 480u * 3u);
    ASSERT_EQ(p.size(), b.size());
    // Blue in the picture's blue, green, red byte order; inside a box each
    // channel is c * 32 / 64 + p * 32 / 64 with integer divisions.
    constexpr int kBlue[3] = {255, 0, 0};
    int wrong = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 720; ++x) {
            // One-based corners: box 1 from (20, 400), box 2 from (600, 20), clear of the caption.
            const bool inside = (x >= 19 && x < 83 && y >= 399 && y < 431) || (x >= 599 && x < 639 && y >= 19 && y < 39);
            for (int c = 0; c < 3; ++c) {
                const std::size_t at = (std::size_t(y) * 720 + std::size_t(x)) * 3 + std::size_t(c);
                const int want = inside ? kBlue[c] * 32 / 64 + p[at] * 32 / 64 : p[at];
                if (b[at] != want && ++wrong <= 5) ADD_FAILURE() << "pixel " << x << "," << y << " channel " << c << ": " << int(b[at]) << " not " << want;
            }
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ColourBoxTest, WithoutABoxFileTheEndAsksForANameAndCancelKeepsTheRows) {
    const auto movie = testMovie("small.avi");
    if (!movie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    project_ = createProject(u"枠なし", *movie, 352);
    ASSERT_FALSE(project_.empty());
    ASSERT_TRUE(IniProfile(app().io).writeString(project_, u"FileName", u"InpBoxName", u"設定なし"));
    ASSERT_TRUE(openMainWindow());
    loadOfferedProject();
    ASSERT_TRUE(app().projectLoaded);
    openTab(kBoxDisplayTab);
    press(kBoxDisplayTab, kBoxAddButton);
    type(kBoxDisplayTab, kBoxTransparencyField, u"16");
    // Not committed with 更新: the end takes the row as typed.

    boxes_->answerNext({IDNO});
    ModalSteps cancel;  // no steps: the dialog gets IDCANCEL
    runModal([&] { SendMessageW(main(), WM_CLOSE, 0, 0); }, [] { return findSaveDialog(L"枠情報ﾌｧｲﾙ"); }, cancel);
    pumpMessages();
    ASSERT_NE(main(), nullptr) << "No to the ending question keeps the program open";
    ASSERT_TRUE(boxes_->waitFor(1));
    EXPECT_EQ(boxes_->texts(), std::vector<std::u16string>{std::u16string(kEndWithoutSavingQuestion)});
    ASSERT_EQ(app().boxes.size(), 1u);
    EXPECT_EQ(app().boxes[0].transparency, 16);
    EXPECT_EQ(app().settings.boxInfoPath, u"設定なし");

    const std::u16string chosen = *documents_ / u"枠なし\\選んだ枠.csv";
    ModalSteps name;
    name.steps = {[&](HWND dialog) { answerSaveDialog(dialog, chosen); }};
    const BoxMovie boxMovie{app().movie.frameDuration, app().movie.width};
    const BoxTable rows = app().boxes;
    runModal([&] { SendMessageW(main(), WM_CLOSE, 0, 0); }, [] { return findSaveDialog(L"枠情報ﾌｧｲﾙ"); }, name);
    pumpMessages();
    ASSERT_EQ(main(), nullptr);
    EXPECT_EQ(fileBytes(chosen), boxInfoBytes(rows, boxMovie, false));
    EXPECT_EQ(IniProfile(app().io).readString(project_, u"FileName", u"InpBoxName", u""), chosen);
}

}  // namespace
}  // namespace qucap::test
