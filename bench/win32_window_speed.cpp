// Times Paste, Adjust, Add String and Copy in the Win32 window, each from the click until the window has
// handled every message the click caused, on an Access query of the largest size Access keeps and on one of
// 2 MiB. Runs under Wine on a display; prints the figures and asserts nothing, as timings vary by machine.
#include "bench/access_query.h"

#include "frontends/win32/form1_window.h"
#include "frontends/win32/windows_clipboard.h"

#include <cstdio>

namespace {

using brelvix::CommandButton;

void pump(brelvix::Form1Window& window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT && !window.handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

double millisecondsFor(brelvix::Form1Window& window, CommandButton button) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SendMessageW(window.control(button), BM_CLICK, 0, 0);
    UpdateWindow(window.handle());
    pump(window);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main() {
    const struct {
        const char* description;
        std::size_t size;
    } sources[] = {{"64,000-character query", 64000}, {"2 MiB query (1 Mi code units)", 1024 * 1024}};
    for (const auto& source : sources) {
        brelvix::Form1Window window(GetModuleHandleW(nullptr));
        brelvix::WindowsClipboard clipboard(window.handle());
        brelvix::Form1 procedures(window, clipboard);
        window.connect(procedures);
        if (!procedures.Form_Load()) {
            return 1;
        }
        window.show(SW_SHOWNORMAL);
        pump(window);
        clipboard.setText(brelvix::bench::accessStyleQuery(source.size));
        std::printf("%s:", source.description);
        const struct {
            const char* name;
            CommandButton button;
        } commands[] = {{"Paste", CommandButton::Command2},
                        {"Adjust", CommandButton::Command1},
                        {"Add String", CommandButton::Command6},
                        {"Copy", CommandButton::Command3}};
        for (const auto& command : commands) {
            std::printf("  %s %.0f ms", command.name, millisecondsFor(window, command.button));
        }
        std::printf("\n");
        window.unload();
        pump(window);
    }
    return 0;
}
