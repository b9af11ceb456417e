// The desktop's own clipboard behind the Clipboard interface, through Qt.
#pragma once

#include "window/clipboard.h"

namespace brelvix {

// Works on the clipboard proper, never on the X11 primary selection. Needs a running QGuiApplication.
class SystemClipboard final : public Clipboard {
public:
    std::u16string text() override;
    void clear() override;
    void setText(std::u16string_view text) override;
};

} // namespace brelvix
