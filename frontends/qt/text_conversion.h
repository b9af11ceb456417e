// The conversions between Qt's strings and the procedures' UTF-16 text.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace brelvix {

// Both keep every UTF-16 code unit as it is, lone surrogates and NULs included.
std::u16string toU16String(QStringView text);
QString toQString(std::u16string_view text);

} // namespace brelvix
