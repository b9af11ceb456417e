// Failures of Windows calls, described in Windows' own words.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

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

} // namespace brelvix
