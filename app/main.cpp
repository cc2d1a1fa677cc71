// Qucapadd.exe: the authoring program.
#include <windows.h>

#include "app/program_start.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return qucap::runProgram(instance, showCommand);
}
