// The file-selection page of the program, created in-process on a window of
// the test's own and driven by messages: texts typed into its edits arrive
// as real change notifications, buttons are clicked by command messages and
// the message boxes are answered by a watcher thread.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window/app_state.h"
#include "app/tabs/file_selection_page.h"
#include "captiondata/io/ui.h"
#include "captiondata/project/project_files.h"
#include "resources/app/resource.h"
#include "tests/win/dshowbase_test_support.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"

namespace qucap {
namespace {

using test::fileBytes;
using test::MessageBoxWatcher;
using test::namesIn;
using test::putFile;
using test::TempFolder;
using test::testMovie;
using test::wide;
using Texts = std::vector<std::u16string>;

bool isFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string upperCase(std::u16string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; });
    return text;
}

std::u16string profileString(const std::u16string& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(section, key, L"<none>", value, DWORD(std::size(value)), wide(file));
    return reinterpret_cast<const char16_t*>(value);
}

class FileSelectionPageTest : public ::testing::Test {
protected:
    // One window holds the page of every test: Wine under Xvfb takes seconds
    // to take a top-level window off the screen.
    static void SetUpTestSuite() {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    static void TearDownTestSuite() {
        DestroyWindow(parent);
        parent = nullptr;
    }

    FileSelectionPageTest() {
        resetAppState();
        app().instance = GetModuleHandleW(nullptr);
        app().paths.settingsFile = folder / u"Qucapadd.ini";
        app().documentsFolder = documents.path();
        // The checks only ask whether the input movie exists.
        putFile(movie, "RIFF");
    }
    ~FileSelectionPageTest() override {
        page.reset();

        // The graph is released here, inside the apartment.
        resetAppState();
    }

    void open(std::u16string_view lastOpened = u"") {
        app().lastOpened = std::u16string(lastOpened);
        ASSERT_NE(parent, nullptr);
        SetForegroundWindow(parent);
        auto made = makeFileSelectionPage();
        filePage = static_cast<FileSelectionPage*>(made.get());
        page = std::move(made);
        ASSERT_TRUE(page->create(GetModuleHandleW(nullptr), parent, IDD_FILE_SELECTION));
        ShowWindow(page->window(), SW_SHOW);
    }

    HWND control(int id) const { return GetDlgItem(page->window(), id); }
    void type(int id, std::u16string_view text) {
        const std::u16string copy(text);
        SetWindowTextW(control(id), wide(copy));
    }
    std::u16string shown(int id) const {
        wchar_t text[512] = {};
        GetWindowTextW(control(id), text, int(std::size(text)));
        return reinterpret_cast<const char16_t*>(text);
    }
    void click(int id) { SendMessageW(page->window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(control(id))); }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) const { return IsDlgButtonChecked(page->window(), id) == BST_CHECKED; }
    bool focused(int id) const { return GetFocus() == control(id); }

    // Clicks "データ読込" with the answers for its questions; the texts of the
    // boxes it showed. A box runs its loop on this thread, so every box of
    // the load is closed when the click returns.
    Texts load(std::initializer_list<int> answers = {}) {
        boxes.clear();
        boxes.answerNext(answers);
        click(IDC_LOAD);
        return boxes.texts();
    }

    // A project file as a new project starts it: every path "設定なし".
    std::u16string templateProject() {
        const std::u16string path = folder / u"既存.mcc";
        putFile(path, projectFileTemplate());
        return path;
    }
    void openProjectMode(const std::u16string& projectFile) {
        open();
        click(IDC_OPEN_PROJECT);
        type(IDC_PROJECT_FILE, projectFile);
    }

    dshowbase_test::ComApartment com;  // the load builds a DirectShow graph on this thread
    TempFolder folder;
    TempFolder documents;
    std::u16string movie = folder / u"movie.avi";
    MessageBoxWatcher boxes{std::u16string(kProgramTitle)};
    static inline HWND parent = nullptr;
    std::unique_ptr<Page> page;
    FileSelectionPage* filePage = nullptr;
};

TEST_F(FileSelectionPageTest, StartsInNewModeWithoutALastProjectAndInOpenModeWithOne) {
    open();
    EXPECT_TRUE(checked(IDC_NEW_PROJECT));
    EXPECT_FALSE(checked(IDC_OPEN_PROJECT));
    EXPECT_EQ(shown(IDC_PROJECT_NAME), u"");
    EXPECT_TRUE(enabled(IDC_PROJECT_NAME));
    EXPECT_TRUE(enabled(IDC_SAVE_LOCATION_BROWSE));
    EXPECT_FALSE(enabled(IDC_PROJECT_FILE));
    EXPECT_FALSE(enabled(IDC_PROJECT_FILE_BROWSE));
    EXPECT_TRUE(enabled(IDC_LOAD));
    page.reset();

    // A last project that is gone is still offered as it stands.
    const std::u16string gone = folder / u"gone.mcc";
    open(gone);
    EXPECT_TRUE(checked(IDC_OPEN_PROJECT));
    EXPECT_FALSE(checked(IDC_NEW_PROJECT));
    EXPECT_EQ(shown(IDC_PROJECT_FILE), gone);
    EXPECT_TRUE(enabled(IDC_PROJECT_FILE));
    EXPECT_FALSE(enabled(IDC_PROJECT_NAME));
    EXPECT_FALSE(enabled(IDC_SAVE_LOCATION));
    EXPECT_EQ(app().playState, PlayState::NoMedia);
}

TEST_F(FileSelectionPageTest, TypingTheLocationShowsTheNewProjectsPaths) {
    open();
    type(IDC_PROJECT_NAME, u"旅行");
    const std::u16string location = folder / u"旅行";
    type(IDC_SAVE_LOCATION, location);
    EXPECT_EQ(shown(IDC_COLOUR_INFO), location + u"\\色情報.csv");
    EXPECT_EQ(shown(IDC_CAPTION_INFO), location + u"\\字幕情報.csv");
    EXPECT_EQ(shown(IDC_BOX_INFO), location + u"\\枠情報.csv");
    EXPECT_EQ(shown(IDC_OUTPUT_MOVIE), location + u"\\出力動画.avi");
    EXPECT_EQ(filePage->model().derivedPaths().projectFile, location + u"\\旅行.mcc");
    // What the page showed itself is not taken for an edit of those fields.
    EXPECT_EQ(app().settings.captionInfoPath, location + u"\\字幕情報.csv");

    // A path field typed by the user is the user's, not derived any more.
    type(IDC_CAPTION_INFO, u"設定なし");
    EXPECT_EQ(app().settings.captionInfoPath, u"設定なし");
    type(IDC_PROJECT_NAME, u"別名");
    EXPECT_EQ(shown(IDC_CAPTION_INFO), u"設定なし");
    EXPECT_EQ(filePage->model().derivedPaths().projectFile, location + u"\\別名.mcc");
}

TEST_F(FileSelectionPageTest, ANewProjectIsCheckedFieldByFieldInOrderAndNothingIsCreated) {
    open();
    EXPECT_EQ(load(), (Texts{u"プロジェクト名を入力して下さい"}));
    EXPECT_TRUE(focused(IDC_PROJECT_NAME));

    type(IDC_PROJECT_NAME, u"a\\b");
    EXPECT_EQ(load(), (Texts{u"プロジェクト名に使用できない文字があります"}));

    type(IDC_PROJECT_NAME, u"字幕テスト");
    EXPECT_EQ(load(), (Texts{u"保存する場所を入力して下さい"}));
    EXPECT_TRUE(focused(IDC_SAVE_LOCATION));

    type(IDC_SAVE_LOCATION, folder / u"a?");
    EXPECT_EQ(load(), (Texts{u"保存する場所に使用できない文字があります"}));

    // The project folder does not exist yet: its data files still pass.
    const std::u16string location = folder / u"新しい";
    type(IDC_SAVE_LOCATION, location);
    EXPECT_EQ(load(), (Texts{u"入力動画ファイルを入力して下さい"}));
    EXPECT_TRUE(focused(IDC_INPUT_MOVIE));

    type(IDC_INPUT_MOVIE, folder / u"a?.avi");
    EXPECT_EQ(load(), (Texts{u"入力動画ファイルに使用できない文字があります"}));
    type(IDC_INPUT_MOVIE, folder / u"ない.avi");
    EXPECT_EQ(load(), (Texts{u"入力動画ファイルが見つかりません"}));

    type(IDC_INPUT_MOVIE, movie);
    type(IDC_CAPTION_INFO, u"字幕.csv");
    EXPECT_EQ(load(), (Texts{u"字幕情報ファイルにパスを含めたファイル名を指定して下さい"}));
    EXPECT_TRUE(focused(IDC_CAPTION_INFO));

    // "設定なし" stands for no file and passes; the output then differs from
    // the input only in letter case.
    for (int id : {IDC_CAPTION_INFO, IDC_COLOUR_INFO, IDC_BOX_INFO}) type(id, u"設定なし");
    type(IDC_OUTPUT_MOVIE, upperCase(movie));
    EXPECT_EQ(load(), (Texts{u"入力ファイルと出力ファイルが同じです"}));
    EXPECT_TRUE(focused(IDC_OUTPUT_MOVIE));

    EXPECT_FALSE(isFolder(location));
    EXPECT_EQ(fileBytes(app().paths.settingsFile), "<missing>");
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_TRUE(checked(IDC_NEW_PROJECT));
}

TEST_F(FileSelectionPageTest, AnOpenedProjectIsCheckedFileByFileInOrder) {
    open();
    click(IDC_OPEN_PROJECT);
    EXPECT_EQ(load(), (Texts{u"プロジェクトファイル名を入力して下さい"}));
    EXPECT_TRUE(focused(IDC_PROJECT_FILE));
    type(IDC_PROJECT_FILE, folder / u"ない.mcc");
    EXPECT_EQ(load(), (Texts{u"プロジェクトファイルが見つかりません"}));

    // The project file fills the empty fields: its input movie "設定なし" is no file.
    type(IDC_PROJECT_FILE, templateProject());
    EXPECT_EQ(load(), (Texts{u"入力動画ファイルが見つかりません"}));
    EXPECT_EQ(shown(IDC_INPUT_MOVIE), u"設定なし");
    EXPECT_EQ(shown(IDC_OUTPUT_MOVIE), u"設定なし");

    type(IDC_INPUT_MOVIE, movie);
    type(IDC_CAPTION_INFO, folder / u"ない\\字幕.csv");
    EXPECT_EQ(load(), (Texts{u"字幕情報ファイルのフォルダが見つかりません"}));
    EXPECT_TRUE(focused(IDC_CAPTION_INFO));
    type(IDC_CAPTION_INFO, folder / u"字幕.csv");
    EXPECT_EQ(load(), (Texts{u"字幕情報ファイルが見つかりません"}));
    type(IDC_CAPTION_INFO, documents.path());
    EXPECT_EQ(load(), (Texts{u"字幕情報ファイルではありません"}));
    type(IDC_CAPTION_INFO, u"設定なし");

    type(IDC_COLOUR_INFO, folder / u"色.csv");
    EXPECT_EQ(load(), (Texts{u"色情報ファイルが見つかりません"}));
    EXPECT_TRUE(focused(IDC_COLOUR_INFO));
    type(IDC_COLOUR_INFO, u"設定なし");
    type(IDC_BOX_INFO, u"枠.csv");
    EXPECT_EQ(load(), (Texts{u"枠情報ファイルにパスを含めたファイル名を指定して下さい"}));
    type(IDC_BOX_INFO, u"設定なし");

    type(IDC_OUTPUT_MOVIE, documents.path());
    EXPECT_EQ(load(), (Texts{u"動画ファイルではありません"}));
    EXPECT_TRUE(focused(IDC_OUTPUT_MOVIE));
    EXPECT_EQ(app().playState, PlayState::NoMedia);
}

TEST_F(FileSelectionPageTest, AMissingOutputFolderAnsweredNoEndsTheLoadAndCreatesNothing) {
    openProjectMode(templateProject());
    type(IDC_INPUT_MOVIE, movie);
    const std::u16string output = folder / u"一\\二\\出力.avi";
    type(IDC_OUTPUT_MOVIE, output);
    EXPECT_EQ(load({IDNO}), (Texts{u"出力動画ファイルのフォルダが見つかりません。\n作成しますか？"}));
    EXPECT_TRUE(focused(IDC_OUTPUT_MOVIE));
    EXPECT_FALSE(isFolder(folder / u"一"));
    EXPECT_EQ(app().playState, PlayState::NoMedia);
}

TEST_F(FileSelectionPageTest, AMissingOutputFolderAnsweredYesIsCreatedAndTheProjectLoads) {
    const std::optional<std::u16string> realMovie = testMovie("small.avi");
    if (!realMovie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string project = templateProject();
    openProjectMode(project);
    type(IDC_INPUT_MOVIE, *realMovie);
    type(IDC_OUTPUT_MOVIE, folder / u"一\\二\\出力.avi");
    EXPECT_EQ(load({IDYES}), (Texts{u"出力動画ファイルのフォルダが見つかりません。\n作成しますか？"}));
    EXPECT_TRUE(isFolder(folder / u"一\\二"));
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_TRUE(app().projectLoaded);
    EXPECT_EQ(app().projectFile, project);
    EXPECT_EQ(profileString(app().paths.settingsFile, L"LastOpen", L"FileName"), project);
    EXPECT_FALSE(enabled(IDC_LOAD));
}

TEST_F(FileSelectionPageTest, AnExistingProjectFolderAnsweredNoCreatesAndOverwritesNothing) {
    const std::optional<std::u16string> realMovie = testMovie("small.avi");
    if (!realMovie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    const std::u16string location = folder / u"既存";
    CreateDirectoryW(wide(location), nullptr);
    putFile(location + u"\\メモ.txt", "keep");
    open();
    type(IDC_PROJECT_NAME, u"既存");
    type(IDC_SAVE_LOCATION, location);
    type(IDC_INPUT_MOVIE, *realMovie);
    // Without a project file the load cannot go on: it says so and ends.
    EXPECT_EQ(load({IDNO}), (Texts{u"プロジェクトを保存するフォルダは既に存在します。\n上書きしますか？",
                                   u"プロジェクトファイルが見つかりません"}));
    EXPECT_EQ(namesIn(location), (Texts{u"メモ.txt"}));
    EXPECT_EQ(fileBytes(location + u"\\メモ.txt"), "keep");
    EXPECT_EQ(fileBytes(app().paths.settingsFile), "<missing>");
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_FALSE(app().projectLoaded);
    EXPECT_TRUE(checked(IDC_NEW_PROJECT));
    EXPECT_TRUE(enabled(IDC_LOAD));
}

TEST_F(FileSelectionPageTest, ANewProjectIsCreatedLoadedAndThenOfferedForOpening) {
    const std::optional<std::u16string> realMovie = testMovie("small.avi");
    if (!realMovie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    open();
    const std::u16string location = folder / u"旅行";
    type(IDC_PROJECT_NAME, u"旅行");
    type(IDC_SAVE_LOCATION, location);
    type(IDC_INPUT_MOVIE, *realMovie);
    EXPECT_EQ(load(), Texts{});

    const std::u16string project = location + u"\\旅行.mcc";
    EXPECT_EQ(namesIn(location), (Texts{u"字幕情報.csv", u"旅行.mcc", u"枠情報.csv", u"色情報.csv"}));
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_TRUE(app().projectLoaded);
    EXPECT_EQ(app().projectFile, project);
    EXPECT_EQ(app().movie.width, 352);
    EXPECT_EQ(app().movie.frameDuration, 400000);
    EXPECT_EQ(profileString(app().paths.settingsFile, L"LastOpen", L"FileName"), project);
    EXPECT_EQ(profileString(project, L"FileName", L"InpMovName"), *realMovie);
    EXPECT_EQ(profileString(project, L"FileName", L"OutMovName"), location + u"\\出力動画.avi");
    // The tab is in open mode with the project's paths; loading again is off.
    EXPECT_TRUE(checked(IDC_OPEN_PROJECT));
    EXPECT_FALSE(checked(IDC_NEW_PROJECT));
    EXPECT_EQ(shown(IDC_PROJECT_FILE), project);
    EXPECT_TRUE(enabled(IDC_PROJECT_FILE));
    EXPECT_FALSE(enabled(IDC_PROJECT_NAME));
    EXPECT_FALSE(enabled(IDC_LOAD));
    // The sample rows of a new box-info file and a new caption-info file.
    EXPECT_EQ(app().boxes.size(), 1u);
    EXPECT_EQ(app().captions.rowCount(), 1);

    // Typing into a path field forgets the load.
    type(IDC_OUTPUT_MOVIE, location + u"\\別.avi");
    EXPECT_TRUE(enabled(IDC_LOAD));
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_FALSE(app().projectLoaded);

    // The project loads again in open mode, with the path just typed.
    EXPECT_EQ(load(), Texts{});
    EXPECT_EQ(app().playState, PlayState::Stopped);
    EXPECT_EQ(profileString(project, L"FileName", L"OutMovName"), location + u"\\出力動画.avi");
    EXPECT_EQ(app().settings.outputMoviePath, location + u"\\別.avi");
    EXPECT_FALSE(enabled(IDC_LOAD));

    // "クリア" leaves the program without a project and an empty caption list.
    click(IDC_CLEAR);
    EXPECT_TRUE(app().captions.empty());
    EXPECT_FALSE(app().projectLoaded);
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_TRUE(enabled(IDC_LOAD));
    EXPECT_TRUE(focused(IDC_PROJECT_FILE));
}

TEST_F(FileSelectionPageTest, TheMainWindowsListAndMessageLineFollowTheLoad) {
    const std::optional<std::u16string> realMovie = testMovie("small.avi");
    if (!realMovie) GTEST_SKIP() << "no sample movie (QUCAP_TEST_MEDIA)";
    // The shared window stands in for the main window with its list and message line.
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 300, 400, 100, parent,
                                HMENU(INT_PTR(IDC_CAPTION_LIST)), nullptr, nullptr);
    HWND line = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 420, 400, 20, parent,
                                HMENU(INT_PTR(IDC_MESSAGE_LINE)), nullptr, nullptr);
    app().mainWindow = parent;
    app().ui.setOwner(parent);
    const auto messageLine = [line] {
        wchar_t text[256] = {};
        GetWindowTextW(line, text, int(std::size(text)));
        return std::u16string(reinterpret_cast<const char16_t*>(text));
    };

    open();
    type(IDC_PROJECT_NAME, u"映像");
    type(IDC_SAVE_LOCATION, folder / u"映像");
    type(IDC_INPUT_MOVIE, movie);  // not a movie at all
    EXPECT_EQ(load(), Texts{});
    EXPECT_EQ(messageLine(), u"レンダリングに失敗しました");
    EXPECT_FALSE(isFolder(folder / u"映像"));
    EXPECT_EQ(app().playState, PlayState::NoMedia);

    type(IDC_INPUT_MOVIE, *realMovie);
    EXPECT_EQ(load(), Texts{});
    EXPECT_EQ(messageLine(), u"");
    EXPECT_EQ(ListView_GetItemCount(list), 1);  // the sample row of the new caption-info file

    click(IDC_NEW_PROJECT);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_TRUE(app().captions.empty());
    DestroyWindow(list);
    DestroyWindow(line);
}

TEST_F(FileSelectionPageTest, EnablingFollowsThePlayState) {
    open(folder / u"p.mcc");
    const int fields[] = {IDC_NEW_PROJECT,    IDC_OPEN_PROJECT,       IDC_PROJECT_FILE, IDC_PROJECT_FILE_BROWSE,
                          IDC_INPUT_MOVIE,    IDC_INPUT_MOVIE_BROWSE, IDC_COLOUR_INFO,  IDC_COLOUR_INFO_BROWSE,
                          IDC_CAPTION_INFO,   IDC_CAPTION_INFO_BROWSE, IDC_BOX_INFO,    IDC_BOX_INFO_BROWSE,
                          IDC_OUTPUT_MOVIE,   IDC_OUTPUT_MOVIE_BROWSE};
    struct Case {
        PlayState state;
        bool fields, help, clear, load;
    };
    const Case cases[] = {
        {PlayState::NoMedia, true, true, true, true},    {PlayState::Playing, false, false, false, false},
        {PlayState::Paused, false, false, false, false}, {PlayState::Stopped, true, true, true, true},
        {PlayState::Synthesizing, true, false, true, true}, {PlayState::SynthesisDone, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.state));
        app().playState = c.state;
        page->refresh();
        for (int id : fields) EXPECT_EQ(enabled(id), c.fields) << id;
        EXPECT_FALSE(enabled(IDC_PROJECT_NAME));
        EXPECT_FALSE(enabled(IDC_SAVE_LOCATION_BROWSE));
        EXPECT_EQ(enabled(IDC_PAGE_HELP), c.help);
        EXPECT_EQ(enabled(IDC_CLEAR), c.clear);
        EXPECT_EQ(enabled(IDC_LOAD), c.load);
    }
}

TEST_F(FileSelectionPageTest, ModeChangesClearTheFieldsAndOfferDefaultsOrTheLastProject) {
    const std::u16string last = folder / u"前回.mcc";
    open(last);
    type(IDC_INPUT_MOVIE, movie);
    // The radio of the mode already chosen keeps what was typed.
    click(IDC_OPEN_PROJECT);
    EXPECT_EQ(shown(IDC_INPUT_MOVIE), movie);

    click(IDC_NEW_PROJECT);
    EXPECT_TRUE(checked(IDC_NEW_PROJECT));
    EXPECT_EQ(shown(IDC_PROJECT_NAME), u"新規プロジェクト");
    EXPECT_EQ(shown(IDC_INPUT_MOVIE), u"");
    EXPECT_EQ(shown(IDC_PROJECT_FILE), u"");
    const std::u16string location = shown(IDC_SAVE_LOCATION);
    EXPECT_NE(location.find(u"\\字幕作成"), std::u16string::npos);
    EXPECT_EQ(shown(IDC_CAPTION_INFO), location + u"\\字幕情報.csv");
    EXPECT_TRUE(focused(IDC_PROJECT_NAME));
    EXPECT_TRUE(enabled(IDC_SAVE_LOCATION));
    EXPECT_FALSE(enabled(IDC_PROJECT_FILE));

    click(IDC_OPEN_PROJECT);
    EXPECT_TRUE(checked(IDC_OPEN_PROJECT));
    EXPECT_EQ(shown(IDC_PROJECT_FILE), last);
    EXPECT_EQ(shown(IDC_PROJECT_NAME), u"");
    EXPECT_EQ(shown(IDC_CAPTION_INFO), u"");
    EXPECT_FALSE(enabled(IDC_SAVE_LOCATION));
}

TEST_F(FileSelectionPageTest, ClearEmptiesEveryFieldAndFocusesTheName) {
    open();
    type(IDC_PROJECT_NAME, u"名前");
    type(IDC_SAVE_LOCATION, folder / u"場所");
    type(IDC_INPUT_MOVIE, movie);
    app().playState = PlayState::Stopped;
    click(IDC_CLEAR);
    for (const FileFieldControls& controls : kFileFieldControls) EXPECT_EQ(shown(controls.edit), u"") << controls.edit;
    EXPECT_TRUE(focused(IDC_PROJECT_NAME));
    EXPECT_EQ(app().playState, PlayState::NoMedia);
    EXPECT_TRUE(checked(IDC_NEW_PROJECT));
}

TEST_F(FileSelectionPageTest, BrowseChoicesChangeTheFieldsAndTheNextStartingFolder) {
    std::vector<std::u16string> startFolders;
    std::optional<std::u16string> answer;
    open(folder / u"前回.mcc");
    filePage->setBrowseChooser([&](HWND, const BrowseDialog&, std::u16string_view start) {
        startFolders.emplace_back(start);
        return answer;
    });
    type(IDC_INPUT_MOVIE, movie);

    // A project file chosen clears the other fields.
    const std::u16string chosen = documents / u"選択.mcc";
    answer = chosen;
    click(IDC_PROJECT_FILE_BROWSE);
    EXPECT_EQ(shown(IDC_PROJECT_FILE), chosen);
    EXPECT_EQ(shown(IDC_INPUT_MOVIE), u"");

    // A cancelled file dialog changes nothing; the next one starts where the
    // last choice was.
    answer.reset();
    click(IDC_CAPTION_INFO_BROWSE);
    EXPECT_EQ(shown(IDC_PROJECT_FILE), chosen);
    ASSERT_EQ(startFolders.size(), 2u);
    EXPECT_EQ(startFolders[1], documents.path());

    // A caption-info file chosen empties the caption list; a colour-info file does not.
    app().captions.appendRow();
    answer = documents / u"色.csv";
    click(IDC_COLOUR_INFO_BROWSE);
    EXPECT_EQ(shown(IDC_COLOUR_INFO), documents / u"色.csv");
    EXPECT_EQ(app().captions.rowCount(), 1);
    answer = documents / u"字幕.csv";
    click(IDC_CAPTION_INFO_BROWSE);
    EXPECT_EQ(shown(IDC_CAPTION_INFO), documents / u"字幕.csv");
    EXPECT_TRUE(app().captions.empty());
    answer.reset();

    // A cancelled folder dialog leaves the save location empty.
    click(IDC_NEW_PROJECT);
    ASSERT_FALSE(shown(IDC_SAVE_LOCATION).empty());
    click(IDC_SAVE_LOCATION_BROWSE);
    EXPECT_EQ(shown(IDC_SAVE_LOCATION), u"");
}

TEST_F(FileSelectionPageTest, TheNameOpensTheInputMethodAndPathsCloseIt) {
    open();
    const auto inputMethodOpen = [this](int id) {
        HIMC context = ImmGetContext(control(id));
        const bool isOpen = context && ImmGetOpenStatus(context);
        if (context) ImmReleaseContext(control(id), context);
        return isOpen;
    };
    SetFocus(control(IDC_PROJECT_NAME));
    EXPECT_TRUE(inputMethodOpen(IDC_PROJECT_NAME));
    SetFocus(control(IDC_OUTPUT_MOVIE));
    EXPECT_FALSE(inputMethodOpen(IDC_OUTPUT_MOVIE));
}

}  // namespace
}  // namespace qucap

namespace qucap {
namespace {

// Answers the system's file dialog titled `title` from a thread of its own:
// types `path` into its file-name box and presses OK.
class FileDialogAnswer {
public:
    FileDialogAnswer(std::u16string title, std::u16string path)
        : title_(std::move(title)), path_(std::move(path)), thread_([this] { answer(); }) {}
    ~FileDialogAnswer() { thread_.join(); }
    bool found() const { return found_; }

private:
    void answer() {
        for (int tries = 0; tries < 250 && !found_; ++tries) {
            HWND dialog = FindWindowW(L"#32770", wide(title_));
            if (dialog && IsWindowVisible(dialog)) {
                Sleep(200);  // the dialog fills its controls after it shows
                constexpr int kFileNameBox = 1148;  // the file-name combo box of the dialog
                HWND box = GetDlgItem(dialog, kFileNameBox);
                if (!box) box = GetDlgItem(dialog, 1152);  // the old-style dialog's edit
                SetWindowTextW(box, wide(path_));
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                found_ = true;
            }
            Sleep(20);
        }
    }
    std::u16string title_, path_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};

TEST_F(FileSelectionPageTest, TheSystemFileDialogsChooseTheProjectFileAndTheOutputMovie) {
    const std::u16string project = templateProject();
    open();
    click(IDC_OPEN_PROJECT);
    {
        FileDialogAnswer answer(u"ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙを開く", project);
        click(IDC_PROJECT_FILE_BROWSE);
        ASSERT_TRUE(answer.found()) << "no open dialog titled ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙを開く";
    }
    EXPECT_EQ(upperCase(shown(IDC_PROJECT_FILE)), upperCase(project));

    const std::u16string output = folder / u"出力.avi";
    {
        FileDialogAnswer answer(u"名前を付けて動画ﾌｧｲﾙの保存", output);
        click(IDC_OUTPUT_MOVIE_BROWSE);
        ASSERT_TRUE(answer.found()) << "no save dialog titled 名前を付けて動画ﾌｧｲﾙの保存";
    }
    EXPECT_EQ(upperCase(shown(IDC_OUTPUT_MOVIE)), upperCase(output));
}

}  // namespace
}  // namespace qucap
