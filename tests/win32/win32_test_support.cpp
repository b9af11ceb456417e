// Keys reach the shown window as queued messages through the program's own handling; message boxes are found
// by a timer on the thread that waits in them; the other program is started beside the tests.
#include "win32_test_support.h"

#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/text_conversion.h"

#include <cctype>
#include <utility>

namespace brelvix::testing {

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return toU16(text);
}

std::wstring windowsWords(DWORD code) {
    wchar_t words[512]{};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        code, 0, words, 512, nullptr);
    std::wstring text(words, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
        text.pop_back();
    }
    return text;
}

ShownWindow::ShownWindow(LoadSteps steps, int showCommand)
    : window(GetModuleHandleW(nullptr))
    , clipboard(window.handle())
    , procedures(window, clipboard, std::move(steps))
    , connection(window.connect(procedures))
    , uiStateHook_(
          SetWindowsHookExW(WH_CALLWNDPROC, &ShownWindow::watchUiState, nullptr, GetCurrentThreadId())) {
    watched_ = this;
    loaded = procedures.Form_Load();
    if (loaded) {
        window.show(showCommand);
    }
    handlePendingMessages(window);
}

ShownWindow::~ShownWindow() {
    UnhookWindowsHookEx(uiStateHook_);
    if (watched_ == this) {
        watched_ = nullptr;
    }
    window.unload();
}

void ShownWindow::click(CommandButton button) {
    const HWND control = window.control(button);
    SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
    handlePendingMessages(window);
}

bool ShownWindow::enabled(CommandButton button) const {
    return IsWindowEnabled(window.control(button)) != FALSE;
}

HWND ShownWindow::control(TabStop stop) const {
    return std::visit([this](auto id) { return window.control(id); }, stop);
}

void ShownWindow::setFocus(Focus focus) {
    // As Windows starts a window that the mouse started; Wine keeps no such state, so what the window asks of
    // it afterwards is what the cues are judged by.
    SendMessageW(window.handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    cuesShown_ = {};
    const HWND target = focus ? control(*focus) : window.handle();
    SetFocus(target);
    if (focus && std::holds_alternative<TextBox>(*focus)) {
        const int end = GetWindowTextLengthW(target);
        SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

namespace {

// A message as the program's loop receives it from the focused control; WM_SYSCHAR is a letter with Alt.
void deliver(Form1Window& window, UINT message, WPARAM key) {
    const LPARAM altHeld = message == WM_SYSCHAR || message == WM_SYSKEYDOWN ? LPARAM{1} << 29 : 0;
    const LPARAM released = message == WM_KEYUP ? LPARAM{3} << 30 : 0;
    MSG queued{GetFocus(), message, key, altHeld | released | 1, static_cast<DWORD>(GetMessageTime()), {}};
    window.dispatch(queued);
    handlePendingMessages(window);
}

// GetKeyState, which the window asks about Shift and Ctrl, reads this thread's key state, not the queued
// message.
void hold(int key, bool down) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// A key pressed and released with Ctrl or Shift held, or neither, as the keyboard sends it.
void pressKey(Form1Window& window, WPARAM key, int held) {
    if (held != 0) {
        hold(held, true);
    }
    deliver(window, WM_KEYDOWN, key);
    deliver(window, WM_KEYUP, key);
    if (held != 0) {
        hold(held, false);
    }
}

} // namespace

void ShownWindow::press(KeyPress key) {
    const auto letter = static_cast<WPARAM>(key.letter);
    switch (key.key) {
    case Key::Letter:
        return deliver(window, WM_CHAR, letter);
    case Key::AltLetter:
        deliver(window, WM_SYSKEYDOWN, VK_MENU);
        return deliver(window, WM_SYSCHAR, letter);
    case Key::CtrlLetter:
        return pressKey(window, std::toupper(key.letter), VK_CONTROL);
    case Key::CtrlBackspace:
        return pressKey(window, VK_BACK, VK_CONTROL);
    case Key::ShiftTab:
        return pressKey(window, VK_TAB, VK_SHIFT);
    default:
        static constexpr WPARAM keys[] = {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE};
        return pressKey(window, keys[static_cast<int>(key.key)], 0);
    }
}

Cues ShownWindow::cues() const {
    return {.focus = (cuesShown_ & UISF_HIDEFOCUS) != 0, .accessKeys = (cuesShown_ & UISF_HIDEACCEL) != 0};
}

LRESULT CALLBACK ShownWindow::watchUiState(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && watched_ != nullptr && call.hwnd == watched_->window.handle() &&
        call.message == WM_CHANGEUISTATE && LOWORD(call.wParam) == UIS_CLEAR) {
        watched_->cuesShown_ |= HIWORD(call.wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Focus ShownWindow::focus() const {
    for (const TabStop& stop : form1Design.tabOrder) {
        if (control(stop) == GetFocus()) {
            return stop;
        }
    }
    return std::nullopt;
}

std::u16string ShownWindow::selectedText(TextBox box) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window.control(box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return text(box).substr(start, end - start);
}

int lineHeight(HFONT font) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

int lineHeightOf(HWND control) {
    return lineHeight(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
}

int heightInside(HWND control) {
    RECT inside{};
    GetClientRect(control, &inside);
    return inside.bottom - inside.top;
}

MessageBoxWatcher::MessageBoxWatcher(std::function<void()> whileOpen)
    : whileOpen_(std::move(whileOpen))
    , timer_(SetTimer(nullptr, 0, 20, &MessageBoxWatcher::onTimer)) {
    active_ = this;
}

MessageBoxWatcher::~MessageBoxWatcher() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

void CALLBACK MessageBoxWatcher::onTimer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &MessageBoxWatcher::inspect, 0);
}

BOOL CALLBACK MessageBoxWatcher::inspect(HWND box, LPARAM) {
    wchar_t className[16]{};
    GetClassNameW(box, className, 16);
    if (active_ == nullptr || std::wstring(className) != L"#32770" || !IsWindowVisible(box)) {
        return TRUE;
    }
    Report report;
    report.title = toWide(windowText(box));
    EnumChildWindows(box, &MessageBoxWatcher::readChild, reinterpret_cast<LPARAM>(&report));
    active_->reports.push_back(report);
    if (active_->whileOpen_) {
        active_->whileOpen_();
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return FALSE;
}

BOOL CALLBACK MessageBoxWatcher::readChild(HWND child, LPARAM reportAddress) {
    auto& report = *reinterpret_cast<Report*>(reportAddress);
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) == L"Static") {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            report.criticalIcon = icon != nullptr && icon == LoadIconW(nullptr, IDI_HAND);
        } else if (report.text.empty()) {
            report.text = toWide(windowText(child));
        }
    }
    return TRUE;
}

namespace {

// Waits for `object` while handling this thread's messages: the other program's clipboard calls send this
// test's window, the clipboard's owner, messages of their own and wait for the answer.
bool waitHandlingMessages(HANDLE object, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        const DWORD waited =
            MsgWaitForMultipleObjects(1, &object, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            return true;
        }
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

PROCESS_INFORMATION startOtherProgram(std::wstring arguments) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"brelvix_hold_clipboard.exe";
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &process);
    return process;
}

void endOtherProgram(const PROCESS_INFORMATION& process) {
    waitHandlingMessages(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

} // namespace

ClipboardHolder::ClipboardHolder(DWORD milliseconds) {
    static int count = 0;
    const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++count);
    const std::wstring heldName = L"BrelvixTestClipboardHeld" + id;
    const std::wstring releaseName = L"BrelvixTestClipboardRelease" + id;
    held_ = CreateEventW(nullptr, TRUE, FALSE, heldName.c_str());
    release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
    process_ =
        startOtherProgram(L"hold " + heldName + L" " + releaseName + L" " + std::to_wstring(milliseconds));
    holding_ = process_.hProcess != nullptr && waitHandlingMessages(held_, 10000);
}

ClipboardHolder::~ClipboardHolder() {
    SetEvent(release_);
    if (process_.hProcess != nullptr) {
        endOtherProgram(process_);
    }
    CloseHandle(held_);
    CloseHandle(release_);
}

void offerTextAndHtml(const std::wstring& text) {
    const PROCESS_INFORMATION process = startOtherProgram(L"offer " + text);
    if (process.hProcess != nullptr) {
        endOtherProgram(process);
    }
}

} // namespace brelvix::testing
