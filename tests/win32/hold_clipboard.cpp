// Test helper: another program on the clipboard.
// Usage: brelvix_hold_clipboard hold HELD_EVENT RELEASE_EVENT MILLISECONDS
//          opens the clipboard, signals HELD_EVENT, and keeps it open until RELEASE_EVENT is signalled or
//          MILLISECONDS have passed, as a clipboard manager or a hung program can;
//        brelvix_hold_clipboard offer TEXT
//          puts TEXT on the clipboard as Unicode text with an HTML copy beside it, as a word processor does.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The clipboard's owner while this program holds it. Windows documents that a clipboard opened without one
// cannot be written; Wine lets it pass.
HWND ownerWindow() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

bool put(UINT format, const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* locked = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (locked == nullptr) {
        return false;
    }
    std::memcpy(locked, data, size);
    GlobalUnlock(memory);
    return SetClipboardData(format, memory) != nullptr;
}

int hold(const wchar_t* heldName, const wchar_t* releaseName, DWORD milliseconds) {
    const HANDLE held = OpenEventW(EVENT_MODIFY_STATE, FALSE, heldName);
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, releaseName);
    if (held == nullptr || release == nullptr || !OpenClipboard(ownerWindow())) {
        return 1;
    }
    SetEvent(held);
    WaitForSingleObject(release, milliseconds);
    CloseClipboard();
    return 0;
}

int offer(const std::wstring& text) {
    const std::string html = "<html><body>" + std::string(text.begin(), text.end()) + "</body></html>";
    if (!OpenClipboard(ownerWindow()) || !EmptyClipboard()) {
        return 1;
    }
    const bool offered = put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)) &&
                         put(RegisterClipboardFormatW(L"HTML Format"), html.c_str(), html.size() + 1);
    CloseClipboard();
    return offered ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"hold" && argc == 5) {
        return hold(argv[2], argv[3], static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 10)));
    }
    if (mode == L"offer" && argc == 3) {
        return offer(argv[2]);
    }
    return 2;
}
