// Failures of Windows calls, described in Windows' own words, and the conversions between the procedures'
// UTF-16 text and Windows' wide strings.
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

// Windows' description of `code` in the user's language, without the line break Windows ends it with.
std::wstring describeWindowsError(DWORD code);

// Throws the WindowsError of the calling thread's last error.
[[noreturn]] void throwLastError();

std::string toUtf8(std::wstring_view text);

// Windows' wide characters are UTF-16 code units, so both keep every unit as it is.
std::wstring toWide(std::u16string_view text);
std::u16string toU16(std::wstring_view text);

} // namespace brelvix
