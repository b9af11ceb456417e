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

} // namespace brelvix
