#pragma once
// The program's single media state. Every page decides which of its controls
// are usable from it; the preview and synthesis threads change it as well.
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace qucap {

enum class PlayState : int32_t {
    NoMedia = 0,        // nothing loaded yet; only the file-selection tab is usable
    Playing = 1,        // a preview runs
    Paused = 2,         // a preview is paused (also after the synthesis abort button)
    Stopped = 3,        // a preview graph exists and is stopped: the normal editing state
    Synthesizing = 4,   // a synthesis graph runs
    SynthesisDone = 5,  // a synthesis has ended and its graph was emptied
};

inline constexpr std::size_t kPlayStateCount = 6;

// The program's one play state, written by the window and the worker threads.
using SharedPlayState = std::atomic<PlayState>;

inline constexpr std::size_t indexOf(PlayState state) { return std::size_t(state); }

// A preview runs or is paused: tabs, ending and most editing are locked.
inline constexpr bool isPreviewActive(PlayState state) {
    return state == PlayState::Playing || state == PlayState::Paused;
}

}  // namespace qucap
