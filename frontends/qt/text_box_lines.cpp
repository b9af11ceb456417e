// Reads a text box's lines from its document's raw text, so that no character is changed on the way out.
#include "frontends/qt/text_box_lines.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace brelvix {

QString boxLines(const QPlainTextEdit& box, QStringView lineBreak) {
    // toPlainText() would also turn every no-break space into a blank; the raw text differs from the user's
    // text only in holding a paragraph separator between two lines.
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, lineBreak.toString());
    return text;
}

std::u16string toU16String(QStringView text) {
    return std::u16string(text.utf16(), static_cast<std::size_t>(text.size()));
}

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

} // namespace brelvix
