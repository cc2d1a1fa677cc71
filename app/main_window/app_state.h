#pragma once
// The program's one application state record: the windows, the play state,
// the project in memory and the objects made once at start. Every page and
// the worker threads reach it through app().
#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "app/core/display_items/display_list.h"
#include "app/core/main_window/main_layout.h"
#include "app/core/main_window/play_state.h"
#include "app/core/media/encoder_tables.h"
#include "app/core/media/media_facts.h"
#include "app/core/project/project_colours.h"
#include "app/import/imported_captions.h"
#include "app/main_window/window_ui.h"
#include "app/media/filter_graph.h"
#include "app/ruby/morphemes.h"
#include "app/timing/shot_detector.h"
#include "app/timing/sound_peaks.h"
#include "captiondata/box/box_info.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/io/io.h"
#include "captiondata/project/project_settings.h"
#include "win32/handles.h"
#include "win32/win32_file_system.h"
#include "win32/win32_shiftjis.h"

namespace qucap {

class Page;

inline constexpr int kPageCount = 8;

// Files beside the program's own executable.
struct AppPaths {
    std::u16string programFolder;
    std::u16string settingsFile;   // "Qucapadd.ini"
    std::u16string helpDocument;   // "Help\カブレンキャプション説明書.pdf"
    std::u16string filterModule;   // "Qucapsyf.ax"
};

// Drawing objects made once at start and deleted at the end.
struct SharedDrawing {
    GdiObject<HFONT> counterFont;  // 16 px "ＭＳ ゴシック", frame counters and pages
    GdiObject<HPEN> faceColourPen;
    GdiObject<HPEN> bluePen;       // 0xFF0000 as a colour reference: pure blue
    GdiObject<HPEN> darkBluePen;   // 0x800000
    GdiObject<HBRUSH> faceColourBrush;
    GdiObject<HBRUSH> darkBlueBrush;
    GdiObject<HBRUSH> whiteBrush;
    GdiObject<HBRUSH> blackBrush;
};

struct AppState {
    // Made and ended where the pages are whole (app/tabs/pages.cpp): the
    // state holds them without knowing page code.
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND tabControl = nullptr;
    std::array<std::unique_ptr<Page>, kPageCount> pages;

    SharedPlayState playState{PlayState::NoMedia};
    int currentTab = 0;
    bool projectLoaded = false;           // set by the file-selection tab's load
    std::atomic<bool> synthesisRunning{false};
    bool modernSystem = false;            // major version 6 or higher
    bool captionsInPreview = false;       // the preview draws the captions itself
    bool liveTiming = false;              // the timeline's live mode keeps the list usable
    bool initialised = false;             // initialisation succeeded: pages exist
    bool comInitialised = false;
    ClientSize minimumClient;
    ClientSize lastClient;

    AppPaths paths;
    std::u16string documentsFolder;
    std::u16string lastOpened;            // offered by the file-selection tab
    std::vector<std::u16string> fontNames;  // installed Japanese TrueType families
    EncoderTables encoders;
    std::unique_ptr<DisplayLists> displayLists;
    SharedDrawing drawing;

    // The project in memory.
    std::u16string projectFile;
    ProjectSettings settings;
    CaptionList captions;
    ProjectColours colours;
    BoxTable boxes;
    std::vector<ImportNote> importNotes;  // the notes of the last caption-file import
    bool boxListShown = false;            // the box tab showed `boxes` since the load
    std::u16string unreadBoxFile;         // the box-info file loaded that gave nothing: never saved over
    MediaFacts movie;
    FilterGraph graph;
    int lastCaptionTextField = 0;         // for cut, copy and paste from the menu
    // The ruby proposal's analyser, opened on first use and kept (app/main_window/ruby_proposals.h),
    // on the dictionary of this folder (empty: dic\ipadic beside the program).
    std::unique_ptr<MorphemeAnalyser> rubyAnalyser;
    std::u16string rubyDictionary;

    // The analyses of the project's movie (app/main_window/movie_analysis_worker.h):
    // its cuts and its sound's peaks once found, and the worker while it runs.
    std::optional<CutList> cuts;
    std::optional<PeakTable> soundPeaks;
    OwnedHandle analysisThread;
    std::atomic<bool> analysisStop{false};
    uint32_t analysisNumber = 0;  // counts the projects analysed; the result of an earlier one is dropped
    uint32_t analysisThreadNumber = 0;  // counts the worker threads started; the last one's
    bool analyseMovies = true;  // the tests of other things switch the analysis off
    bool analysisStoppedByUser = false;  // until the next load

    // The preview (app/preview/preview.h).
    HWND previewHost = nullptr;           // the window that last received the video
    OwnedHandle previewThread;            // the one preview thread, until it has been waited for
    uint32_t previewThreadNumber = 0;     // counts the preview threads started; the last one's
    std::atomic<int64_t> pendingSeekTarget{0};  // 100-ns units, 0 for none
    int lastScrollPosition = -1;          // the position bar's value last written
    std::atomic<bool> sharedBlockWarned{false};  // one shared-block message per preview
    std::atomic<bool> repositioning{false};  // a seek stops and restarts the graph just now

    // The seams over the real platform.
    Win32FileSystem files;
    Win32ShiftJisDecoder shiftJis;
    WindowUi ui;
    Io io{files, ui, shiftJis};
};

// The one record of the process; made on first use.
AppState& app();
// Forgets everything (the tests start the main window more than once).
void resetAppState();

}  // namespace qucap
