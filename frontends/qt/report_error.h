// The one failure report that the window's procedures share.
#pragma once

#include <QString>

class QWidget;

namespace brelvix {

// Shows `description` in a modal box titled with the application's title, "Brelvix", with the critical icon
// and a single OK button, and returns when the user has closed it. `owner` is the window the box belongs
// to; it may be hidden or null.
void reportError(QWidget* owner, const QString& description);

} // namespace brelvix
