// The program's start-up on Windows: the window is created, loaded, shown and run until it is closed.
#pragma once

#include "frontends/win32/form1_window.h"

namespace brelvix {

// Pumps the thread's messages, each through the window's keyboard handling first, until the window is gone,
// however it went; returns the status the program ends with.
int runMessageLoop(Form1Window& window);

// Handles every message already queued for the thread as the loop does, and returns once none is left: for a
// caller that drives the window itself, as the tests and benchmarks do.
void handlePendingMessages(Form1Window& window);

// Returns the program's exit status: 1 when the window could not be created or loading failed, in which
// case the failure has been reported and the window never shown.
int runBrelvix(HINSTANCE instance, int showCommand, LoadSteps loadSteps);

} // namespace brelvix
