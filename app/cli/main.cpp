// Qucapcmd.exe: the console tool. Builds the Windows seams and runs one command line.
#include <new>

#include "app/cli/cli.h"
#include "app/cli/console_break.h"
#include "captiondata/io/io.h"
#include "win32/console.h"
#include "win32/console_ui.h"
#include "win32/win32_file_system.h"
#include "win32/win32_shiftjis.h"

namespace {

// Breaks are taken before wmain runs: a Ctrl+C while the tool starts ends it
// with exit 1 at its next step instead of ending the process where it stands.
const bool breaksTaken = (qucap::takeConsoleBreaks(), true);

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qucap;
    ConsoleStream out(StandardStream::Output);
    ConsoleStream err(StandardStream::Error);
    try {
        ConsoleUi ui(err);
        Win32FileSystem files;
        Win32ShiftJisDecoder shiftJis;
        CliContext context{Io{files, ui, shiftJis}, ui, out, err};
        const int result = runCommandLine(argumentsOf(argc, argv), context);
        if (!consoleBreakRequested() || result != kExitSuccess) return result;
        // A job that did not take the break itself still ends as interrupted.
        err.writeLine(u"処理が中断されました");
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        err.writeLine(u"メモリ不足のため処理を中止しました");
        return kExitFailed;
    } catch (...) {
        err.writeLine(u"予期しないエラーのため処理を中止しました");
        return kExitFailed;
    }
}
