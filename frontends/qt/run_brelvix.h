// The program's start-up on Qt: the window is loaded, shown and run until it is closed.
#pragma once

#include "frontends/qt/form1_widget.h"

namespace brelvix {

// Needs a QApplication. Returns the program's exit status: 1 when loading failed, in which case the
// failure has been reported and the window never shown.
int runBrelvix(Clipboard& clipboard, LoadSteps loadSteps = {});

} // namespace brelvix
