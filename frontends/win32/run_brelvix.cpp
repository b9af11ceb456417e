// Creates Form1 with the Windows clipboard, runs Form_Load and, when that succeeds, the message loop.
#include "frontends/win32/run_brelvix.h"

#include "frontends/win32/windows_clipboard.h"
#include "frontends/win32/windows_error.h"

#include <exception>
#include <optional>
#include <utility>

namespace brelvix {

int runMessageLoop(Form1Window& window) {
    MSG message{};
    for (;;) {
        const BOOL received = GetMessageW(&message, nullptr, 0, 0);
        if (received == 0) {
            return static_cast<int>(message.wParam);
        }
        if (received == -1) {
            return 1;
        }
        if (!window.handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

int runBrelvix(HINSTANCE instance, int showCommand, LoadSteps loadSteps) {
    std::optional<Form1Window> window;
    try {
        window.emplace(instance);
    } catch (const std::exception&) {
        // With no window there is no Form_Load to report through; the user still learns why.
        MessageBoxW(nullptr, toWide(describeFailure(std::current_exception())).c_str(),
                    toWide(form1Design.messageBoxTitle).c_str(), MB_OK | MB_ICONSTOP);
        return 1;
    }
    WindowsClipboard clipboard(window->handle());
    Form1 procedures(*window, clipboard, std::move(loadSteps));
    window->connect(procedures);
    if (!procedures.Form_Load()) {
        return 1;
    }
    window->show(showCommand);
    return runMessageLoop(*window);
}

} // namespace brelvix
