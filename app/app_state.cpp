#include "app/app_state.h"

#include "app/tabs/page.h"

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
