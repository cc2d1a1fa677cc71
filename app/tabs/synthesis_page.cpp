#include "app/tabs/synthesis_page.h"

#include <string>
#include <vector>

#include "app/core/file_selection/file_selection_tab.h"
#include "app/core/main_window/main_window_texts.h"
#include "app/core/media/synthesis_progress.h"
#include "app/export/subtitles.h"
#include "app/main_window/app_state.h"
#include "app/main_window/main_window.h"
#include "app/main_window/movie_analysis_worker.h"
#include "app/main_window/parts.h"
#include "app/media/encoders.h"
#include "app/media/filter_registration.h"
#include "app/media/synthesis_job.h"
#include "app/preview/preview.h"
#include "app/tabs/help_host.h"
#include "app/tabs/pages.h"
#include "captiondata/io/ui.h"
#include "captiondata/text/paths.h"
#include "dshowbase/com_guard.h"
#include "resources/app/page_ids.h"
#include "resources/app/resource.h"
#include "win32/project_handover.h"
#include "win32/wide.h"
#include "win32/window_text.h"

namespace qucap {
namespace {

// The model names the template's controls by their ids.
static_assert(kSynthesisHelp == IDC_PAGE_HELP && kExportSamiButton == IDC_EXPORT_SAMI &&
              kExportSrtButton == IDC_EXPORT_SRT && kStartSynthesisButton == IDC_START_SYNTHESIS &&
              kAbortSynthesisButton == IDC_ABORT_SYNTHESIS);
static_assert(kWatermarkGroup == IDC_WATERMARK_GROUP && kWatermarkShownCheck == IDC_WATERMARK_SHOWN &&
              kWatermarkTextEdit == IDC_WATERMARK_TEXT && kWatermarkRedRadio == IDC_WATERMARK_RED &&
              kWatermarkWhiteRadio == IDC_WATERMARK_WHITE && kProgressArea == IDC_PROGRESS_AREA);
static_assert(kFilterPropertiesButton == IDC_FILTER_PROPERTIES && kFilterListButton == IDC_FILTER_LIST &&
              kVideoEncoderCombo == IDC_VIDEO_ENCODER && kVideoEncoderProperties == IDC_VIDEO_ENCODER_PROPERTIES &&
              kAudioEncoderCombo == IDC_AUDIO_ENCODER && kAudioEncoderProperties == IDC_AUDIO_ENCODER_PROPERTIES);

// The progress bar lies this far inside the progress area's top-left
// corner and is this much smaller than the area.
constexpr int kProgressInset = 4;
constexpr int kProgressShrink = 7;

EncoderListedQuery listedIn(DisplayListKind kind) {
    return [kind](std::u16string_view name) {
        const DisplayLists* lists = app().displayLists.get();
        return lists && lists->isListed(kind, name);
    };
}

bool isColourRadio(int id) { return id >= kWatermarkRedRadio && id <= kWatermarkWhiteRadio; }

// The bar: white text, transparent, over the navy brush.
INT_PTR progressProcedureUnguarded(HWND, UINT message, WPARAM wParam, LPARAM);

// The procedure the system calls: progressProcedureUnguarded, with no exception let through.
INT_PTR CALLBACK progressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardWindowProc(kProgramTitle, INT_PTR(FALSE), [&] {
        return progressProcedureUnguarded(window, message, wParam, lParam);
    });
}

INT_PTR progressProcedureUnguarded(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_CTLCOLORDLG) return INT_PTR(app().drawing.darkBlueBrush.get());
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = HDC(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        return INT_PTR(app().drawing.darkBlueBrush.get());
    }
    return FALSE;
}

SynthesisPage* currentSynthesisPage() {
    return dynamic_cast<SynthesisPage*>(app().pages[std::size_t(kSynthesisTab)].get());
}

}  // namespace

// The synthesis thread's user seam: the program's boxes and message line.
// A No to the interruption question tells the page, whose thread puts the
// state back to running, while the synthesis thread runs the graph again.
class SynthesisThreadUi : public Ui {
public:
    explicit SynthesisThreadUi(HWND page) : page_(page) {}
    void messageBox(std::u16string_view text, std::u16string_view title, MessageIcon icon) override {
        app().ui.messageBox(text, title, icon);
    }
    bool askYesNo(std::u16string_view text, std::u16string_view title) override {
        if (app().ui.askYesNo(text, title)) return true;
        PostMessageW(page_, kSynthesisResumedMessage, 0, 0);
        return false;
    }
    void setMessage(std::u16string_view text) override { app().ui.setMessage(text); }
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest&) override { return std::nullopt; }

private:
    HWND page_;
};

// The job of the page with the seam its thread uses.
struct SynthesisPageJob {
    explicit SynthesisPageJob(HWND page) : ui(page), job(app().graph) {}
    SynthesisThreadUi ui;
    SynthesisJob job;
};

SynthesisPage::SynthesisPage() : model_(app().settings) {}
SynthesisPage::~SynthesisPage() = default;

void SynthesisPage::initialise() {
    AppState& state = app();
    SendMessageW(item(kWatermarkTextEdit), WM_SETFONT, WPARAM(state.drawing.counterFont.get()), FALSE);
    model_.initialise(state.encoders, listedIn(DisplayListKind::VideoEncoders), listedIn(DisplayListKind::AudioEncoders));
    fillCombos();
    createProgressBar();
    setProgress(0);
    confirmation_.clear();
    state.synthesisRunning = false;
    showWatermark();
    refresh();
}

void SynthesisPage::refresh() {
    if (model_.refreshClearsChoice(app().playState)) showSelections();
    // The bar starts from nothing whenever the tab is shown without a run.
    if (!job_) setProgress(0);
    showWatermark();
    applyEnabling();
}

void SynthesisPage::refillEncoderLists() {
    model_.fillEncoders(app().encoders, listedIn(DisplayListKind::VideoEncoders),
                        listedIn(DisplayListKind::AudioEncoders));
    fillCombos();
    applyEnabling();
}

void SynthesisPage::growRight(int dx) {
    for (int id : {kWatermarkGroup, kWatermarkTextEdit}) shiftControl(id, 0, dx);
    for (int id : {kSynthesisHelp, kExportSamiButton, kExportSrtButton, kStartSynthesisButton, kAbortSynthesisButton})
        shiftControl(id, dx);
    InvalidateRect(window(), nullptr, TRUE);
}

bool SynthesisPage::handle(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    result = 0;
    switch (message) {
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return true;
        case kSynthesisProgressMessage: setProgress(int(wParam)); return true;
        case kSynthesisResumedMessage:
            // The run goes on, unless it ended while the message waited.
            if (job_) {
                app().playState = PlayState::Synthesizing;
                app().synthesisRunning = true;
            }
            refreshControls();
            applyEnabling();
            return true;
        case kSynthesisEndedMessage: threadEnded(); return true;
    }
    return false;
}

void SynthesisPage::command(int id, int code) {
    AppState& state = app();
    if (id == kWatermarkTextEdit) {
        if (code == EN_CHANGE && !showing_) model_.typeWatermarkText(windowText(item(id)));
        return;
    }
    if (id == kVideoEncoderCombo || id == kAudioEncoderCombo) {
        if (code == CBN_SELCHANGE) chooseEncoder(id);
        return;
    }
    if (code != BN_CLICKED) return;
    if (isColourRadio(id)) {
        if (isChecked(id)) model_.chooseColourRadio(id);
        return;
    }
    switch (id) {
        case kWatermarkShownCheck:
            model_.setWatermarkShown(isChecked(id));
            return;
        case kVideoEncoderProperties: showEncoderProperties(state.graph, model_.videoEncoder()); return;
        case kAudioEncoderProperties: showEncoderProperties(state.graph, model_.audioEncoder()); return;
        case kFilterPropertiesButton: showFilterProperties(); return;
        case kFilterListButton: listGraphFilters(state.ui, state.graph); return;
        case kExportSamiButton:
        case kExportSrtButton:
            chooseAndExport(state.io, id == kExportSamiButton ? SubtitleKind::Sami : SubtitleKind::Srt, state.captions,
                            samiSettingsOf(state.settings));
            return;
        case kSynthesisHelp: openHelp(helpIndexOfTab(kSynthesisTab), window()); return;
        case kStartSynthesisButton: start(); return;
        case kAbortSynthesisButton: abort(); return;
    }
}

void SynthesisPage::chooseEncoder(int combo) {
    AppState& state = app();
    const int index = int(SendMessageW(item(combo), CB_GETCURSEL, 0, 0));
    if (combo == kVideoEncoderCombo) {
        const std::u16string name = model_.chooseVideo(index);
        applyEnabling();
        // In the current graph, so its property page can be shown.
        if (!name.empty()) addVideoEncoder(state.graph, state.encoders, name);
    } else {
        const std::u16string name = model_.chooseAudio(index);
        if (!name.empty()) addAudioEncoder(state.graph, state.encoders, name);
    }
}

void SynthesisPage::showFilterProperties() {
    AppState& state = app();
    const FilterModule module{state.paths.filterModule, state.modernSystem};
    qucap::showFilterProperties(state.io, module, state.graph, captionFilterMaker(state.paths.programFolder), window());
}

void SynthesisPage::start() {
    AppState& state = app();
    // As the greyed button says: one run at a time, and only with a chosen encoder.
    if (job_ || !model_.videoChosen()) return;
    const std::u16string projectFolder = folderOf(state.projectFile);
    const MediaFacts& movie = state.movie;
    // The box and colour files as every save of the program writes them: a
    // box row still being typed is kept, a project without the file asks for
    // a name, and colours are written only when one was changed.
    const SaveSteps saving = projectSaveSteps();
    if (saving.boxInfo() != 0 || saving.colourInfo() != 0) return;
    SynthesisProject project{state.projectFile, state.settings, state.captions, projectFolder, true,
                             nullptr, BoxMovie{movie.frameDuration, movie.width}, nullptr};
    bool confirmed = false;
    const SynthesisStartResult started = prepareSynthesis(state.io, project, confirmed);
    if (!started.go()) return;
    if (confirmed) confirmation_.confirm(started.outputPath);
    confirmed = confirmation_.confirmedFor(started.outputPath);

    joinPreviewThread();
    auto job = std::make_unique<SynthesisPageJob>(window());
    SynthesisJobRequest request;
    request.inputPath = state.settings.inputMoviePath;
    request.outputPath = started.outputPath;
    request.encoders = &state.encoders;
    request.videoEncoder = model_.videoEncoder();
    request.audioEncoder = model_.audioEncoder();
    request.makeCaptionFilter = captionFilterMaker(state.paths.programFolder);
    SynthesisBuild built;
    {
        // The caption filter made in the graph reads the project while the stretch is held.
        const ProjectHandOver handOver;
        built = job->job.build(state.io, request, confirmed);
    }
    if (built != SynthesisBuild::Built) {
        const std::u16string problem = job->job.buildFailureMessage(built);
        job.reset();
        state.playState = PlayState::Stopped;
        refreshControls();
        refresh();
        if (!problem.empty()) state.ui.warn(problem, Deliverable::Program);
        return;
    }
    if (confirmed) confirmation_.confirm(job->job.outputPath());
    state.settings.outputMoviePath = job->job.outputPath();
    job->job.warnOfLargeMovie(state.ui);

    HWND page = window();
    SynthesisRunSetup setup;
    setup.ui = &job->ui;
    setup.progress = [page](int percent) { PostMessageW(page, kSynthesisProgressMessage, WPARAM(percent), 0); };
    setup.ended = [page](SynthesisOutcome) { PostMessageW(page, kSynthesisEndedMessage, 0, 0); };
    stopMovieAnalysis();  // one worker thread at a time
    state.synthesisRunning = true;
    state.playState = PlayState::Synthesizing;
    job_ = std::move(job);
    refreshControls();
    refresh();
    if (!job_->job.start(std::move(setup))) {
        job_->job.finish(false);
        job_.reset();
        state.synthesisRunning = false;
        state.playState = PlayState::Stopped;
        refreshControls();
        refresh();
        setMessage(kRenderingFailed);
        return;
    }
    SetFocus(item(kAbortSynthesisButton));
}

void SynthesisPage::abort() {
    AppState& state = app();
    if (!job_) return;
    state.playState = PlayState::Paused;
    state.synthesisRunning = false;
    job_->job.run().abort();
    refreshControls();
    applyEnabling();
}

void SynthesisPage::threadEnded() {
    AppState& state = app();
    if (!job_) return;
    const bool completed = job_->job.run().wait() == SynthesisOutcome::Completed;
    const std::u16string problem = job_->job.finish(completed);
    job_.reset();
    state.graph.emptyGraph();
    state.synthesisRunning = false;
    state.playState = PlayState::SynthesisDone;
    refreshControls();
    refresh();
    if (!problem.empty()) state.ui.warn(problem, Deliverable::Program);
    resumeMovieAnalysis();
}

void SynthesisPage::createProgressBar() {
    progress_ = CreateDialogParamW(app().instance, MAKEINTRESOURCEW(IDD_PROGRESS), window(), progressProcedure, 0);
    RECT area;
    GetWindowRect(item(kProgressArea), &area);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&area), 2);
    progressFull_ = {area.right - area.left - kProgressShrink, area.bottom - area.top - kProgressShrink};
    if (!progress_) return;
    SetWindowPos(progress_, HWND_TOP, area.left + kProgressInset, area.top + kProgressInset, 0, progressFull_.cy,
                 SWP_SHOWWINDOW);
    // The text keeps the full width: the growing bar uncovers it.
    SetWindowPos(GetDlgItem(progress_, IDC_PROGRESS_TEXT), nullptr, 0, 0, progressFull_.cx, progressFull_.cy,
                 SWP_NOZORDER);
}

void SynthesisPage::setProgress(int percent) {
    const std::u16string text = progressText(percent);
    SetWindowTextW(item(kProgressArea), wide(text));
    if (!progress_) return;
    SetDlgItemTextW(progress_, IDC_PROGRESS_TEXT, wide(text));
    SetWindowPos(progress_, nullptr, 0, 0, progressBarWidth(percent, progressFull_.cx), progressFull_.cy,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void SynthesisPage::showWatermark() {
    showing_ = true;
    CheckDlgButton(window(), kWatermarkShownCheck, model_.watermarkShown() ? BST_CHECKED : BST_UNCHECKED);
    const std::u16string text = model_.watermarkText();
    if (windowText(item(kWatermarkTextEdit)) != text) SetWindowTextW(item(kWatermarkTextEdit), wide(text));
    CheckRadioButton(window(), kWatermarkRedRadio, kWatermarkWhiteRadio, model_.colourRadio());
    showing_ = false;
}

void SynthesisPage::fillCombos() {
    fillCombo(item(kVideoEncoderCombo), model_.videoItems());
    fillCombo(item(kAudioEncoderCombo), model_.audioItems());
    showSelections();
}

void SynthesisPage::showSelections() {
    SendMessageW(item(kVideoEncoderCombo), CB_SETCURSEL, WPARAM(model_.videoSelection()), 0);
    SendMessageW(item(kAudioEncoderCombo), CB_SETCURSEL, WPARAM(model_.audioSelection()), 0);
}

void SynthesisPage::applyEnabling() {
    for (const ControlEnabling& control : model_.controlStates(app().playState, app().synthesisRunning))
        if (HWND window = item(control.id)) EnableWindow(window, control.enabled ? TRUE : FALSE);
}

std::unique_ptr<Page> makeSynthesisPage() { return std::make_unique<SynthesisPage>(); }

void refillSynthesisEncoderLists() {
    if (SynthesisPage* page = currentSynthesisPage()) page->refillEncoderLists();
}

bool synthesisThreadAlive() {
    const SynthesisPage* page = currentSynthesisPage();
    return page && page->threadAlive();
}

}  // namespace qucap
