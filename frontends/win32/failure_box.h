// The message box that shows the user a failure, as reportError and a start-up without a window show it.
#pragma once

#include <windows.h>

#include <string_view>

namespace brelvix {

// Shows `description` in a modal box with the critical icon, a single OK button and the application's title,
// and returns when the user has closed it. Should memory run out for the box's copy of the text, it shows a
// fixed text instead rather than end the program.
void showFailure(HWND owner, std::u16string_view description) noexcept;

} // namespace brelvix
