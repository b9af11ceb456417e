// The six buttons under the names of their commands, as every test of the window calls them.
#pragma once

#include "window/form1_controls.h"

namespace brelvix::testing {

inline constexpr CommandButton adjust = CommandButton::Command1;
inline constexpr CommandButton paste = CommandButton::Command2;
inline constexpr CommandButton copy = CommandButton::Command3;
inline constexpr CommandButton exitButton = CommandButton::Command4;
inline constexpr CommandButton clear = CommandButton::Command5;
inline constexpr CommandButton addString = CommandButton::Command6;

} // namespace brelvix::testing
