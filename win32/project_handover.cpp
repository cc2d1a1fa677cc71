#include "win32/project_handover.h"

namespace qucap {

ProjectHandOver::ProjectHandOver(DWORD waitMs) {
    mutex_ = CreateMutexW(nullptr, FALSE, kProjectHandOverMutexName);
    if (!mutex_) return;
    const DWORD waited = WaitForSingleObject(mutex_, waitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

ProjectHandOver::~ProjectHandOver() {
    release();
    if (mutex_) CloseHandle(mutex_);
}

void ProjectHandOver::release() {
    if (held_) ReleaseMutex(mutex_);
    held_ = false;
}

}  // namespace qucap
