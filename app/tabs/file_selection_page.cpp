#include "app/tabs/file_selection_page.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "app/core/box_display/box_list.h"
#include "app/core/caption_list/caption_load.h"
#include "app/core/main_window/save_sequence.h"
#include "app/main_window/app_state.h"
#include "app/main_window/caption_list_view.h"
#include "app/main_window/main_window.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/media/preview_graphs.h"
#include "app/tabs/display_position_page.h"
#include "app/tabs/help_host.h"
#include "app/tabs/input_method.h"
#include "app/tabs/timeline_page.h"
#include "captiondata/box/box_info.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/io/ui.h"
#include "dshowbase/com_guard.h"
#include "resources/app/resource.h"
#include "win32/project_handover.h"
#include "win32/wide.h"
#include "win32/window_text.h"

namespace qucap {
namespace {

// Every field holds at most this many characters.
constexpr int kFieldLimit = 255;
// The help page of this tab in the help window.
constexpr int kFileSelectionHelpIndex = 1;
// How long a load waits for another process's project hand-over before it goes on.
constexpr DWORD kLoadHandOverWaitMs = 5'000;

const FileFieldControls* controlsOfEdit(int id) {
    for (const FileFieldControls& controls : kFileFieldControls)
        if (controls.edit == id) return &controls;
    return nullptr;
}

int editOf(FileField field) { return kFileFieldControls[std::size_t(field)].edit; }

// Empties the caption list in memory and the main window's list view.
void emptyCaptionList() {
    app().captions.clear();
    if (!app().mainWindow) return;
    if (HWND list = mainCaptionListView()) ListView_DeleteAllItems(list);
}

uint32_t driveTypeOf(std::u16string_view root) {
    const std::u16string text(root);
    return GetDriveTypeW(wide(text));
}

// The filter list of a file dialog: description, pattern, ..., each ended by
// a zero, and one more zero at the end.
std::u16string filterList(const BrowseDialog& dialog) {
    std::u16string list;
    for (const FileFilter& filter : dialog.filters) {
        list.append(filter.description).push_back(u'\0');
        list.append(filter.pattern).push_back(u'\0');
    }
    list.push_back(u'\0');
    return list;
}

std::optional<std::u16string> chooseFile(HWND owner, const BrowseDialog& dialog, std::u16string_view initialFolder) {
    const std::u16string filters = filterList(dialog);
    const std::u16string title = browseDialogTitle(dialog);
    const std::u16string folder(initialFolder);
    const std::u16string extension(dialog.defaultExtension);
    std::vector<wchar_t> name(MAX_PATH + 1, L'\0');
    for (std::size_t i = 0; i < dialog.initialName.size() && i < MAX_PATH; ++i) name[i] = wchar_t(dialog.initialName[i]);

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = wide(filters);
    request.lpstrFile = name.data();
    request.nMaxFile = DWORD(name.size());
    request.lpstrInitialDir = folder.empty() ? nullptr : wide(folder);
    request.lpstrTitle = wide(title);
    request.lpstrDefExt = extension.empty() ? nullptr : wide(extension);
    const bool save = dialog.kind == BrowseDialogKind::Save;
    request.Flags = save ? OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    const BOOL chosen = save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (!chosen) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(name.data()));
}

// Starts the folder dialog at the folder given as its data.
int selectStartFolderUnguarded(HWND dialog, UINT message, LPARAM, LPARAM folder);

// The procedure the system calls: selectStartFolderUnguarded, with no exception let through.
int CALLBACK selectStartFolder(HWND dialog, UINT message, LPARAM lParam, LPARAM folder) {
    return guardWindowProc(kProgramTitle, int(0), [&] {
        return selectStartFolderUnguarded(dialog, message, lParam, folder);
    });
}

int selectStartFolderUnguarded(HWND dialog, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

std::optional<std::u16string> chooseFolder(HWND owner, const BrowseDialog& dialog, std::u16string_view initialFolder) {
    const std::u16string title = browseDialogTitle(dialog);
    const std::u16string folder(initialFolder);
    BROWSEINFOW request{};
    request.hwndOwner = owner;
    request.lpszTitle = wide(title);
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = selectStartFolder;
    request.lParam = folder.empty() ? 0 : LPARAM(wide(folder));
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&request);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH + 1] = {};
    const BOOL named = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!named) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(path));
}

// The colours as read (the defaults when nothing was read), not yet changed
// in the program: ending without a change leaves the file as it is.
int readColours() {
    ColourInfoFile file;
    const int status = readColourInfoForProgram(app().io, app().settings.colourInfoPath, file);
    app().colours.load(applyColourInfo(file));
    return status;
}

// The box rows of the project being loaded; none of an earlier project stays.
// The box tab shows them when it is next shown.
int readBoxRows() {
    app().boxListShown = false;
    return loadBoxInfo(app().io, app().settings.boxInfoPath, app().boxes, app().unreadBoxFile);
}

}  // namespace

std::optional<std::u16string> chooseWithSystemDialog(HWND owner, const BrowseDialog& dialog,
                                                     std::u16string_view initialFolder) {
    if (dialog.kind == BrowseDialogKind::Folder) return chooseFolder(owner, dialog, initialFolder);
    return chooseFile(owner, dialog, initialFolder);
}

FileSelectionPage::FileSelectionPage()
    : model_(app().io, driveTypeOf, app().paths.settingsFile, app().settings, app().playState, emptyCaptionList) {
    // A loaded project is saved whole before this tab lets go of it, as
    // ending the program does: nothing committed since the last save is lost.
    model_.setBeforeForgettingLoad([] { return saveBeforeClosingProject([] { return saveAll(false); }, app().ui); });
}

void FileSelectionPage::initialise() {
    for (const FileFieldControls& controls : kFileFieldControls)
        SendMessageW(item(controls.edit), EM_SETLIMITTEXT, kFieldLimit, 0);
    model_.initialise(app().lastOpened);
    showAll();
}

void FileSelectionPage::refresh() { showAll(); }

bool FileSelectionPage::handle(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_COMMAND) return false;
    command(LOWORD(wParam), HIWORD(wParam));
    result = 0;
    return true;
}

void FileSelectionPage::command(int id, int code) {
    if (const FileFieldControls* controls = controlsOfEdit(id)) {
        if (code == EN_CHANGE && !showing_) editChanged(controls->field);
        if (code == EN_SETFOCUS) editFocused(controls->field);
        return;
    }
    if (code != BN_CLICKED) return;
    if (const BrowseDialog* dialog = browseDialogFor(id)) return browse(*dialog);
    switch (id) {
    case IDC_NEW_PROJECT: return changeMode(SelectionMode::NewProject);
    case IDC_OPEN_PROJECT: return changeMode(SelectionMode::OpenProject);
    case IDC_PAGE_HELP: return openHelp(kFileSelectionHelpIndex, window());
    case IDC_CLEAR: return clear();
    case IDC_LOAD: return load();
    default: return;
    }
}

void FileSelectionPage::editChanged(FileField field) {
    const PlayState before = app().playState;
    // A kept project leaves the field as it was: showFields puts its text back.
    model_.edit(field, windowText(item(editOf(field))));
    showFields();
    if (app().playState != before) refreshControls();
    applyEnabling();
}

void FileSelectionPage::editFocused(FileField field) {
    setInputMethodOpen(item(editOf(field)), field == FileField::ProjectName);
}

void FileSelectionPage::changeMode(SelectionMode mode) {
    // A click on the radio of the current mode changes nothing: clearing every
    // field then would throw away what the user typed.
    if (mode == model_.mode()) return showMode();
    const PlayState before = app().playState;
    if (!model_.changeMode(mode)) return showMode();
    showAll();
    if (app().playState != before) refreshControls();
    if (mode == SelectionMode::NewProject) focusField(FileField::ProjectName);
}

void FileSelectionPage::browse(const BrowseDialog& dialog) {
    const std::optional<std::u16string> chosen = chooseFile_(window(), dialog, model_.browseFolder());
    const PlayState before = app().playState;
    model_.applyBrowse(dialog, chosen);
    showAll();
    if (app().playState != before) refreshControls();
}

void FileSelectionPage::clear() {
    const PlayState before = app().playState;
    if (!model_.clear()) return;
    showAll();
    if (app().playState != before) refreshControls();
    focusField(model_.mode() == SelectionMode::NewProject ? FileField::ProjectName : FileField::ProjectFile);
}

LoadSteps FileSelectionPage::loadSteps() {
    LoadSteps steps;
    steps.buildPreviewGraph = [](std::u16string_view movie) {
        return buildPlainPreview(app().graph, movie, app().movie) == PreviewBuild::Built ? 0 : -1;
    };
    steps.newProjectWriters = [](const ProjectSettings& settings) {
        const BoxMovie movie{app().movie.frameDuration, app().movie.width};
        return emptyProjectWriters(app().io, settings, movie);
    };
    steps.readCaptionInfo = [] { return loadCaptionInfo(app().io, app().settings.captionInfoPath, app().captions); };
    steps.readColourInfo = readColours;
    steps.readBoxInfo = readBoxRows;
    steps.resetPositionRanges = [] {
        resetDisplayPositionRanges();
        resetTimelineForProject();
    };
    return steps;
}

void FileSelectionPage::load() {
    LoadResult result;
    {
        // The load names the project in Qucapadd.ini, which a console run
        // may be handing to its caption filter just now: wait for it a while.
        const ProjectHandOver handOver(kLoadHandOverWaitMs);
        result = model_.load(loadSteps());
    }
    if (result.status == 0) app().projectFile = model_.text(FileField::ProjectFile);
    // The fields show what the project file filled in, loaded or not.
    showAll();
    if (result.status == 0) {
        if (HWND list = mainCaptionListView()) showCaptionRows(list, app().captions);
        refreshControls();
        setMessage(u"");
        startMovieAnalysisForProject();
    } else if (result.focus) {
        focusField(*result.focus);
    }
}

void FileSelectionPage::showFields() {
    showing_ = true;
    for (const FileFieldControls& controls : kFileFieldControls) {
        HWND edit = item(controls.edit);
        const std::u16string& text = model_.text(controls.field);
        // Only changed texts are set, so the caret of the edit being typed in stays.
        if (windowText(edit) != text) SetWindowTextW(edit, wide(text));
    }
    showing_ = false;
}

void FileSelectionPage::showMode() {
    const int checked = model_.mode() == SelectionMode::NewProject ? IDC_NEW_PROJECT : IDC_OPEN_PROJECT;
    CheckRadioButton(window(), IDC_NEW_PROJECT, IDC_OPEN_PROJECT, checked);
}

void FileSelectionPage::applyEnabling() {
    // The project-loaded flag of the program is this tab's data-loaded flag.
    app().projectLoaded = model_.dataLoaded();
    for (const ControlEnabling& control : model_.controlStates())
        if (HWND window = item(control.id)) EnableWindow(window, control.enabled ? TRUE : FALSE);
}

void FileSelectionPage::showAll() {
    showFields();
    showMode();
    applyEnabling();
}

void FileSelectionPage::focusField(FileField field) {
    HWND edit = item(editOf(field));
    if (edit && IsWindowEnabled(edit)) SetFocus(edit);
}

std::unique_ptr<Page> makeFileSelectionPage() { return std::make_unique<FileSelectionPage>(); }

}  // namespace qucap
