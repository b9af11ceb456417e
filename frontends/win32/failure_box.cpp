// The failure box takes its title from Form1's design, and its last resort from the procedures' fixed text.
#include "frontends/win32/failure_box.h"

#include "frontends/win32/text_conversion.h"
#include "window/form1.h"
#include "window/form1_design.h"

#include <new>

namespace brelvix {

void showFailure(HWND owner, std::u16string_view description) noexcept {
    try {
        MessageBoxW(owner, toWide(description).c_str(), toWide(form1Design.messageBoxTitle).c_str(),
                    MB_OK | MB_ICONSTOP);
    } catch (const std::bad_alloc&) {
        // Both texts are literals, and so end in a NUL where the box looks for one.
        MessageBoxW(owner, reinterpret_cast<const wchar_t*>(undescribedFailure.data()),
                    reinterpret_cast<const wchar_t*>(form1Design.messageBoxTitle.data()),
                    MB_OK | MB_ICONSTOP);
    }
}

} // namespace brelvix
