// Loads the window and, when that succeeds, shows it and hands control to Qt's event loop.
#include "frontends/qt/run_brelvix.h"

#include <QApplication>

#include <utility>

namespace brelvix {

int runBrelvix(Clipboard& clipboard, LoadSteps loadSteps) {
    Form1Widget form(clipboard, std::move(loadSteps));
    if (!form.load()) {
        return 1;
    }
    form.show();
    return QApplication::exec();
}

} // namespace brelvix
