#include "win32/console.h"

#include <windows.h>

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::size_t kChunkUnits = 8192;

bool handleIsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void writeToConsole(HANDLE console, std::u16string_view text) {
    const std::u16string lines = withConsoleLineEnds(text);
    std::size_t done = 0;
    while (done < lines.size()) {
        const DWORD want = DWORD(std::min(lines.size() - done, kChunkUnits));
        DWORD put = 0;
        if (!WriteConsoleW(console, lines.data() + done, want, &put, nullptr) || put == 0) return;
        done += put;
    }
}

void writeBytes(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = DWORD(std::min(bytes.size() - done, kChunkUnits));
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, want, &put, nullptr) || put == 0) return;
        done += put;
    }
}

}  // namespace

ConsoleStream::ConsoleStream(StandardStream stream)
    : ConsoleStream(GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {}

ConsoleStream::ConsoleStream(void* handle) : handle_(handle), isConsole_(handleIsConsole(handle)) {}

void ConsoleStream::write(std::u16string_view text) {
    // Without a standard handle (a program started detached) the text has nowhere to go.
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE || text.empty()) return;
    if (isConsole_)
        writeToConsole(handle_, text);
    else
        writeBytes(handle_, toUtf8(text));
}

std::u16string withConsoleLineEnds(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result += u'\r';
        result += text[i];
    }
    return result;
}

std::vector<std::u16string> argumentsOf(int argc, wchar_t** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(reinterpret_cast<const char16_t*>(argv[i]));
    return arguments;
}

}  // namespace qucap
