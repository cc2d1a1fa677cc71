#include "app/media/preview_control.h"

#include "app/media/message_wait.h"

namespace qucap {
namespace {

constexpr DWORD kStateQueryMs = 10;
// A graph that never settles is given up after this many state queries
// (about three seconds), so no command of the window waits for ever.
constexpr int kStateQueryRounds = 300;
constexpr LONG kVideoWindowStyle = 0x46000000;  // child, clip siblings, clip children

HRESULT queryState(FilterGraph& graph, OAFilterState& state) {
    state = State_Stopped;
    return graph.control() ? graph.control()->GetState(kStateQueryMs, &state) : E_FAIL;
}

}  // namespace

HRESULT runGraph(FilterGraph& graph) { return graph.run(); }

void pauseGraph(FilterGraph& graph) {
    if (!graph.control() || graph.control()->Pause() != S_FALSE) return;
    for (int round = 0; round < kStateQueryRounds; ++round) {
        OAFilterState state;
        HRESULT result = queryState(graph, state);
        if (FAILED(result) || result == VFW_S_CANT_CUE || (result == S_OK && state == State_Paused)) return;
        result = queryState(graph, state);
        if (FAILED(result) || result == VFW_S_STATE_INTERMEDIATE) return;
    }
}

void stopGraph(FilterGraph& graph) {
    if (!graph.control()) return;
    for (int round = 0; round < kStateQueryRounds && graph.control()->Stop() == S_FALSE; ++round)
        dispatchOnePendingMessage();
    OAFilterState state;
    for (int round = 0; round < kStateQueryRounds; ++round) {
        const HRESULT result = queryState(graph, state);
        if (FAILED(result) || state == State_Stopped) return;
    }
}

bool graphRunning(FilterGraph& graph) {
    OAFilterState state;
    const HRESULT result = queryState(graph, state);
    return result == VFW_S_STATE_INTERMEDIATE || (SUCCEEDED(result) && state == State_Running);
}

bool runningUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

HRESULT repositionGraph(FilterGraph& graph, int64_t position) {
    OAFilterState before = State_Stopped;
    if (!runningUnderWine() || FAILED(queryState(graph, before)) || before == State_Stopped)
        return graph.seekTo(position);
    graph.control()->Stop();
    const HRESULT sought = graph.seekTo(position);
    if (before == State_Running)
        graph.control()->Run();
    else
        pauseGraph(graph);
    return sought;
}

int64_t currentPosition(FilterGraph& graph) {
    LONGLONG position = 0;
    if (!graph.seekingAvailable() || FAILED(graph.seeking()->GetCurrentPosition(&position))) return 0;
    return position;
}

int placeVideoWindow(FilterGraph& graph, HWND area, ClientSize video) {
    IVideoWindow* window = graph.videoWindow();
    RECT client{};
    if (!window || !area || !GetClientRect(area, &client)) return -1;
    if (FAILED(window->put_Owner(OAHWND(area))) || FAILED(window->put_WindowStyle(kVideoWindowStyle))) return -1;
    const ControlRect placed = videoWindowRect({client.right, client.bottom}, video);
    // The whole area first, then the picture's width, as the placement rule has it.
    if (FAILED(window->SetWindowPosition(placed.left, placed.top, client.right, client.bottom))) return -1;
    return FAILED(window->put_Width(placed.width)) ? -1 : 0;
}

void detachVideoWindow(FilterGraph& graph) {
    IVideoWindow* window = graph.videoWindow();
    if (!window) return;
    window->put_Visible(OAFALSE);
    window->put_Owner(0);
}

}  // namespace qucap
