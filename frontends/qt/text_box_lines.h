// A text box's text as lines, every character exactly as the box holds it.
#pragma once

#include <QString>
#include <QStringView>

class QPlainTextEdit;

namespace brelvix {

// The lines of `box` joined by `lineBreak`, every other character exactly as the box holds it.
QString boxLines(const QPlainTextEdit& box, QStringView lineBreak);

} // namespace brelvix
