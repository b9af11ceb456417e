// Error descriptions from FormatMessageW, and the text conversions the Windows front end needs.
#include "frontends/win32/windows_error.h"

#include "window/form1.h"
#include "window/form1_design.h"

#include <memory>
#include <new>

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

void showFailure(HWND owner, std::u16string_view description) noexcept {
    try {
        MessageBoxW(owner, toWide(description).c_str(), toWide(form1Design.messageBoxTitle).c_str(),
                    MB_OK | MB_ICONSTOP);
    } catch (const std::bad_alloc&) {
        // Both texts are literals, and so end in a NUL where the box looks for one.
        MessageBoxW(owner, reinterpret_cast<const wchar_t*>(undescribedFailure.data()),
                    reinterpret_cast<const wchar_t*>(form1Design.messageBoxTitle.data()),
                    MB_OK | MB_ICONSTOP);
    }
}

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring toWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string toU16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace brelvix
