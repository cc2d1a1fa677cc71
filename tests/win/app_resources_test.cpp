// The program's dialog templates, menus, icon and bitmap, made in the test
// process from the resources linked into it: every control of each window's
// table with its id, kind and text, the given sizes, the pages filling the tab
// control's display area, and layouts that stay clean with the installed fonts.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "tests/win/dialog_layout.h"

namespace qucap::test {
namespace {

HINSTANCE module() { return GetModuleHandleW(nullptr); }

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

std::wstring textOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string utf8(const std::wstring& text) { return utf8Of(text); }

struct OwnedWindow {
    HWND handle = nullptr;
    explicit OwnedWindow(HWND h) : handle(h) {}
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    ~OwnedWindow() {
        if (handle) DestroyWindow(handle);
    }
};

// The main window's template names the program's class, whose procedure is
// the program's own. The tests make it with a stand-in class of the same
// name length that only runs the dialog manager.
constexpr wchar_t kProgramClass[] = L"cqucapmain";
constexpr wchar_t kStandInClass[] = L"cqucapview";

// Whether the template bytes at `at` hold `name`, in any letter case (the
// resource compiler stores class names in capitals; Windows compares them
// without regard to case).
bool holdsName(const std::vector<unsigned char>& bytes, size_t at, const wchar_t* name) {
    for (size_t i = 0; name[i]; ++i) {
        if (at + 2 * i + 1 >= bytes.size()) return false;
        wchar_t c = static_cast<wchar_t>(bytes[at + 2 * i] | bytes[at + 2 * i + 1] << 8);
        if (towlower(c) != name[i]) return false;
    }
    return true;
}

// Dialog 110 with the stand-in class; null when the template does not name
// the program's class.
HWND createMainWindow() {
    HRSRC found = FindResourceW(module(), MAKEINTRESOURCEW(IDD_MAIN), MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!found) return nullptr;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module(), found)));
    std::vector<unsigned char> copy(bytes, bytes + SizeofResource(module(), found));
    for (size_t at = 0; at < copy.size(); at += 2) {
        if (holdsName(copy, at, kProgramClass)) {
            std::memcpy(copy.data() + at, kStandInClass, sizeof kStandInClass - sizeof(wchar_t));
            return CreateDialogIndirectParamW(module(), reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), nullptr,
                                              quietDialog, 0);
        }
    }
    return nullptr;
}

HWND createDialog(int id, HWND parent) {
    return CreateDialogParamW(module(), MAKEINTRESOURCEW(id), parent, quietDialog, 0);
}

SIZE dialogUnitsToPixels(HWND dialog, int width, int height) {
    RECT r{0, 0, width, height};
    MapDialogRect(dialog, &r);
    return SIZE{r.right, r.bottom};
}

SIZE clientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

// One control a window's table asks for. Controls without an id (plain
// labels and group boxes) are found by their kind and text. A non-zero
// `styleMask` also asks for the style bits `style`.
struct Expected {
    int id;
    ControlKind kind;
    const wchar_t* text = nullptr;  // null: the text is the program's to set
    LONG styleMask = 0;
    LONG style = 0;
};

HWND findByText(HWND dialog, ControlKind kind, const wchar_t* text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (controlKind(child) == kind && textOf(child) == text) return child;
    return nullptr;
}

void expectControls(HWND dialog, const std::vector<Expected>& table) {
    for (const Expected& want : table) {
        SCOPED_TRACE("control " + std::to_string(want.id) + " " + (want.text ? utf8(want.text) : std::string()));
        HWND control = want.id == IDC_STATIC ? findByText(dialog, want.kind, want.text) : GetDlgItem(dialog, want.id);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(controlKindName(controlKind(control)), controlKindName(want.kind));
        if (want.text) {
            EXPECT_EQ(utf8(textOf(control)), utf8(want.text));
        }
        if (want.styleMask) {
            EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & want.styleMask, want.style);
        }
    }
}

void expectCleanLayout(HWND dialog, HWND skip = nullptr) {
    std::vector<std::string> faults = layoutFaults(dialog, skip);
    std::string all;
    for (const std::string& fault : faults) all += fault + "\n";
    EXPECT_TRUE(faults.empty()) << all;
}

using K = ControlKind;

// The eight pages in the order of their tabs.
const int kPages[] = {IDD_FILE_SELECTION,   IDD_FONT_SETTINGS, IDD_COLOUR_SETTINGS, IDD_CAPTION_CREATION,
                      IDD_DISPLAY_POSITION, IDD_BOX_DISPLAY,   IDD_TIMELINE,        IDD_SYNTHESIS};
const wchar_t* const kTabTitles[] = {L"ファイル選択", L"フォント設定", L"色設定",       L"字幕作成",
                                     L"表示位置",     L"枠表示",       L"タイムライン", L"字幕合成"};

std::vector<Expected> mainWindowTable() {
    return {
        {IDC_VIDEO_AREA, K::Frame},
        {IDC_CAPTION_LINE1, K::Label, L"", SS_TYPEMASK, SS_CENTER},
        {IDC_CAPTION_LINE2, K::Label, L"", SS_TYPEMASK, SS_CENTER},
        {IDC_POSITION_SCROLL, K::ScrollBar, nullptr, SBS_VERT, SBS_HORZ},
        {IDC_FRAME_POSITION_LABEL, K::Label, L"フレーム位置"},
        {IDC_FRAME_COUNTER, K::Label},
        {IDC_TIME_COUNTER, K::Label},
        {IDC_PLAY_WITH_CAPTIONS, K::Check, L"合成して再生"},
        {IDC_FRAME_BACK, K::PushButton, L"戻る(&B)"},
        {IDC_PLAY_PAUSE, K::PushButton, L"再生(&P)"},
        {IDC_FRAME_FORWARD, K::PushButton, L"進む(&N)"},
        {IDC_STOP, K::PushButton, L"停止(&S)"},
        {IDC_TABS, K::Tab},
        {IDC_CAPTION_LIST, K::ListView, nullptr, LVS_TYPEMASK, LVS_REPORT},
        {IDC_MESSAGE_LABEL, K::Label, L"メッセージ"},
        {IDC_MESSAGE_LINE, K::Label, L""},
        {IDC_SAVE_TO_LIST, K::PushButton, L"リストに保存"},
        {IDC_END, K::PushButton, L"終了"},
    };
}

std::vector<Expected> fileSelectionTable() {
    std::vector<Expected> table = {
        {IDC_NEW_PROJECT, K::Radio, L"プロジェクトファイル新規作成"},
        {IDC_OPEN_PROJECT, K::Radio, L"プロジェクトファイルを開く"},
        {IDC_PAGE_HELP, K::PushButton, L"ヘルプ"},
        {IDC_CLEAR, K::PushButton, L"クリア"},
        {IDC_LOAD, K::PushButton, L"データ読込"},
        {IDC_PROJECT_NAME, K::Edit, L"", ES_AUTOHSCROLL, ES_AUTOHSCROLL},
        {IDC_STATIC, K::Label, L"プロジェクト名"},
    };
    struct PathField {
        int field;
        const wchar_t* label;
    };
    const PathField fields[] = {{IDC_SAVE_LOCATION, L"保存する場所"}, {IDC_PROJECT_FILE, L"プロジェクトファイル"},
                                {IDC_INPUT_MOVIE, L"入力動画ファイル"}, {IDC_COLOUR_INFO, L"色情報ファイル"},
                                {IDC_CAPTION_INFO, L"字幕情報ファイル"}, {IDC_BOX_INFO, L"枠情報ファイル"},
                                {IDC_OUTPUT_MOVIE, L"出力動画ファイル"}};
    for (const PathField& f : fields) {
        table.push_back({f.field, K::Edit, L"", ES_AUTOHSCROLL, ES_AUTOHSCROLL});
        table.push_back({f.field + 1, K::PushButton, L"参照"});  // each browse button follows its field
        table.push_back({IDC_STATIC, K::Label, f.label});
    }
    return table;
}

std::vector<Expected> fontTable() {
    return {
        {IDC_BODY_FONT_NAME, K::DropList},
        {IDC_RUBY_FONT_NAME, K::DropList},
        {IDC_BODY_FONT_SIZE, K::DropList},
        {IDC_RUBY_FONT_SIZE, K::DropList},
        {IDC_STATIC, K::Label, L"本文フォント名"},
        {IDC_STATIC, K::Label, L"ルビフォント名"},
        {IDC_STATIC, K::Label, L"フォントサイズ"},
        {IDC_RUBY_OUTER_SIDES, K::Radio, L"ルビは本文の両側に表示する"},
        {IDC_RUBY_BETWEEN_LINES, K::Radio, L"ルビは本文の行間に表示する"},
        {IDC_FILL_EMPTY_RUBY, K::Check, L"２行目にルビがないときは、行間を詰める"},
        {IDC_FROM_EDGE, K::Check, L"字幕を端から表示する"},
        {IDC_BORDER_OUTLINE, K::Radio, L"縁取りあり"},
        {IDC_BORDER_SHADOW, K::Radio, L"縁取りを影として表示"},
        {IDC_BORDER_NONE, K::Radio, L"縁取り、影なし"},
        {IDC_BORDER_BLACK_BOX, K::Radio, L"黒枠を表示"},
        {IDC_BORDER_GRADATION, K::Check, L"グラデーション表示（透過なし）"},
        {IDC_BODY_BORDER_WIDTH, K::DropList},
        {IDC_RUBY_BORDER_WIDTH, K::DropList},
        {IDC_STATIC, K::Label, L"本文の縁取り幅"},
        {IDC_STATIC, K::Label, L"ルビの縁取り幅"},
        {IDC_REWIND_SECONDS, K::Edit, L"", ES_CENTER | ES_RIGHT, ES_CENTER},
        {IDC_STATIC, K::Label, L"再生時の巻き戻し時間"},
        {IDC_STATIC, K::Label, L"秒（０～９９）"},
        {IDC_STATIC, K::Label, L"フォントは、すべての字幕で共通となります"},
        {IDC_STATIC, K::Label, L"行ごとに、任意のフォントを設定することはできません"},
        {IDC_PAGE_HELP, K::PushButton, L"ヘルプ"},
    };
}

std::vector<Expected> colourTable() {
    std::vector<Expected> table = {
        {IDC_STATIC, K::Label, L"本文、ルビ"}, {IDC_STATIC, K::Label, L"縁取り開始"},
        {IDC_STATIC, K::Label, L"縁取り終了"}, {IDC_STATIC, K::Label, L"色"},
        {IDC_STATIC, K::Label, L"色は、赤緑青を１６進数で入力して下さい"},
        {IDC_STATIC, K::Label, L"赤なら、FF0000と入力します"},
        {IDC_STATIC, K::Label, L"色をクリックすると、色の選択ができます"},
    };
    struct Slot {
        const wchar_t* label;
        int text, start, end, reset;
    };
    const Slot slots[] = {{L"赤", 1260, 1262, 1264, 1266}, {L"緑", 1274, 1276, 1278, 1280},
                          {L"青", 1267, 1269, 1271, 1273}, {L"黄", 1281, 1283, 1285, 1287},
                          {L"桃", 1288, 1290, 1292, 1294}, {L"水", 1295, 1297, 1299, 1301},
                          {L"黒", 1302, 1304, 1306, 1308}, {L"白", 1309, 1311, 1313, 1315}};
    for (const Slot& s : slots) {
        table.push_back({IDC_STATIC, K::Label, s.label});
        for (int field : {s.text, s.start, s.end}) {
            table.push_back({field, K::Edit, L""});
            table.push_back({field + 1, K::Frame, nullptr, SS_NOTIFY, SS_NOTIFY});  // the swatch reports clicks
        }
        table.push_back({s.reset, K::PushButton, L"リセット"});
    }
    return table;
}

std::vector<Expected> captionCreationTable() {
    std::vector<Expected> table = {
        {IDC_CREATE_LINE1_LABEL, K::Label, L"１行目"},   {IDC_CREATE_LINE1_BODY_LABEL, K::Label, L"本文"},
        {IDC_LINE1_BODY_BORDER_LABEL, K::Label, L"縁取色"}, {IDC_LINE1_RUBY_LABEL, K::Label, L"ルビ"},
        {IDC_LINE1_RUBY_BORDER_LABEL, K::Label, L"縁取色"}, {IDC_CREATE_LINE2_LABEL, K::Label, L"２行目"},
        {IDC_CREATE_LINE2_BODY_LABEL, K::Label, L"本文"},   {IDC_LINE2_BODY_BORDER_LABEL, K::Label, L"縁取色"},
        {IDC_LINE2_RUBY_LABEL, K::Label, L"ルビ"},          {IDC_LINE2_RUBY_BORDER_LABEL, K::Label, L"縁取色"},
        {IDC_STATIC, K::Group, L"文字効果"},                {IDC_STATIC, K::Group, L"ポイント"},
        {IDC_STATIC, K::Group, L"文字色"},
        {IDC_EFFECT_BOLD, K::ThreeState, L"太字"},          {IDC_EFFECT_ITALIC, K::ThreeState, L"斜体"},
        {IDC_EFFECT_UNDERLINE, K::ThreeState, L"下線"},     {IDC_EFFECT_STRIKE, K::ThreeState, L"打消"},
        {IDC_RUBY_HINT, K::Label, L"ルビの記述は、漢字と半角括弧で囲んだルビを入力します"},
        {IDC_RUBY_EXAMPLE, K::Label, L"漢字(かんじ)文字(もじ)"},
        {IDC_PAGE_HELP, K::PushButton, L"ヘルプ"},          {IDC_REPEAT, K::PushButton, L"リピート"},
        {IDC_ADD_ROW, K::PushButton, L"追加"},              {IDC_INSERT_ROW, K::PushButton, L"挿入"},
        {IDC_DELETE_ROW, K::PushButton, L"削除"},
    };
    for (int editor : {IDC_LINE1_BODY_TEXT, IDC_LINE1_RUBY_TEXT, IDC_LINE2_BODY_TEXT, IDC_LINE2_RUBY_TEXT}) {
        table.push_back({editor, K::RichEdit, L"", ES_MULTILINE, 0});
        table.push_back({editor + 2, K::ReadOnlyRichEdit, L"", ES_MULTILINE, 0});  // its border editor
    }
    const wchar_t* colours[] = {L"赤色", L"緑色", L"青色", L"黄色", L"桃色", L"水色", L"黒色", L"白色"};
    for (int i = 0; i < 8; ++i) table.push_back({IDC_TEXT_RED + i, K::Radio, colours[i]});
    return table;
}

std::vector<Expected> rangeTable(const wchar_t* rowMode, const wchar_t* rangeMode) {
    return {
        {IDC_MODE_SELECTED_ROW, K::Radio, rowMode},     {IDC_MODE_RANGE, K::Radio, rangeMode},
        {IDC_RANGE_ALL_ROWS, K::Radio, L"全ての行"},    {IDC_RANGE_ROWS, K::Radio, L"範囲指定"},
        {IDC_RANGE_FIRST_ROW, K::Edit, L""},            {IDC_RANGE_FIRST_LABEL, K::Label, L"行目から"},
        {IDC_RANGE_LAST_ROW, K::Edit, L""},             {IDC_RANGE_LAST_LABEL, K::Label, L"行目まで"},
        {IDC_RUN_RANGE, K::PushButton, L"実行"},        {IDC_UNDO, K::PushButton, L"元に戻す"},
        {IDC_PAGE_HELP, K::PushButton, L"ヘルプ"},
    };
}

std::vector<Expected> displayPositionTable() {
    std::vector<Expected> table = rangeTable(L"リストより選択後に位置入力", L"範囲を指定して位置移動");
    const int shows[] = {IDC_SHOW_LINE1_BODY, IDC_SHOW_LINE1_RUBY, IDC_SHOW_LINE2_BODY, IDC_SHOW_LINE2_RUBY};
    const int fields[] = {IDC_POS_LINE1_BODY, IDC_POS_LINE1_RUBY, IDC_POS_LINE2_BODY, IDC_POS_LINE2_RUBY};
    const int hbars[] = {IDC_HBAR_LINE1_BODY, IDC_HBAR_LINE1_RUBY, IDC_HBAR_LINE2_BODY, IDC_HBAR_LINE2_RUBY};
    const int vbars[] = {IDC_VBAR_LINE1_BODY, IDC_VBAR_LINE1_RUBY, IDC_VBAR_LINE2_BODY, IDC_VBAR_LINE2_RUBY};
    const wchar_t* vbarLabels[] = {L"本1", L"ル1", L"本2", L"ル2"};
    for (int i = 0; i < 4; ++i) {
        table.push_back({shows[i], K::ReadOnlyEdit, L""});
        table.push_back({fields[i], K::Edit, L""});
        table.push_back({hbars[i], K::ScrollBar, nullptr, SBS_VERT, SBS_HORZ});
        table.push_back({vbars[i], K::ScrollBar, nullptr, SBS_VERT, SBS_VERT});
        table.push_back({IDC_STATIC, K::Label, vbarLabels[i]});
    }
    for (int label : {IDC_HBAR_MIN_LABEL, IDC_HBAR_MAX_LABEL, IDC_VBAR_MIN_LABEL, IDC_VBAR_MAX_LABEL})
        table.push_back({label, K::Label});
    table.insert(table.end(), {
                                  {IDC_ORIENTATION, K::Label, L"横"},
                                  {IDC_LOCK_POSITION, K::Check, L"位置をロック"},
                                  {IDC_SWITCH_ORIENTATION, K::PushButton, L"縦横変更"},
                                  {IDC_DEFAULT_POSITION, K::PushButton, L"デフォルト位置"},
                                  {IDC_ALL_ROWS_DEFAULT, K::PushButton, L"全行デフォルト位置"},
                                  {IDC_MOVE_HORIZONTAL, K::Radio, L"横字幕を"},
                                  {IDC_MOVE_VERTICAL, K::Radio, L"縦字幕を"},
                                  {IDC_MOVE_HORIZONTAL_AMOUNT, K::Edit, L""},
                                  {IDC_MOVE_VERTICAL_AMOUNT, K::Edit, L""},
                                  {IDC_MOVE_HORIZONTAL_DIRECTION, K::DropList},
                                  {IDC_MOVE_VERTICAL_DIRECTION, K::DropList},
                              });
    return table;
}

std::vector<Expected> boxDisplayTable() {
    std::vector<Expected> table = {
        {IDC_BOX_LIST, K::ListView, nullptr, LVS_TYPEMASK, LVS_REPORT},
        {IDC_STATIC, K::Label, L"開始フレーム"},
        {IDC_STATIC, K::Label, L"終了フレーム"},
        {IDC_STATIC, K::Label, L"Ｘ位置"},
        {IDC_STATIC, K::Label, L"Ｙ位置"},
        {IDC_STATIC, K::Label, L"幅"},
        {IDC_STATIC, K::Label, L"高さ"},
        {IDC_STATIC, K::Label, L"透明度 薄（０）～濃（６４）"},
        {IDC_BOX2_SHOWN, K::Check, L"枠２を表示する"},
        {IDC_STATIC, K::Group, L"枠の色"},
        {IDC_BOX_UPDATE, K::PushButton, L"更新"},
        {IDC_ADD_ROW, K::PushButton, L"追加"},
        {IDC_INSERT_ROW, K::PushButton, L"挿入"},
        {IDC_DELETE_ROW, K::PushButton, L"削除"},
    };
    for (int field : {IDC_BOX_START_FRAME, IDC_BOX_END_FRAME, IDC_BOX1_X, IDC_BOX1_Y, IDC_BOX1_WIDTH, IDC_BOX1_HEIGHT,
                      IDC_BOX2_X, IDC_BOX2_Y, IDC_BOX2_WIDTH, IDC_BOX2_HEIGHT, IDC_BOX_TRANSPARENCY})
        table.push_back({field, K::Edit, L""});
    const wchar_t* colours[] = {L"赤色", L"緑色", L"青色", L"黄色", L"桃色", L"水色", L"黒色", L"白色"};
    for (int i = 0; i < 8; ++i) table.push_back({IDC_BOX_RED + i, K::Radio, colours[i]});
    return table;
}

std::vector<Expected> timelineTable() {
    std::vector<Expected> table = rangeTable(L"リストより選択後に時間入力", L"範囲を指定して時間スライド");
    table.insert(table.end(), {
                                  {IDC_TIMELINE_LINE1_LABEL, K::Label, L"１行目"},
                                  {IDC_SHOW_LINE1_BODY, K::ReadOnlyEdit, L""},
                                  {IDC_TIMELINE_LINE2_LABEL, K::Label, L"２行目"},
                                  {IDC_SHOW_LINE2_BODY, K::ReadOnlyEdit, L""},
                                  {IDC_START_LABEL, K::Label, L"開始時間"},
                                  {IDC_START_TIME, K::Edit, L""},
                                  {IDC_START_MINUS_TENTH, K::PushButton, L"-0.1"},
                                  {IDC_START_MINUS_HUNDREDTH, K::PushButton, L"-0.01"},
                                  {IDC_START_PLUS_HUNDREDTH, K::PushButton, L"+0.01"},
                                  {IDC_START_PLUS_TENTH, K::PushButton, L"+0.1"},
                                  {IDC_START_EARLIER_LABEL, K::Label, L"前"},
                                  {IDC_START_SLIDER, K::Trackbar},
                                  {IDC_START_LATER_LABEL, K::Label, L"後"},
                                  {IDC_DURATION_LABEL, K::Label, L"表示時間"},
                                  {IDC_DURATION_TIME, K::Edit, L""},
                                  {IDC_DURATION_MINUS_TENTH, K::PushButton, L"-0.1"},
                                  {IDC_DURATION_MINUS_HUNDREDTH, K::PushButton, L"-0.01"},
                                  {IDC_DURATION_PLUS_HUNDREDTH, K::PushButton, L"+0.01"},
                                  {IDC_DURATION_PLUS_TENTH, K::PushButton, L"+0.1"},
                                  {IDC_DURATION_SHORTER_LABEL, K::Label, L"短"},
                                  {IDC_DURATION_SLIDER, K::Trackbar},
                                  {IDC_DURATION_LONGER_LABEL, K::Label, L"長"},
                                  {IDC_TIME_SETTINGS_GROUP, K::Group, L"時間設定"},
                                  {IDC_SLIDE_START, K::Radio, L"開始時間を"},
                                  {IDC_SLIDE_AMOUNT, K::Edit, L""},
                                  {IDC_SLIDE_DIRECTION, K::DropList},
                                  {IDC_STATIC, K::Label, L"にスライドする"},
                                  {IDC_CHANGE_DURATION, K::Radio, L"表示時間を"},
                                  {IDC_DURATION_AMOUNT, K::Edit, L""},
                                  {IDC_DURATION_DIRECTION, K::DropList},
                                  {IDC_STATIC, K::Label, L"くする"},
                                  {IDC_STATIC, K::Label, L"秒"},
                                  {IDC_CLEAR_TIMES, K::Radio, L"開始時間、表示時間をクリアする"},
                                  {IDC_REPEAT, K::PushButton, L"リピート"},
                                  {IDC_LIVE_TIMING, K::PushButton, L"連続設定"},
                                  {IDC_IN_OUT, K::PushButton, L"イン／アウト"},
                              });
    return table;
}

std::vector<Expected> synthesisTable() {
    std::vector<Expected> table = {
        {IDC_WATERMARK_GROUP, K::Group, L"ウォーターマーク"},
        {IDC_WATERMARK_SHOWN, K::Check, L"ウォーターマークを表示する"},
        {IDC_FILTER_PROPERTIES, K::PushButton, L"カブレンキャプションフィルタのプロパティ"},
        {IDC_FILTER_LIST, K::PushButton, L"フィルタ一覧"},
        {IDC_WATERMARK_TEXT_LABEL, K::Label, L"表示文字"},
        {IDC_WATERMARK_TEXT, K::Edit, L""},
        {IDC_STATIC, K::Group, L"進行状態"},
        {IDC_PROGRESS_AREA, K::Frame},
        {IDC_VIDEO_ENCODER_LABEL, K::Label, L"映像エンコーダ"},
        {IDC_VIDEO_ENCODER, K::DropList},
        {IDC_VIDEO_ENCODER_PROPERTIES, K::PushButton, L"プロパティ"},
        {IDC_AUDIO_ENCODER_LABEL, K::Label, L"音声エンコーダ"},
        {IDC_AUDIO_ENCODER, K::DropList},
        {IDC_AUDIO_ENCODER_PROPERTIES, K::PushButton, L"プロパティ"},
        {IDC_ENCODER_HINT1, K::Label, L"映像エンコーダと、音声エンコーダの組み合わせによりうまく動作しない場合があります"},
        {IDC_ENCODER_HINT2, K::Label, L"エンコーダは、なるべく選択するようにして下さい"},
        {IDC_PAGE_HELP, K::PushButton, L"ヘルプ"},
        {IDC_EXPORT_SAMI, K::PushButton, L"SAMI出力"},
        {IDC_EXPORT_SRT, K::PushButton, L"SRT出力"},
        {IDC_START_SYNTHESIS, K::PushButton, L"字幕合成"},
        {IDC_ABORT_SYNTHESIS, K::PushButton, L"中断"},
    };
    const wchar_t* colours[] = {L"赤色", L"緑色", L"青色", L"黄色", L"桃色", L"水色", L"黒色", L"白色"};
    for (int i = 0; i < 8; ++i) table.push_back({IDC_WATERMARK_RED + i, K::Radio, colours[i]});
    return table;
}

std::vector<Expected> pageTable(int page) {
    switch (page) {
    case IDD_FILE_SELECTION: return fileSelectionTable();
    case IDD_FONT_SETTINGS: return fontTable();
    case IDD_COLOUR_SETTINGS: return colourTable();
    case IDD_CAPTION_CREATION: return captionCreationTable();
    case IDD_DISPLAY_POSITION: return displayPositionTable();
    case IDD_BOX_DISPLAY: return boxDisplayTable();
    case IDD_TIMELINE: return timelineTable();
    default: return synthesisTable();
    }
}

class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                           ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        // The program's way of getting the rich edit class of the caption editors.
        LoadLibraryW(L"riched32.dll");
        WNDCLASSW standIn{};
        standIn.lpfnWndProc = DefDlgProcW;
        standIn.cbWndExtra = DLGWINDOWEXTRA + 30;
        standIn.hInstance = module();
        standIn.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        standIn.lpszClassName = kStandInClass;
        RegisterClassW(&standIn);
    }
};

TEST_F(ProgramResources, MainWindowIsAResizableDialogOfItsSizeWithEveryControl) {
    OwnedWindow main(createMainWindow());
    ASSERT_NE(main.handle, nullptr) << "dialog 110 must name the class cqucapmain";
    EXPECT_EQ(utf8(textOf(main.handle)), utf8(L"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ"));
    LONG style = GetWindowLongW(main.handle, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(style & WS_CHILD, 0);
    SIZE want = dialogUnitsToPixels(main.handle, 569, 349);
    SIZE got = clientSize(main.handle);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
    expectControls(main.handle, mainWindowTable());
    expectCleanLayout(main.handle);
}

TEST_F(ProgramResources, TheEightTabsFitOneRowAndEveryPageFillsTheDisplayArea) {
    OwnedWindow main(createMainWindow());
    ASSERT_NE(main.handle, nullptr);
    HWND tabs = GetDlgItem(main.handle, IDC_TABS);
    for (int i = 0; i < 8; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabTitles[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    // Tabs wider than the control would need the scroll arrows.
    RECT last{};
    SendMessageW(tabs, TCM_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(last.right, clientSize(tabs).cx);
    RECT display;
    GetWindowRect(tabs, &display);
    MapWindowPoints(nullptr, main.handle, reinterpret_cast<POINT*>(&display), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (int page : kPages) {
        SCOPED_TRACE("page " + std::to_string(page));
        OwnedWindow child(createDialog(page, main.handle));
        ASSERT_NE(child.handle, nullptr);
        LONG style = GetWindowLongW(child.handle, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_CAPTION | WS_VISIBLE), WS_CHILD);
        // DS_CONTROL: the Tab key moves into and out of the page.
        EXPECT_TRUE(GetWindowLongW(child.handle, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
        SIZE size = clientSize(child.handle);
        EXPECT_NEAR(size.cx, display.right - display.left, 1);
        EXPECT_NEAR(size.cy, display.bottom - display.top, 1);
    }
}

TEST_F(ProgramResources, EveryPageHoldsTheControlsOfItsTableLaidOutCleanly) {
    OwnedWindow main(createMainWindow());
    ASSERT_NE(main.handle, nullptr);
    for (int page : kPages) {
        SCOPED_TRACE("page " + std::to_string(page));
        OwnedWindow child(createDialog(page, main.handle));
        ASSERT_NE(child.handle, nullptr);
        expectControls(child.handle, pageTable(page));
        expectCleanLayout(child.handle);
    }
}

TEST_F(ProgramResources, ProgressBarIsAChildWithACentredText) {
    OwnedWindow main(createMainWindow());
    ASSERT_NE(main.handle, nullptr);
    OwnedWindow progress(createDialog(IDD_PROGRESS, main.handle));
    ASSERT_NE(progress.handle, nullptr);
    EXPECT_EQ(GetWindowLongW(progress.handle, GWL_STYLE) & (WS_CHILD | WS_CAPTION), WS_CHILD);
    expectControls(progress.handle, {{IDC_PROGRESS_TEXT, K::Label, L"", SS_TYPEMASK, SS_CENTER}});
    // The text keeps the dialog's full width, so the growing bar clips it.
    EXPECT_EQ(clientSize(GetDlgItem(progress.handle, IDC_PROGRESS_TEXT)).cx, clientSize(progress.handle).cx);
}

TEST_F(ProgramResources, DisplayItemsAndPreviewDialogsHaveTheirCaptionsSizesAndControls) {
    struct Popup {
        int id;
        const wchar_t* caption;
        int width, height;
        std::vector<Expected> controls;
    };
    const Popup popups[] = {
        {IDD_DISPLAY_ITEMS, L"表示項目設定", 268, 252,
         {{IDC_STATIC, K::Label, L"チェックされた項目がリストに表示されます"},
          {IDC_LIST_FONTS, K::Radio, L"フォントのリスト"},
          {IDC_LIST_VIDEO_ENCODERS, K::Radio, L"映像エンコーダのリスト"},
          {IDC_LIST_AUDIO_ENCODERS, K::Radio, L"音声エンコーダのリスト"},
          {IDC_DISPLAY_ITEMS, K::ListView, nullptr, LVS_TYPEMASK, LVS_REPORT},
          {IDOK, K::DefaultButton, L"保存"},
          {IDCANCEL, K::PushButton, L"終了"}}},
        {IDD_PREVIEW, L"ﾌﾟﾚﾋﾞｭｰ", 305, 249,
         {{IDC_VIDEO_AREA, K::Frame},
          {IDC_FRAME_POSITION_LABEL, K::Label, L"フレーム位置"},
          {IDC_FRAME_COUNTER, K::Label},
          {IDC_TIME_COUNTER, K::Label},
          {IDC_POSITION_SCROLL, K::ScrollBar, nullptr, SBS_VERT, SBS_HORZ},
          {IDC_FRAME_BACK, K::PushButton, L"戻る(&B)"},
          {IDC_PLAY_PAUSE, K::PushButton, L"再生(&P)"},
          {IDC_FRAME_FORWARD, K::PushButton, L"進む(&N)"},
          {IDC_STOP, K::PushButton, L"停止(&S)"},
          {IDCANCEL, K::PushButton, L"終了(&Q)"}}},
    };
    for (const Popup& popup : popups) {
        SCOPED_TRACE("dialog " + std::to_string(popup.id));
        OwnedWindow dialog(createDialog(popup.id, nullptr));
        ASSERT_NE(dialog.handle, nullptr);
        EXPECT_EQ(utf8(textOf(dialog.handle)), utf8(popup.caption));
        SIZE want = dialogUnitsToPixels(dialog.handle, popup.width, popup.height);
        SIZE got = clientSize(dialog.handle);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        expectControls(dialog.handle, popup.controls);
        expectCleanLayout(dialog.handle);
    }
}

struct MenuEntry {
    UINT id;  // 0 for a separator
    const wchar_t* text;
};

// The items of a menu as (id, text); a separator is (0, "").
std::vector<std::pair<UINT, std::wstring>> entriesOf(HMENU menu) {
    std::vector<std::pair<UINT, std::wstring>> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        bool separator = info.fType & MFT_SEPARATOR;
        entries.emplace_back(separator ? 0u : info.wID, separator ? L"" : text);
    }
    return entries;
}

void expectEntries(HMENU menu, const std::vector<MenuEntry>& want) {
    auto got = entriesOf(menu);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].first, want[i].id) << "item " << i;
        EXPECT_EQ(utf8(got[i].second), utf8(want[i].text)) << "item " << i;
    }
}

std::wstring popupTitle(HMENU bar, int position) {
    wchar_t text[64] = L"";
    GetMenuStringW(bar, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(ProgramResources, MainMenuHoldsTheCommandsAndLosesTheProjectItemsCleanly) {
    HMENU bar = LoadMenuW(module(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(utf8(popupTitle(bar, 0)), utf8(L"ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(utf8(popupTitle(bar, 1)), utf8(L"編集(&E)"));
    EXPECT_EQ(utf8(popupTitle(bar, 2)), utf8(L"ﾂｰﾙ(&T)"));
    EXPECT_EQ(utf8(popupTitle(bar, 3)), utf8(L"ﾍﾙﾌﾟ(&H)"));
    HMENU file = GetSubMenu(bar, 0);
    expectEntries(file, {{IDM_PROJECT_NEW, L"新規作成(&N)"},
                         {IDM_PROJECT_OPEN, L"開く(&O)..."},
                         {IDM_PROJECT_SAVE, L"上書き保存(&S)"},
                         {IDM_PROJECT_SAVE_AS, L"名前を付けて保存(&A)..."},
                         {0, L""},
                         {IDM_EXIT, L"ｶﾌﾞﾚﾝｿﾌﾄ字幕付加ｼｽﾃﾑの終了(&X)"}});
    expectEntries(GetSubMenu(bar, 1), {{IDM_CUT, L"切り取り(&T)"}, {IDM_COPY, L"ｺﾋﾟｰ(&C)"}, {IDM_PASTE, L"貼り付け(&P)"}});
    expectEntries(GetSubMenu(bar, 2), {{IDM_DISPLAY_ITEMS, L"ﾌｫﾝﾄとｴﾝｺｰﾀﾞの表示項目設定(&L)..."},
                                       {0, L""},
                                       {IDM_EXPORT_WEBVTT, L"WebVTT出力(&W)..."},
                                       {IDM_EXPORT_TTML, L"TTML出力(&M)..."},
                                       {0, L""},
                                       {IDM_IMPORT_CAPTIONS, L"字幕ファイルの読み込み(&I)..."},
                                       {IDM_IMPORT_LOG, L"読み込みの記録(&R)..."},
                                       {0, L""},
                                       {IDM_PROPOSE_RUBY_ALL, L"ルビ候補を全行に付ける(&B)..."},
                                       {0, L""},
                                       {IDM_STOP_ANALYSIS, L"動画の解析を止める(&K)"}});
    expectEntries(GetSubMenu(bar, 3), {{IDM_HELP, L"使い方(&G)..."}, {IDM_VERSION, L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."}});
    // The program's start: the four project commands go, then the first
    // remaining item, which must be the separator, leaving only the exit item.
    for (UINT id = IDM_PROJECT_NEW; id <= IDM_PROJECT_SAVE_AS; ++id) EXPECT_TRUE(DeleteMenu(bar, id, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    DeleteMenu(file, 0, MF_BYPOSITION);
    expectEntries(file, {{IDM_EXIT, L"ｶﾌﾞﾚﾝｿﾌﾄ字幕付加ｼｽﾃﾑの終了(&X)"}});
    DestroyMenu(bar);
}

TEST_F(ProgramResources, EditMenuIsOnePopupOfCutCopyPasteAndTheRubyProposal) {
    HMENU menu = LoadMenuW(module(), MAKEINTRESOURCEW(IDR_EDIT_MENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(utf8(popupTitle(menu, 0)), utf8(L"ﾎﾟｯﾌﾟｱｯﾌﾟ"));
    expectEntries(GetSubMenu(menu, 0), {{IDM_CUT, L"切り取り(&T)"},
                                        {IDM_COPY, L"ｺﾋﾟｰ(&C)"},
                                        {IDM_PASTE, L"貼り付け(&P)"},
                                        {0, L""},
                                        {IDM_PROPOSE_RUBY, L"ルビ候補(&R)"}});
    DestroyMenu(menu);
}

TEST_F(ProgramResources, IconHasBothSizesAndTheBitmapIs32By32In24Bits) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        // The icon directory must hold an image of exactly this size.
        HRSRC group = FindResourceW(module(), MAKEINTRESOURCEW(IDI_PROGRAM), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<PBYTE>(LockResource(LoadResource(module(), group)));
        int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_NE(image, nullptr);
        auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module(), image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, size * 2);  // colour and mask
        EXPECT_EQ(header->biBitCount, 32);
    }
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module(), MAKEINTRESOURCEW(IDB_PROGRAM_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biWidth, 32);
    EXPECT_EQ(dib.dsBmih.biHeight, 32);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace qucap::test
