// Failures of Windows calls, described in Windows' own words, the box that shows a failure, and the
// conversions between the procedures' UTF-16 text and Windows' wide strings.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace brelvix {

// A Windows call that failed; what() is Windows' description of the error code, in UTF-8.
class WindowsError : public std::runtime_error {
public:
    explicit WindowsError(DWORD code);
};

// Windows' description of `code` in the user's language, without the line break Windows ends it with. Code 0
// is a call that failed without setting a reason; Windows' words for it would read as success.
std::wstring describeWindowsError(DWORD code);

// Throws the WindowsError of the calling thread's last error. The caller clears the last error before the
// failing call, so that a code an earlier call left behind is never reported as this one's.
[[noreturn]] void throwLastError();

// Shows `description` in a modal box with the critical icon, a single OK button and the application's title,
// and returns when the user has closed it. Should memory run out for the box's copy of the text, it shows a
// fixed text instead rather than end the program.
void showFailure(HWND owner, std::u16string_view description) noexcept;

std::string toUtf8(std::wstring_view text);

// Windows' wide characters are UTF-16 code units, so both keep every unit as it is.
std::wstring toWide(std::u16string_view text);
std::u16string toU16(std::wstring_view text);

} // namespace brelvix
