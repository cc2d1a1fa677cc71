#include "win32/program_folder.h"

#include <windows.h>

#include "captiondata/text/paths.h"

namespace qucap {

std::u16string programFolder() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return folderOf(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace qucap
