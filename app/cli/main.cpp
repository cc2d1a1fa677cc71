// Qucapcmd.exe: the console tool. Builds the Windows seams and runs one command line.
#include <new>

#include "app/cli/cli.h"
#include "captiondata/io/io.h"
#include "win32/console.h"
#include "win32/console_ui.h"
#include "win32/win32_filesystem.h"
#include "win32/win32_shiftjis.h"

int wmain(int argc, wchar_t** argv) {
    using namespace qucap;
    ConsoleStream out(StandardStream::Output);
    ConsoleStream err(StandardStream::Error);
    try {
        ConsoleUi ui(err);
        Win32FileSystem files;
        Win32ShiftJisDecoder shiftJis;
        CliContext context{Io{files, ui, shiftJis}, ui, out, err};
        return runCommandLine(argumentsOf(argc, argv), context);
    } catch (const std::bad_alloc&) {
        err.writeLine(u"メモリ不足のため処理を中止しました");
        return kExitFailed;
    } catch (...) {
        err.writeLine(u"予期しないエラーのため処理を中止しました");
        return kExitFailed;
    }
}
