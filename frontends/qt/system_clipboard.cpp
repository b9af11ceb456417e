// The Qt clipboard in its Clipboard mode, read and written as plain text.
#include "frontends/qt/system_clipboard.h"

#include "frontends/qt/text_conversion.h"

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

std::u16string SystemClipboard::text() {
    return toU16String(systemClipboard().text(QClipboard::Clipboard));
}

void SystemClipboard::clear() {
    systemClipboard().clear(QClipboard::Clipboard);
}

void SystemClipboard::setText(std::u16string_view text) {
    // Qt expects line feeds and turns them into the platform's own line breaks.
    systemClipboard().setText(toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                              QClipboard::Clipboard);
}

} // namespace brelvix
