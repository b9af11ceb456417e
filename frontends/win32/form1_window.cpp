// Form1 on Win32: creates the window and its controls, keeps their places and fonts at the monitor's DPI,
// colours the text boxes, and runs a procedure for each click.
#include "frontends/win32/form1_window.h"

#include "frontends/win32/windows_error.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

namespace brelvix {

namespace {

constexpr wchar_t windowClassName[] = L"BrelvixForm1";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = 0;
constexpr int iconResource = 1;

// Places are designed in twips, 1,440 to the inch.
struct TwipsRect {
    int left, top, width, height;
};
constexpr int clientWidth = 9915;
constexpr int clientHeight = 7935;

int toPixels(int twips, UINT dpi) {
    return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}

// Control ids stay clear of IDOK (1) and IDCANCEL (2), which the dialog manager sends for Enter and Esc.
constexpr int firstButtonId = 101;
constexpr int firstBoxId = 201;

struct BoxLayout {
    const wchar_t* text;
    TwipsRect place;
    bool multiLine;
    COLORREF background;
};
const std::array<BoxLayout, 3> boxLayouts{{
    {L"SELECT Field1, Field2 FROM Table1 WHERE Field1 = 1;",
     {135, 180, 9645, 1545},
     true,
     RGB(255, 255, 255)},
    {L"", {135, 1800, 9645, 5100}, true, RGB(0, 255, 0)},
    {L"strSQL = strSQL & \"", {135, 7020, 9645, 270}, false, RGB(255, 255, 0)},
}};

struct ButtonLayout {
    const wchar_t* caption;
    TwipsRect place;
};
const std::array<ButtonLayout, 6> buttonLayouts{{
    {L"Ａｄｊｕｓｔ (&A)", {1755, 7425, 1545, 375}},
    {L"Ｐａｓｔ ＣｌｉｐＢｏｒｄ (&V)", {135, 7425, 1545, 375}},
    {L"Ｃｏｐｙ ＣｌｉｐＢｏｒｄ (&C)", {3375, 7425, 1545, 375}},
    {L"Ｅｘｉｔ (&X)", {8235, 7425, 1545, 375}},
    {L"Ｃｌｅａｒ (&E)", {4995, 7425, 1545, 375}},
    {L"Add String (&S)", {6615, 7425, 1545, 375}},
}};

// Creation order is the tab order: Text1, Adjust, Paste, Copy, Exit, Text2, Clear, Add String, Text3.
struct TabStop {
    bool isBox;
    int index;
};
constexpr std::array<TabStop, 9> tabOrder{{{true, 0},
                                           {false, 0},
                                           {false, 1},
                                           {false, 2},
                                           {false, 3},
                                           {true, 1},
                                           {false, 4},
                                           {false, 5},
                                           {true, 2}}};

std::u16string windowText(HWND window) {
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window);
    if (length == 0 && GetLastError() != ERROR_SUCCESS) {
        throwLastError();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(ERROR_SUCCESS);
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    if (copied == 0 && GetLastError() != ERROR_SUCCESS) {
        throwLastError();
    }
    text.resize(static_cast<std::size_t>(copied));
    return toU16(text);
}

void setWindowText(HWND window, std::u16string_view text) {
    if (!SetWindowTextW(window, toWide(text).c_str())) {
        throwLastError();
    }
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    // The program file carries the icon; a program without it (a test) gets Windows' default.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throwLastError();
    }
}

UniqueFont createButtonFont(UINT dpi) {
    LOGFONTW font{};
    // 8.25 points at the monitor's DPI.
    font.lfHeight = -MulDiv(825, static_cast<int>(dpi), 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::wstring_view(L"ＭＳ Ｐゴシック").copy(font.lfFaceName, LF_FACESIZE - 1);
    UniqueFont created(CreateFontIndirectW(&font));
    if (created == nullptr) {
        throwLastError();
    }
    return created;
}

UniqueFont createMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        throwLastError();
    }
    UniqueFont created(CreateFontIndirectW(&metrics.lfMessageFont));
    if (created == nullptr) {
        throwLastError();
    }
    return created;
}

} // namespace

Form1Window::Form1Window(HINSTANCE instance) {
    registerWindowClass(instance, &Form1Window::windowProcedure);
    window_ =
        CreateWindowExW(windowExStyle, windowClassName, L"Brelvix for Access ", windowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throwLastError();
    }
    try {
        createControls(instance);
        applyDpi(GetDpiForWindow(window_));
    } catch (...) {
        // No destructor runs for an object that was never made; the window must not outlive it.
        unload();
        throw;
    }
}

Form1Window::~Form1Window() {
    unload();
}

HWND Form1Window::control(TextBox box) const {
    return boxes_.at(static_cast<std::size_t>(box));
}

HWND Form1Window::control(CommandButton button) const {
    return buttons_.at(static_cast<std::size_t>(button) - 1);
}

void Form1Window::createControls(HINSTANCE instance) {
    for (const TabStop& stop : tabOrder) {
        HWND created = nullptr;
        if (stop.isBox) {
            const BoxLayout& layout = boxLayouts.at(static_cast<std::size_t>(stop.index));
            DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
            if (layout.multiLine) {
                style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL;
            }
            created = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", layout.text, style, 0, 0, 0, 0, window_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstBoxId + stop.index)),
                                      instance, nullptr);
            if (created != nullptr) {
                // Windows' own limit of 32,767 characters would cut a pasted query; zero lifts it.
                SendMessageW(created, EM_SETLIMITTEXT, 0, 0);
                boxes_.at(static_cast<std::size_t>(stop.index)) = created;
                boxBrushes_.at(static_cast<std::size_t>(stop.index))
                    .reset(CreateSolidBrush(layout.background));
            }
        } else {
            const ButtonLayout& layout = buttonLayouts.at(static_cast<std::size_t>(stop.index));
            created = CreateWindowExW(
                0, L"BUTTON", layout.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstButtonId + stop.index)), instance,
                nullptr);
            buttons_.at(static_cast<std::size_t>(stop.index)) = created;
        }
        if (created == nullptr) {
            throwLastError();
        }
    }
}

void Form1Window::applyDpi(UINT dpi) {
    // The old fonts are deleted only once no control uses them any more.
    UniqueFont buttonFont = createButtonFont(dpi);
    UniqueFont boxFont = createMessageFont(dpi);
    auto place = [dpi](HWND control, const TwipsRect& twips) {
        SetWindowPos(control, nullptr, toPixels(twips.left, dpi), toPixels(twips.top, dpi),
                     toPixels(twips.width, dpi), toPixels(twips.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        place(boxes_[i], boxLayouts[i].place);
        SendMessageW(boxes_[i], WM_SETFONT, reinterpret_cast<WPARAM>(boxFont.get()), TRUE);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        place(buttons_[i], buttonLayouts[i].place);
        SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), TRUE);
    }
    buttonFont_ = std::move(buttonFont);
    boxFont_ = std::move(boxFont);
    RECT frame{0, 0, toPixels(clientWidth, dpi), toPixels(clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::show(int showCommand) {
    RECT frame{};
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred; where the window is larger than the work area, its corner stays inside so that the title bar
    // and the first button can be reached.
    const int left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const int top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(control(TextBox::Text1));
}

bool Form1Window::handleKeyboard(MSG& message) {
    if (window_ == nullptr) {
        return false;
    }
    if (message.message == WM_KEYDOWN) {
        const HWND focus = GetFocus();
        const bool inMultiLineBox = focus == control(TextBox::Text1) || focus == control(TextBox::Text2);
        // Esc is dropped everywhere: a multi-line box in a window that the dialog manager drives would close
        // the window on it. Enter starts a line in the two multi-line boxes and does nothing elsewhere, where
        // the dialog manager would click the focused button.
        if (message.wParam == VK_ESCAPE || (message.wParam == VK_RETURN && !inMultiLineBox)) {
            return true;
        }
        // A multi-line box hands Tab to its parent as a dialog's message, which a plain window ignores; Tab
        // is moved on here for every control alike.
        if (message.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) == 0) {
            moveFocus(focus, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

void Form1Window::moveFocus(HWND from, bool backwards) {
    const HWND next =
        GetNextDlgTabItem(window_, from != nullptr && IsChild(window_, from) ? from : nullptr, backwards);
    if (next == nullptr) {
        return;
    }
    SetFocus(next);
    // As in a dialog, a text box reached by Tab has its whole text selected.
    if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        SendMessageW(next, EM_SETSEL, 0, -1);
    }
}

std::u16string Form1Window::text(TextBox box) const {
    return windowText(control(box));
}

void Form1Window::setText(TextBox box, std::u16string_view text) {
    setWindowText(control(box), text);
}

void Form1Window::setEnabled(CommandButton button, bool enabled) {
    const HWND target = control(button);
    if (!enabled && GetFocus() == target) {
        // A disabled button cannot keep the focus; without this the keyboard would reach no control at all.
        moveFocus(target, false);
    }
    EnableWindow(target, enabled);
}

std::u16string Form1Window::caption() const {
    return windowText(window_);
}

void Form1Window::setCaption(std::u16string_view caption) {
    setWindowText(window_, caption);
}

void Form1Window::reportError(std::u16string_view description) {
    // Windows titles a box "Error" when no title is passed, so the application's title is passed here.
    MessageBoxW(window_, toWide(description).c_str(), L"Brelvix", MB_OK | MB_ICONSTOP);
}

void Form1Window::unload() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK Form1Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        self->window_ = window;
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Form1Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND window = window_;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            onCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
        return onEditColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (onActivate(LOWORD(wParam) != WA_INACTIVE)) {
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Form1Window::onCommand(int id) {
    if (procedures_ == nullptr) {
        return;
    }
    // Only the window's own buttons run a procedure: the ids of Enter and Esc reach here too.
    using Procedure = void (Form1::*)();
    constexpr std::array<Procedure, 6> procedures{&Form1::Command1_Click, &Form1::Command2_Click,
                                                  &Form1::Command3_Click, &Form1::Command4_Click,
                                                  &Form1::Command5_Click, &Form1::Command6_Click};
    const int index = id - firstButtonId;
    if (index >= 0 && index < static_cast<int>(procedures.size())) {
        (procedures_->*procedures[static_cast<std::size_t>(index)])();
    }
}

LRESULT Form1Window::onEditColour(HDC dc, HWND box) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i] == box) {
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, boxLayouts[i].background);
            return reinterpret_cast<LRESULT>(boxBrushes_[i].get());
        }
    }
    return DefWindowProcW(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(box));
}

void Form1Window::onDpiChanged(UINT dpi, const RECT& suggested) {
    try {
        applyDpi(dpi);
    } catch (const WindowsError&) {
        // The fonts of the old DPI stay; the window still works, only less sharp.
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form1Window::onActivate(bool active) {
    // As a dialog does, the control that had the focus gets it back when the user returns to the window.
    if (!active) {
        const HWND focus = GetFocus();
        focusWhileInactive_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        return false;
    }
    if (focusWhileInactive_ != nullptr && IsWindowEnabled(focusWhileInactive_)) {
        SetFocus(focusWhileInactive_);
        return true;
    }
    return false;
}

} // namespace brelvix
