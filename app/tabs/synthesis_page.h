#pragma once
// The synthesis tab (dialog 114): the window side of SynthesisTab. It shows
// the watermark settings and the encoder lists, starts the synthesis thread
// on the program's graph, shows its progress in the child dialog 116, aborts
// it, and takes the thread's end; its other buttons export the captions,
// show the caption filter's property page and list the graph's filters.
#include <windows.h>

#include <memory>

#include "app/core/synthesis/synthesis_tab.h"
#include "app/tabs/page.h"

namespace qucap {

// Posted by the synthesis thread to the page: the percentage in wParam, and
// the run going on after the interruption question was answered No.
inline constexpr UINT kSynthesisProgressMessage = 0x8068;
inline constexpr UINT kSynthesisResumedMessage = 0x8069;

struct SynthesisPageJob;

class SynthesisPage : public Page {
public:
    SynthesisPage();
    ~SynthesisPage() override;

    void refresh() override;
    void growRight(int dx) override;

    // Both encoder lists filled anew from the display-item lists; the choice is cleared.
    void refillEncoderLists();

    const SynthesisTab& model() const { return model_; }
    // Whether a synthesis thread exists (from its start until its end was taken).
    bool threadAlive() const { return job_ != nullptr; }

protected:
    void initialise() override;
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void command(int id, int code);
    void chooseEncoder(int combo);
    void showFilterProperties();
    void start();
    void abort();
    void threadEnded();

    void createProgressBar();
    void setProgress(int percent);
    void showWatermark();
    void fillCombos();
    void showSelections();
    void applyEnabling();

    SynthesisTab model_;
    OverwriteConfirmation confirmation_;
    std::unique_ptr<SynthesisPageJob> job_;
    HWND progress_ = nullptr;
    SIZE progressFull_{};
    bool showing_ = false;  // the page itself is setting the watermark text
};

std::unique_ptr<Page> makeSynthesisPage();

// The synthesis tab of the main window refills its encoder lists, when it exists.
void refillSynthesisEncoderLists();
// Whether the synthesis tab's thread exists: the preview waits until it has ended.
bool synthesisThreadAlive();

}  // namespace qucap
