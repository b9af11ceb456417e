// The Qt clipboard in its Clipboard mode, read and written as plain text.
#include "window/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace brelvix {

namespace {

QClipboard& systemClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw ClipboardError("The clipboard is not available.");
    }
    return *clipboard;
}

} // namespace

QString SystemClipboard::text() {
    return systemClipboard().text(QClipboard::Clipboard);
}

void SystemClipboard::clear() {
    systemClipboard().clear(QClipboard::Clipboard);
}

void SystemClipboard::setText(const QString& text) {
    systemClipboard().setText(text, QClipboard::Clipboard);
}

} // namespace brelvix
