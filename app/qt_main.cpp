// The program's entry on Linux: starts Qt and runs the main window on the desktop's clipboard.
#include "frontends/qt/run_brelvix.h"
#include "frontends/qt/system_clipboard.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QGuiApplication::setDesktopFileName(QStringLiteral(BRELVIX_APP_ID));
    QApplication application(argc, argv);
    brelvix::SystemClipboard clipboard;
    return brelvix::runBrelvix(clipboard);
}
