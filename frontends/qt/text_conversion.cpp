// QString holds UTF-16 code units, as the procedures' text does, so both conversions copy unit for unit.
#include "frontends/qt/text_conversion.h"

namespace brelvix {

std::u16string toU16String(QStringView text) {
    return std::u16string(text.utf16(), static_cast<std::size_t>(text.size()));
}

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

} // namespace brelvix
