// The layout the window's tests load in place of the real one, shared by the procedures' tests and both front
// ends' tests: it records what the window hands it, answers A[source] or S[prefix|source], runs a look at the
// window meanwhile, or fails as told.
#pragma once

#include "window/form1.h"

#include <functional>
#include <string>

namespace brelvix::testing {

struct LayoutProbe {
    enum class Failure { None, Standard, Other };

    // Load steps whose layout reports to this probe, which must outlive the window.
    LoadSteps loadSteps();

    std::u16string source;
    std::u16string prefix;
    // Standard throws std::runtime_error(description); Other throws what is no standard exception.
    Failure failure = Failure::None;
    std::string description = "the layout failed";
    // Runs while the layout runs, before it answers or fails.
    std::function<void()> whileRunning;
};

} // namespace brelvix::testing
