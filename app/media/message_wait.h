#pragma once
// Waiting on a single-threaded apartment's thread: the thread's window
// messages are dispatched while it waits, so COM and the graph's own windows
// keep working.
#include <windows.h>

#include <initializer_list>

namespace qucap {

// Waits until one of `handles` is signalled or `timeoutMs` has passed. The
// index of the first signalled handle, or -1 on time-out or failure.
int waitDispatching(std::initializer_list<HANDLE> handles, DWORD timeoutMs);

// Takes and dispatches one message of the thread's queue, if there is one: a
// worker thread waiting on a graph in slices calls it after each slice, so a
// message sent to the thread does not wait for the end of its work.
void dispatchOnePendingMessage();

}  // namespace qucap
