// The one failure report that the window's procedures share.
#pragma once

#include <QString>
#include <QStringView>

class QWidget;

namespace brelvix {

// The title every failure report carries: the application's title.
inline constexpr QStringView reportTitle = u"Brelvix";

// Shows `description` in a modal box with the critical icon and a single OK button, and returns when the
// user has closed it. `owner` is the window the box belongs to; it may be hidden or null.
void reportError(QWidget* owner, const QString& description);

} // namespace brelvix
