// The desktop's own clipboard behind the Clipboard interface.
#pragma once

#include "window/clipboard.h"

namespace brelvix {

// Works on the clipboard proper, never on the X11 primary selection. Needs a running QGuiApplication.
class SystemClipboard final : public Clipboard {
public:
    QString text() override;
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace brelvix
