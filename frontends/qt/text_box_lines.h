// A text box's text as lines, and the conversions between Qt's strings and the layouts' strings.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace brelvix {

// The lines of `box` joined by `lineBreak`, every other character exactly as the box holds it.
QString boxLines(const QPlainTextEdit& box, QStringView lineBreak);

// Both keep every UTF-16 code unit as it is, lone surrogates and NULs included.
std::u16string toU16String(QStringView text);
QString toQString(std::u16string_view text);

} // namespace brelvix
