// Times Paste, Adjust, Add String and Copy in the Win32 window, each from the click until the window has
// handled every message the click caused, on an Access query of the largest size Access keeps and on one of
// 2 MiB. Runs under Wine on a display; prints the figures and asserts nothing, as timings vary by machine.
#include "bench/access_query.h"

#include "frontends/win32/form1_window.h"
#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/windows_clipboard.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

using brelvix::CommandButton;

double millisecondsFor(brelvix::Form1Window& window, CommandButton button) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SendMessageW(window.control(button), BM_CLICK, 0, 0);
    UpdateWindow(window.handle());
    brelvix::handlePendingMessages(window);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main() {
    constexpr int rounds = 5;
    const struct {
        const char* description;
        std::size_t size;
    } sources[] = {{"64,000-character query", 64000}, {"2 MiB query (1 Mi code units)", 1024 * 1024}};
    const struct {
        const char* name;
        CommandButton button;
    } commands[] = {{"Paste", CommandButton::Command2},
                    {"Adjust", CommandButton::Command1},
                    {"Add String", CommandButton::Command6},
                    {"Copy", CommandButton::Command3}};
    for (const auto& source : sources) {
        brelvix::Form1Window window(GetModuleHandleW(nullptr));
        brelvix::WindowsClipboard clipboard(window.handle());
        brelvix::Form1 procedures(window, clipboard);
        const brelvix::Form1Window::Connection connection = window.connect(procedures);
        if (!procedures.Form_Load()) {
            return 1;
        }
        window.show(SW_SHOWNORMAL);
        brelvix::handlePendingMessages(window);
        const std::u16string query = brelvix::bench::accessStyleQuery(source.size);
        // Each round is the usual order of use; Clear brings the window back to the start for the next.
        std::array<std::vector<double>, std::size(commands)> times;
        for (int round = 0; round < rounds; ++round) {
            clipboard.setText(query);
            for (std::size_t i = 0; i < std::size(commands); ++i) {
                times[i].push_back(millisecondsFor(window, commands[i].button));
            }
            millisecondsFor(window, CommandButton::Command5);
        }
        std::printf("%s (median of %d):", source.description, rounds);
        for (std::size_t i = 0; i < std::size(commands); ++i) {
            std::sort(times[i].begin(), times[i].end());
            std::printf("  %s %.0f ms", commands[i].name, times[i][rounds / 2]);
        }
        std::printf("\n");
        window.unload();
        brelvix::handlePendingMessages(window);
    }
    return 0;
}
