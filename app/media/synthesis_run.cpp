#include "app/media/synthesis_run.h"

#include <objbase.h>

#include <utility>

#include "app/core/media/synthesis_progress.h"
#include "app/core/media/synthesis_start.h"
#include "app/media/message_wait.h"
#include "dshowbase/com_guard.h"

namespace qucap {
namespace {

int32_t timeOfDayNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return timeOfDay(now.wHour, now.wMinute, now.wSecond);
}

// Stops the filters whose output goes into the multiplexer, before the
// graph stops. The graph stops its filters from the multiplexer upstream; a
// run stopped in the middle of the movie would otherwise hand the
// multiplexer samples after it closed its file (Wine's AVI Mux then crashes).
void stopFeedersOf(IBaseFilter* multiplexer) {
    ComPtr<IEnumPins> pins;
    if (!multiplexer || FAILED(multiplexer->EnumPins(pins.put()))) return;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.put(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        ComPtr<IPin> peer;
        PIN_INFO info = {};
        if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_INPUT || pin->ConnectedTo(peer.put()) != S_OK ||
            FAILED(peer->QueryPinInfo(&info)) || !info.pFilter)
            continue;
        const ComPtr<IBaseFilter> feeder = ComPtr<IBaseFilter>::adopt(info.pFilter);
        feeder->Stop();
    }
}

bool endsWithError(long code) { return code == EC_ERRORABORT || code == EC_USERABORT || code == EC_ERROR_STILLPLAYING; }

}  // namespace

SynthesisRun::SynthesisRun(SynthesisRunSetup setup)
    : setup_(std::move(setup)),
      abortEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      endedEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

SynthesisRun::~SynthesisRun() {
    if (thread_.joinable()) thread_.join();
}

bool SynthesisRun::start() {
    if (thread_.joinable() || !setup_.graph || !setup_.graph->control() || !setup_.ui || !abortEvent_ || !endedEvent_)
        return false;
    graphForThread_ = setup_.graph->marshalForThread();
    if (setup_.multiplexer) multiplexerForThread_ = MarshalledInterface(IID_IBaseFilter, setup_.multiplexer);
    if (!graphForThread_ || (setup_.multiplexer && !multiplexerForThread_)) return false;
    try {
        thread_ = std::thread([this] { threadMain(); });
    } catch (...) {
        return false;
    }
    return true;
}

void SynthesisRun::abort() {
    abortRequested_ = true;
    SetEvent(abortEvent_.get());
}

SynthesisOutcome SynthesisRun::wait() {
    if (!thread_.joinable()) return outcome_;
    // The thread's end is signalled by an event of its own: the native
    // handle of a std::thread need not be a Win32 handle.
    waitDispatching({endedEvent_.get()}, INFINITE);
    thread_.join();
    return outcome_;
}

void SynthesisRun::threadMain() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A run that ends in an exception is told through the run's own seam
    // (a box in the program, the console's error stream in Qucapcmd) and
    // stopped as an interrupted one.
    const auto tell = [this](std::u16string_view text) {
        setup_.ui->messageBox(text, kProgramTitle, MessageIcon::Warning);
    };
    bool failed = true;
    outcome_ = guardOperation(tell, SynthesisOutcome::Interrupted, [&] {
        if (multiplexerForThread_)
            multiplexer_ = multiplexerForThread_.takeForWorker(IID_IBaseFilter, setup_.multiplexer);
        if (graph_.takeMarshalled(graphForThread_, *setup_.graph) != 0 || (setup_.multiplexer && !multiplexer_)) {
            failed = false;  // nothing ran
            setMessage(kProcessingInterrupted);
            return SynthesisOutcome::Interrupted;
        }
        const SynthesisOutcome outcome = runToEnd();
        failed = false;
        return outcome;
    });
    if (failed) guardOperation(tell, 0, [&] {
        stopInterrupted();
        return 0;
    });
    multiplexer_.reset();
    graph_.releaseGraph();
    guardOperation(tell, 0, [&] {
        if (setup_.ended) setup_.ended(outcome_);
        return 0;
    });
    if (SUCCEEDED(com)) CoUninitialize();
    SetEvent(endedEvent_.get());
}

SynthesisOutcome SynthesisRun::runToEnd() {
    const int32_t startTime = timeOfDayNow();
    ComPtr<IMediaSeeking> muxSeeking;
    const bool seekable = multiplexer_ &&
                          SUCCEEDED(multiplexer_->QueryInterface(IID_IMediaSeeking, muxSeeking.putVoid()));
    // Without a clock the frames go through as fast as they are made; the
    // clock goes while the graph is still stopped.
    graph_.removeClock();
    graph_.run();
    setMessage(runningText(setup_.outputPath));
    LONGLONG muxDuration = 0;
    if (!seekable)
        setMessage(kStateUnknown);
    else if (FAILED(muxSeeking->GetDuration(&muxDuration)))
        muxDuration = 0;

    while (!waitForCompletion(seekable, muxDuration)) {
        abortRequested_ = false;
        ResetEvent(abortEvent_.get());
        if (setup_.ui->askYesNo(kInterruptionQuestion, kProgramTitle)) {
            stopInterrupted();
            setMessage(kProcessingInterrupted);
            if (setup_.progress) setup_.progress(0);
            return SynthesisOutcome::Interrupted;
        }
        // No: the same file goes on being written.
        graph_.run();
    }
    graph_.stop();
    graph_.seekTo(0);
    elapsed_ = elapsedTime(startTime, timeOfDayNow());
    setMessage(finishedText(elapsed_));
    if (setup_.progress) setup_.progress(0);
    return SynthesisOutcome::Completed;
}

bool SynthesisRun::waitForCompletion(bool withProgress, int64_t muxDuration) {
    HANDLE graphEvent = nullptr;
    graph_.events()->GetEventHandle(reinterpret_cast<OAEVENT*>(&graphEvent));
    for (;;) {
        // The abort comes first: a completion the graph reports after the
        // abort button was pressed does not undo the question.
        if (abortRequested_) {
            graph_.control()->Pause();
            return false;
        }
        // Paused by the abort button, or stopped: the run did not complete.
        if (!graphRunning()) return false;
        const int ending = takeEvents();
        if (ending != 0) return ending > 0;
        const HANDLE handles[] = {graphEvent, abortEvent_.get()};
        const DWORD count = graphEvent ? 2 : 1;
        const DWORD woken = WaitForMultipleObjects(count, graphEvent ? handles : handles + 1, FALSE, setup_.sliceMs);
        if (woken == WAIT_TIMEOUT) {
            if (withProgress) showProgress(muxDuration);
            dispatchOnePendingMessage();
        }
    }
}

int SynthesisRun::takeEvents() {
    IMediaEventEx* events = graph_.events();
    long code = 0;
    LONG_PTR first = 0, second = 0;
    int ending = 0;
    while (ending == 0 && events->GetEvent(&code, &first, &second, 0) == S_OK) {
        events->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE) ending = 1;
        if (endsWithError(code)) ending = -1;
    }
    return ending;
}

bool SynthesisRun::graphRunning() const {
    OAFilterState state = State_Stopped;
    const HRESULT hr = graph_.control()->GetState(0, &state);
    return SUCCEEDED(hr) && state == State_Running;
}

void SynthesisRun::showProgress(int64_t muxDuration) {
    ComPtr<IMediaSeeking> seeking;
    LONGLONG position = 0;
    std::optional<int> percent;
    if (SUCCEEDED(multiplexer_->QueryInterface(IID_IMediaSeeking, seeking.putVoid())) &&
        SUCCEEDED(seeking->GetCurrentPosition(&position)))
        percent = progressPercent(position, muxDuration, setup_.inputDuration);
    if (!percent)
        setMessage(kStateUnknown);
    else if (setup_.progress)
        setup_.progress(*percent);
}

void SynthesisRun::stopInterrupted() {
    stopFeedersOf(multiplexer_.get());
    graph_.stop();
}

void SynthesisRun::setMessage(std::u16string_view text) { setup_.ui->setMessage(text); }

}  // namespace qucap
