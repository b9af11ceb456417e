// The program's entry: starts Qt and runs the main window on the desktop's clipboard.
#include "window/run_brelvix.h"
#include "window/system_clipboard.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QGuiApplication::setDesktopFileName(QStringLiteral(BRELVIX_APP_ID));
    QApplication application(argc, argv);
    brelvix::SystemClipboard clipboard;
    return brelvix::runBrelvix(clipboard);
}
