#pragma once
// The synthesis thread: runs the synthesis graph, reports the progress from
// the multiplexer's position once a second, and ends on completion, or, when
// the graph stopped running (the abort, or an error), after the
// interruption question: Yes ends the run, No runs the graph again. The
// thread works on the graph manager and the multiplexer marshalled into its
// own apartment.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "app/media/filter_graph.h"
#include "app/media/marshalled_interface.h"
#include "captiondata/io/ui.h"
#include "win32/handles.h"

namespace qucap {

enum class SynthesisOutcome {
    Completed,    // the graph reported EC_COMPLETE
    Interrupted,  // the question was answered Yes
    NotStarted,   // the thread could not be started
};

struct SynthesisRunSetup {
    FilterGraph* graph = nullptr;
    IBaseFilter* multiplexer = nullptr;  // its IMediaSeeking gives the progress
    std::u16string outputPath;           // its file name goes to the message line
    int64_t inputDuration = 0;           // 100-ns units; the fallback for the percentage
    Ui* ui = nullptr;                    // message line and the interruption question
    // setProgress: the percentage after each second, 0 at the end.
    std::function<void(int percent)> progress;
    // Called on the thread as its last act (the program posts its end message here).
    std::function<void(SynthesisOutcome)> ended;
    DWORD sliceMs = 1000;
};

class SynthesisRun {
public:
    explicit SynthesisRun(SynthesisRunSetup setup);
    // Waits for the thread.
    ~SynthesisRun();
    SynthesisRun(const SynthesisRun&) = delete;
    SynthesisRun& operator=(const SynthesisRun&) = delete;

    // Starts the thread; false when it cannot be started.
    bool start();
    // The abort button, safe from any thread (also a console's break
    // handler): the thread pauses the graph at once and asks the question.
    void abort();
    // Waits for the thread's end, dispatching this thread's messages, and
    // gives its outcome.
    SynthesisOutcome wait();

    // The elapsed time of a completed run in milliseconds of whole seconds.
    int32_t elapsed() const { return elapsed_; }

private:
    void threadMain();
    SynthesisOutcome runToEnd();
    // Waits until completion or until the graph stops running.
    bool waitForCompletion(bool showProgress, int64_t muxDuration);
    // Takes the graph's events: 1 completed, -1 stopped by an error, 0 nothing yet.
    int takeEvents();
    bool graphRunning() const;
    void showProgress(int64_t muxDuration);
    // Stops a run that did not complete, the multiplexer's inputs first.
    void stopInterrupted();
    void setMessage(std::u16string_view text);

    SynthesisRunSetup setup_;
    // The graph manager and the multiplexer marshalled by start, and what
    // the thread took of them in its own apartment (let go before it ends).
    MarshalledInterface graphForThread_;
    MarshalledInterface multiplexerForThread_;
    FilterGraph graph_;
    ComPtr<IBaseFilter> multiplexer_;
    OwnedHandle abortEvent_;
    OwnedHandle endedEvent_;  // set as the thread's last act
    std::atomic<bool> abortRequested_{false};
    std::thread thread_;
    SynthesisOutcome outcome_ = SynthesisOutcome::NotStarted;
    int32_t elapsed_ = 0;
};

}  // namespace qucap
