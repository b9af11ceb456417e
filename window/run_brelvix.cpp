// Loads Form1 and, when that succeeds, shows it and hands control to Qt's event loop.
#include "window/run_brelvix.h"

#include <QApplication>

#include <utility>

namespace brelvix {

int runBrelvix(Clipboard& clipboard, LoadSteps loadSteps) {
    Form1 form(clipboard, std::move(loadSteps));
    if (!form.Form_Load()) {
        return 1;
    }
    form.show();
    return QApplication::exec();
}

} // namespace brelvix
