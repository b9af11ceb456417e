// What the Win32 window's tests share: a loaded and shown window on the real clipboard which the keyboard
// rules drive, a watcher that reads and closes message boxes, another program that holds or fills the
// clipboard, and Windows' own words for an error.
#pragma once

#include "frontends/win32/form1_window.h"
#include "frontends/win32/windows_clipboard.h"
#include "tests/window/keyboard_rules.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace brelvix::testing {

std::u16string windowText(HWND window);

// FormatMessageW's text for `code`, as a user reads it.
std::wstring windowsWords(DWORD code);

// A window loaded and shown as at start-up, on the real clipboard; the keyboard rules drive it with keys
// handled as the program's loop handles them.
struct ShownWindow final : KeyboardHarness {
    explicit ShownWindow(LoadSteps steps = {}, int showCommand = SW_SHOWNORMAL);
    ~ShownWindow() override;

    HWND control(TabStop stop) const;

    // As the button tells the window: a click of the mouse would move the focus as well.
    void click(CommandButton button) override;
    void setText(TextBox box, std::u16string_view text) override { window.setText(box, text); }
    void setClipboardText(std::u16string_view text) override { clipboard.setText(text); }
    void setFocus(Focus focus) override;
    void press(KeyPress key) override;
    Focus focus() const override;
    bool closed() const override { return window.handle() == nullptr; }
    bool enabled(CommandButton button) const override;
    std::u16string text(TextBox box) const override { return window.text(box); }
    std::u16string selectedText(TextBox box) const override;
    // The cues the window asked Windows to show since the focus was last given; Wine keeps none itself.
    Cues cues() const override;

    Form1Window window;
    WindowsClipboard clipboard;
    Form1 procedures;
    Form1Window::Connection connection;
    bool loaded = false;

private:
    static LRESULT CALLBACK watchUiState(int code, WPARAM wParam, LPARAM lParam);

    static inline ShownWindow* watched_ = nullptr;
    HHOOK uiStateHook_;
    WORD cuesShown_ = 0;
};

// The height of a line of `font`, of the font `control` draws in, and the height inside `control`.
int lineHeight(HFONT font);
int lineHeightOf(HWND control);
int heightInside(HWND control);

// Notes each message box that opens while it lives, runs `whileOpen` then, and closes the box with OK.
class MessageBoxWatcher {
public:
    struct Report {
        std::wstring title;
        std::wstring text;
        bool criticalIcon = false;
    };

    explicit MessageBoxWatcher(std::function<void()> whileOpen = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<Report> reports;

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK inspect(HWND box, LPARAM);
    static BOOL CALLBACK readChild(HWND child, LPARAM reportAddress);

    static inline MessageBoxWatcher* active_ = nullptr;
    std::function<void()> whileOpen_;
    UINT_PTR timer_;
};

// Another program, brelvix_hold_clipboard.exe beside the tests, that opens the clipboard and keeps it open
// until this object goes or `milliseconds` have passed, as a clipboard manager or a hung program can.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD milliseconds = 30000);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    // Whether the clipboard was held once the constructor returned.
    bool holding() const { return holding_; }

private:
    HANDLE held_;
    HANDLE release_;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
};

// Has the other program put `text` on the clipboard with an HTML copy beside it, as a word processor does.
void offerTextAndHtml(const std::wstring& text);

} // namespace brelvix::testing
