// Form1's procedures: start-up and the six commands, written once over the window's controls and the
// clipboard, so that every front end runs the same steps in the same order with the same failure styles.
#pragma once

#include "window/app_version.h"
#include "window/clipboard.h"
#include "window/form1_controls.h"
#include "window/layout_engine.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace brelvix {

// The steps of start-up that reach outside the window; a front end or a test replaces them.
struct LoadSteps {
    std::function<AppVersion()> readVersion = applicationVersion;
    std::function<std::unique_ptr<LayoutEngine>()> createLayout = createQueryLayout;
};

// Holds no state of its own beyond the layout it creates: the buttons' enabled flags, kept by the
// controls, are the window's whole state.
class Form1 {
public:
    Form1(Form1Controls& controls, Clipboard& clipboard, LoadSteps loadSteps = {});

    // Runs once, before the window is first shown. On a failure it reports it, unloads the window and
    // returns false: the window must then never be shown.
    [[nodiscard]] bool Form_Load();

    // Runs the procedure of `button`'s Click event, as the toolkit delivers it.
    void click(CommandButton button);

    void Command1_Click(); // Adjust
    void Command2_Click(); // Paste
    void Command3_Click(); // Copy
    void Command4_Click(); // Exit
    void Command5_Click(); // Clear
    void Command6_Click(); // Add String

private:
    template <typename Steps>
    bool reportAndStop(Steps&& steps);

    Form1Controls& controls_;
    Clipboard& clipboard_;
    LoadSteps loadSteps_;
    std::unique_ptr<LayoutEngine> layout_; // created by Form_Load, kept for the window's life
};

// The description a failure gives the user: what() of a standard exception, read as UTF-8 (a byte that is
// no UTF-8 shows as U+FFFD), and a fixed text for anything else.
std::u16string describeFailure(std::exception_ptr failure);

// What the user reads when memory runs out even for the description. A literal, so it ends in a NUL.
inline constexpr std::u16string_view undescribedFailure =
    u"The command failed, and there is not enough memory left to say why.";

// Hands `show` the failure's description, or undescribedFailure where building it fails: a failure must be
// reported, not end the program.
template <typename Show>
void showDescription(std::exception_ptr failure, Show&& show) {
    std::u16string description;
    try {
        description = describeFailure(std::move(failure));
    } catch (...) {
        show(undescribedFailure);
        return;
    }
    show(description);
}

} // namespace brelvix
