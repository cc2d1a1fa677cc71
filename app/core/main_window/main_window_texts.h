#pragma once
// The fixed texts, control ids, tabs and private messages of the main window.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qucap {

inline constexpr std::u16string_view kWindowCaption = u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ";
inline constexpr std::u16string_view kProgramVersion = u"3.70";
// Caption, " Ver " and the version: set at start and on every refresh while
// the captions are not drawn into the preview.
inline constexpr std::u16string_view kWindowTitle = u"ｶﾌﾞﾚﾝｷｬﾌﾟｼｮﾝ Ver 3.70";
inline constexpr std::u16string_view kWindowClassName = u"cqucapmain";
inline constexpr std::u16string_view kInstanceMutexName = u"qucapInstance";
inline constexpr std::u16string_view kRichEditLibrary = u"riched32.dll";
inline constexpr std::u16string_view kRichEditClass = u"RichEdit20W";
inline constexpr std::u16string_view kHelpDocument = u"Help\\カブレンキャプション説明書.pdf";
inline constexpr std::u16string_view kSharedFontName = u"ＭＳ ゴシック";
inline constexpr int kSharedFontHeight = 16;

inline constexpr std::u16string_view kInitialisationFailed = u"初期化に失敗しました";
inline constexpr std::u16string_view kFilterModuleMissing = u"カブレン字幕合成フィルタが見つかりません";
inline constexpr std::u16string_view kStopBeforeLeaving =
    u"再生または一時停止中です、処理のタブを移動するときや終了するときは、停止して下さい";

// Texts of the play/pause button 1108.
inline constexpr std::u16string_view kPlayButtonText = u"再生(&P)";
inline constexpr std::u16string_view kPauseButtonText = u"一時停止(&P)";
// The counters after a reset of the preview position.
inline constexpr std::u16string_view kFrameCounterReset = u"000000 / 000000";
inline constexpr std::u16string_view kTimeCounterReset = u"0:00:00.000 / 0:00:00.000";

// Controls of the main window (dialog 110).
enum MainControl : int {
    kVideoArea = 1099,
    kCaptionLine1 = 1100,
    kCaptionLine2 = 1101,
    kPositionScrollBar = 1102,
    kFramePositionLabel = 1103,
    kFrameCounter = 1104,
    kTimeCounter = 1105,
    kPlayWithCaptions = 1106,
    kFrameBack = 1107,
    kPlayPause = 1108,
    kFrameForward = 1109,
    kStopButton = 1110,
    kTabControl = 1111,
    kCaptionListView = 1000,
    kMessageLabel = 1112,
    kMessageLine = 1113,
    kSaveToList = 1004,
    kEndButton = 1009,
};

// Menu commands of menu 124 (40000-40003 are removed at start).
enum MenuCommand : int {
    kMenuProjectFirst = 40000,
    kMenuProjectLast = 40003,
    kMenuExit = 40004,
    kMenuCut = 40005,
    kMenuCopy = 40006,
    kMenuPaste = 40007,
    kMenuDisplayItems = 40008,
    kMenuHelp = 40009,
    kMenuVersion = 40011,
    kMenuExportWebVtt = 40012,  // the caption list as WebVTT, beside the Parts' menu
    kMenuExportTtml = 40013,    // and as IMSC 1.1 (TTML)
    kMenuImportCaptions = 40014,  // another tool's caption file into the caption list
    kMenuImportLog = 40015,       // the notes of the last import
    kMenuProposeRubyAll = 40016,  // ruby proposed for every empty ruby text
    kMenuStopAnalysis = 40018,    // the analysis of the movie's cuts and sound stops
};

// Posted by the worker threads when they end. The numbers are fixed; they lie
// in the application range (0x8000 and up), clear of the dialog manager's and
// the controls' own messages.
inline constexpr uint32_t kSynthesisEndedMessage = 0x8065;
inline constexpr uint32_t kPreviewEndedMessage = 0x8066;

struct TabPage {
    std::u16string_view title;
    int dialogId;
};

// The eight pages in tab order.
inline constexpr std::array<TabPage, 8> kTabPages = {{
    {u"ファイル選択", 103},
    {u"フォント設定", 105},
    {u"色設定", 122},
    {u"字幕作成", 108},
    {u"表示位置", 111},
    {u"枠表示", 121},
    {u"タイムライン", 117},
    {u"字幕合成", 114},
}};

enum TabIndex : int {
    kFileSelectionTab = 0,
    kFontTab = 1,
    kColourTab = 2,
    kCaptionCreationTab = 3,
    kDisplayPositionTab = 4,
    kBoxDisplayTab = 5,
    kTimelineTab = 6,
    kSynthesisTab = 7,
};

// The tabs whose page edits the selected caption row (pending edits live there).
inline constexpr bool editsCaptionRow(int tab) {
    return tab == kCaptionCreationTab || tab == kDisplayPositionTab || tab == kTimelineTab;
}

}  // namespace qucap
