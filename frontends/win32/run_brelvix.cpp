// Joins the thread to COM, creates Form1 with the Windows clipboard, runs Form_Load and, when that succeeds,
// the message loop.
#include "frontends/win32/run_brelvix.h"

#include "frontends/win32/com_apartment.h"
#include "frontends/win32/failure_box.h"
#include "frontends/win32/windows_clipboard.h"

#include <exception>
#include <optional>
#include <utility>

namespace brelvix {

int runMessageLoop(Form1Window& window) {
    MSG message{};
    while (window.handle() != nullptr) {
        const BOOL received = GetMessageW(&message, nullptr, 0, 0);
        if (received == 0) {
            // Someone else asked the thread to end, as Windows may when the session ends.
            return static_cast<int>(message.wParam);
        }
        if (received == -1) {
            return 1;
        }
        window.dispatch(message);
    }
    return 0;
}

void handlePendingMessages(Form1Window& window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        window.dispatch(message);
    }
}

int runBrelvix(HINSTANCE instance, int showCommand, LoadSteps loadSteps) {
    const ComApartment apartment;
    std::optional<Form1Window> window;
    try {
        window.emplace(instance);
    } catch (...) {
        // With no window there is no Form_Load to report through; the user still learns why.
        showDescription(std::current_exception(),
                        [](std::u16string_view description) { showFailure(nullptr, description); });
        return 1;
    }
    WindowsClipboard clipboard(window->handle());
    Form1 procedures(*window, clipboard, std::move(loadSteps));
    const Form1Window::Connection connection = window->connect(procedures);
    if (!procedures.Form_Load()) {
        return 1;
    }
    window->show(showCommand);
    return runMessageLoop(*window);
}

} // namespace brelvix
