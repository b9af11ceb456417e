// Test helper: another program that opens the clipboard and keeps it open until told to let go, as a
// clipboard manager or a hung program can.
// Usage: brelvix_hold_clipboard HELD_EVENT RELEASE_EVENT: signals HELD_EVENT once the clipboard is open,
// then keeps it open until RELEASE_EVENT is signalled, for half a minute at most.
#include <windows.h>

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 3) {
        return 2;
    }
    if (!OpenClipboard(nullptr)) {
        return 1;
    }
    const HANDLE held = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
    if (held == nullptr || release == nullptr) {
        return 1;
    }
    SetEvent(held);
    WaitForSingleObject(release, 30000);
    CloseClipboard();
    return 0;
}
