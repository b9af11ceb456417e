// Error descriptions from FormatMessageW, in a buffer it allocates for the length of the text.
#include "frontends/win32/windows_error.h"

#include "frontends/win32/text_conversion.h"

#include <memory>

namespace brelvix {

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* memory) const { LocalFree(memory); }
};

} // namespace

WindowsError::WindowsError(DWORD code)
    : std::runtime_error(toUtf8(describeWindowsError(code))) {}

std::wstring describeWindowsError(DWORD code) {
    if (code == ERROR_SUCCESS) {
        return L"Windows could not carry this out and gave no reason.";
    }
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(buffer);
    if (length == 0) {
        // Windows has no words for this code; its number is all the user can look up.
        return L"Windows error " + std::to_wstring(code) + L".";
    }
    std::wstring description(buffer, length);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r')) {
        description.pop_back();
    }
    return description;
}

void throwLastError() {
    throw WindowsError(GetLastError());
}

} // namespace brelvix
