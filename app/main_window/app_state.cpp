#include "app/main_window/app_state.h"

namespace qucap {
namespace {
std::unique_ptr<AppState> state;
}

AppState& app() {
    if (!state) state = std::make_unique<AppState>();
    return *state;
}

void resetAppState() { state.reset(); }

}  // namespace qucap
