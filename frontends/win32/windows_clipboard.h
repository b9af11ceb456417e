// The Windows clipboard behind the Clipboard interface: Unicode text only.
#pragma once

#include "window/clipboard.h"

#include <windows.h>

namespace brelvix {

class WindowsClipboard final : public Clipboard {
public:
    // `owner` becomes the clipboard's owner when the clipboard is emptied.
    explicit WindowsClipboard(HWND owner);

    std::u16string text() override;
    void clear() override;
    // Empties the clipboard and puts `text` on it in one session, so that it holds nothing else.
    void setText(std::u16string_view text) override;

private:
    // Empties the clipboard, which must be open, and makes owner_ its owner.
    void empty();

    HWND owner_;
};

} // namespace brelvix
