// Opens the clipboard for each operation, waiting a moment for another program that holds it, and reads or
// writes CF_UNICODETEXT; every failure carries Windows' description of its own error.
#include "frontends/win32/windows_clipboard.h"

#include "frontends/win32/text_conversion.h"
#include "frontends/win32/windows_error.h"

#include <cstring>
#include <memory>

namespace brelvix {

namespace {

// Clipboard managers open the clipboard for a moment after every change; about 100 ms of retries outlast
// them without keeping the user waiting.
constexpr int openAttempts = 10;
constexpr DWORD pauseBetweenAttempts = 10;

[[noreturn]] void throwClipboardError(DWORD code) {
    throw ClipboardError(toUtf8(describeWindowsError(code)));
}

class OpenClipboardSession {
public:
    explicit OpenClipboardSession(HWND owner) {
        for (int attempt = 1;; ++attempt) {
            SetLastError(ERROR_SUCCESS);
            if (OpenClipboard(owner)) {
                return;
            }
            const DWORD error = GetLastError();
            if (attempt == openAttempts) {
                throwClipboardError(error);
            }
            Sleep(pauseBetweenAttempts);
        }
    }
    ~OpenClipboardSession() { CloseClipboard(); }
    OpenClipboardSession(const OpenClipboardSession&) = delete;
    OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
};

// Global memory locked for as long as it lives.
template <typename Unit>
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory)
        , units_(lock(memory)) {
        if (units_ == nullptr) {
            throwClipboardError(GetLastError());
        }
    }
    ~GlobalLockGuard() { GlobalUnlock(memory_); }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    Unit* units() const { return units_; }

private:
    static Unit* lock(HGLOBAL memory) {
        SetLastError(ERROR_SUCCESS);
        return static_cast<Unit*>(GlobalLock(memory));
    }

    HGLOBAL memory_;
    Unit* units_;
};

struct GlobalFreeDeleter {
    void operator()(void* memory) const { GlobalFree(memory); }
};

} // namespace

WindowsClipboard::WindowsClipboard(HWND owner)
    : owner_(owner) {}

std::u16string WindowsClipboard::text() {
    const OpenClipboardSession session(owner_);
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return {};
    }
    SetLastError(ERROR_SUCCESS);
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        throwClipboardError(GetLastError());
    }
    const GlobalLockGuard<const wchar_t> lock(data);
    // The text ends at its terminating NUL, or at the end of its memory should another program have left
    // that out.
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && lock.units()[length] != L'\0') {
        ++length;
    }
    return toU16(std::wstring_view(lock.units(), length));
}

void WindowsClipboard::clear() {
    const OpenClipboardSession session(owner_);
    empty();
}

void WindowsClipboard::empty() {
    SetLastError(ERROR_SUCCESS);
    if (!EmptyClipboard()) {
        throwClipboardError(GetLastError());
    }
}

void WindowsClipboard::setText(std::u16string_view text) {
    SetLastError(ERROR_SUCCESS);
    std::unique_ptr<void, GlobalFreeDeleter> memory(
        GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (memory == nullptr) {
        throwClipboardError(GetLastError());
    }
    {
        const GlobalLockGuard<wchar_t> lock(memory.get());
        std::memcpy(lock.units(), text.data(), text.size() * sizeof(wchar_t));
        lock.units()[text.size()] = L'\0';
    }
    // Emptying in the same session takes ownership: whatever another program left there, its HTML or RTF
    // beside its text, cannot stay beside ours to be pasted instead.
    const OpenClipboardSession session(owner_);
    empty();
    SetLastError(ERROR_SUCCESS);
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        throwClipboardError(GetLastError());
    }
    // The clipboard owns the memory from here on.
    memory.release();
}

} // namespace brelvix
