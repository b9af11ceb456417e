// The program's entry on Windows: the window, with the version read from this program file.
#include "frontends/win32/file_version.h"
#include "frontends/win32/run_brelvix.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    brelvix::LoadSteps steps;
    steps.readVersion = brelvix::readFileVersion;
    return brelvix::runBrelvix(instance, showCommand, steps);
}
