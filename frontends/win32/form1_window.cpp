// One window procedure hands each message to a small handler; the fonts, brushes and icons it owns are
// made again whenever the monitor's DPI or the user's settings change.
#include "frontends/win32/form1_window.h"

#include "frontends/win32/failure_box.h"
#include "frontends/win32/text_conversion.h"
#include "frontends/win32/windows_error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace brelvix {

namespace {

constexpr wchar_t windowClassName[] = L"BrelvixForm1";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = 0;
constexpr int iconResource = 1;

// Control ids stay clear of IDOK (1) and IDCANCEL (2), which the dialog manager sends for Enter and Esc.
constexpr int firstButtonId = 101;
constexpr int firstBoxId = 201;

COLORREF toColorRef(const Rgb& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// Shows the wait cursor for as long as it lives, then the cursor that was there before.
class WaitCursor {
public:
    WaitCursor()
        : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ != nullptr ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

constexpr WPARAM deleteCharacter = 0x7F;

// Where the word before `caret` starts: the run of letters and digits before it, together with the blanks
// after that run, or else one run of other marks with the blanks after it. A line break is a word of its own,
// CR LF as one, so that the word before a line's start never takes the end of the line above with it.
std::size_t wordStartBefore(std::u16string_view text, std::size_t caret) {
    const auto isBlank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    const auto isLineBreak = [](char16_t unit) { return unit == u'\r' || unit == u'\n'; };
    const auto isWordUnit = [](char16_t unit) {
        return IsCharAlphaNumericW(static_cast<wchar_t>(unit)) != FALSE;
    };
    std::size_t start = std::min(caret, text.size());
    while (start > 0 && isBlank(text[start - 1])) {
        --start;
    }
    if (start == 0 || (start != caret && isLineBreak(text[start - 1]))) {
        return start;
    }
    if (isLineBreak(text[start - 1])) {
        return start >= 2 && text.substr(start - 2, 2) == u"\r\n" ? start - 2 : start - 1;
    }
    const bool word = isWordUnit(text[start - 1]);
    while (start > 0 && !isBlank(text[start - 1]) && !isLineBreak(text[start - 1]) &&
           isWordUnit(text[start - 1]) == word) {
        --start;
    }
    return start;
}

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
    const std::wstring wide = toWide(text);
    // An edit box that runs out of memory refuses the text without a word of its own.
    SetLastError(ERROR_SUCCESS);
    if (!SetWindowTextW(window, wide.c_str())) {
        throwLastError();
    }
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = windowClassName;
    SetLastError(ERROR_SUCCESS);
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throwLastError();
    }
}

UniqueFont createFont(const LOGFONTW& font) {
    // CreateFontIndirectW gives no reason when it fails; a cleared last error shows that, not a stale one.
    SetLastError(ERROR_SUCCESS);
    UniqueFont created(CreateFontIndirectW(&font));
    if (created == nullptr) {
        throwLastError();
    }
    return created;
}

UniqueFont createButtonFont(UINT dpi) {
    const FontDesign& design = form1Design.buttonFont;
    LOGFONTW font{};
    // Points at the monitor's DPI, as a negative height: the size of the letters, not of the line.
    font.lfHeight = -static_cast<LONG>(std::lround(design.pointSize * dpi / 72));
    font.lfWeight = design.weight;
    font.lfCharSet = static_cast<BYTE>(design.characterSet);
    // Windows substitutes a font of the character set on its own; the other families are for Qt.
    toWide(design.families.front()).copy(font.lfFaceName, LF_FACESIZE - 1);
    return createFont(font);
}

// The height of one line of `font`, ascent and descent together, as an edit box draws its lines.
int lineHeight(HFONT font) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

// The message font, the face the user has Windows' own dialogs in, at the largest size whose line fits in
// `room` pixels. Windows 10 and 11's Segoe UI 9 pt is a 16-pixel line, taller than the 14 pixels inside the
// prefix box at 96 DPI, and so at every DPI: its descenders and the caret would be cut off.
UniqueFont createBoxFont(UINT dpi, int room) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SetLastError(ERROR_SUCCESS);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        throwLastError();
    }
    LOGFONTW font = metrics.lfMessageFont;
    UniqueFont created = createFont(font);
    // A positive height asks for the height of the whole line; a font may round it up by a pixel.
    for (LONG line = room; line > 0 && lineHeight(created.get()) > room; --line) {
        font.lfHeight = line;
        created = createFont(font);
    }
    return created;
}

// The window's outer size that holds the designed client area at `dpi`.
SIZE frameSize(UINT dpi) {
    const auto pixels = [dpi](int twips) { return twipsToPixels(twips, static_cast<int>(dpi)); };
    RECT frame{0, 0, pixels(form1Design.clientWidth), pixels(form1Design.clientHeight)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The program file carries the icon; a program without it (a test) gets none, and Windows shows its default.
UniqueIcon loadIcon(HINSTANCE instance, int side) {
    return UniqueIcon(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, side, side, 0)));
}

} // namespace

bool contrastThemeIsOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Form1Window::Form1Window(HINSTANCE instance, ContrastThemeQuery contrastTheme)
    : instance_(instance)
    , contrastTheme_(contrastTheme)
    , inContrastTheme_(contrastTheme()) {
    registerWindowClass(instance, &Form1Window::windowProcedure);
    const std::wstring title = toWide(form1Design.title);
    SetLastError(ERROR_SUCCESS);
    window_ = CreateWindowExW(windowExStyle, windowClassName, title.c_str(), windowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throwLastError();
    }
    try {
        createControls(instance);
        const UINT dpi = GetDpiForWindow(window_);
        applyDpi(dpi);
        const SIZE frame = frameSize(dpi);
        SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

// Creation order is the tab order.
void Form1Window::createControls(HINSTANCE instance) {
    for (const TabStop& stop : form1Design.tabOrder) {
        if (const auto* box = std::get_if<TextBox>(&stop)) {
            createBox(instance, designOf(*box));
        } else {
            createButton(instance, designOf(std::get<CommandButton>(stop)));
        }
    }
}

void Form1Window::createBox(HINSTANCE instance, const BoxDesign& design) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    if (design.multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL;
    }
    const auto index = static_cast<std::size_t>(design.box);
    const std::wstring text = toWide(design.text);
    SetLastError(ERROR_SUCCESS);
    const HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(firstBoxId + index), instance, nullptr);
    if (box == nullptr) {
        throwLastError();
    }
    // Windows' own limit of 32,767 characters would cut a pasted query; zero lifts it.
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    boxes_.at(index) = box;
    boxBrushes_.at(index).reset(CreateSolidBrush(toColorRef(design.background)));
    accessibleNames_.name(box, design.accessibleName);
}

void Form1Window::createButton(HINSTANCE instance, const ButtonDesign& design) {
    const auto index = static_cast<std::size_t>(design.button) - 1;
    const std::wstring caption = toWide(design.caption);
    SetLastError(ERROR_SUCCESS);
    const HWND button =
        CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                        0, 0, 0, window_, reinterpret_cast<HMENU>(firstButtonId + index), instance, nullptr);
    if (button == nullptr) {
        throwLastError();
    }
    buttons_.at(index) = button;
    accessibleNames_.name(button, design.accessibleName);
}

void Form1Window::applyDpi(UINT dpi) {
    const auto pixels = [dpi](int twips) { return twipsToPixels(twips, static_cast<int>(dpi)); };
    const auto place = [&pixels](HWND control, const TwipsRect& twips) {
        SetWindowPos(control, nullptr, pixels(twips.left), pixels(twips.top), pixels(twips.width),
                     pixels(twips.height), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const BoxDesign& design : form1Design.boxes) {
        place(control(design.box), design.place);
    }
    for (const ButtonDesign& design : form1Design.buttons) {
        place(control(design.button), design.place);
    }
    // The boxes' font is measured against the boxes as they now stand.
    applyFonts(dpi);
    applyIcons(dpi);
}

void Form1Window::applyFonts(UINT dpi) {
    // The old fonts are deleted only once no control uses them any more.
    UniqueFont buttonFont = createButtonFont(dpi);
    UniqueFont boxFont = createBoxFont(dpi, oneLineRoom());
    for (const BoxDesign& design : form1Design.boxes) {
        SendMessageW(control(design.box), WM_SETFONT, reinterpret_cast<WPARAM>(boxFont.get()), TRUE);
    }
    for (const ButtonDesign& design : form1Design.buttons) {
        SendMessageW(control(design.button), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.get()), TRUE);
    }
    buttonFont_ = std::move(buttonFont);
    boxFont_ = std::move(boxFont);
}

int Form1Window::oneLineRoom() const {
    int room = std::numeric_limits<int>::max();
    for (const BoxDesign& design : form1Design.boxes) {
        RECT inside{};
        if (!design.multiLine && GetClientRect(control(design.box), &inside)) {
            room = std::min(room, static_cast<int>(inside.bottom - inside.top));
        }
    }
    return room;
}

void Form1Window::applyIcons(UINT dpi) {
    UniqueIcon smallIcon = loadIcon(instance_, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    UniqueIcon largeIcon = loadIcon(instance_, GetSystemMetricsForDpi(SM_CXICON, dpi));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
    // The window no longer shows the old icons; they go only now.
    smallIcon_ = std::move(smallIcon);
    largeIcon_ = std::move(largeIcon);
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
    // A shortcut set to "Run: Maximized", or start /max, asks for a size the window does not have.
    ShowWindow(window_, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand);
    // The first time, Windows may show a program's main window as whoever started the program asked, whatever
    // it is passed.
    if (IsZoomed(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    UpdateWindow(window_);
    // Focusing a control would activate a window started minimised; it gets the focus once it is restored.
    focusWhileInactive_ = control(TextBox::Text1);
    if (!IsIconic(window_)) {
        SetFocus(focusWhileInactive_);
    }
}

void Form1Window::dispatch(MSG& message) {
    if (!handleKeyboard(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Form1Window::handleKeyboard(MSG& message) {
    if (window_ == nullptr) {
        return false;
    }
    // The dialog manager takes a plain letter typed on a focused button, or on the window itself when no
    // control has the focus, for an access key; an access key acts only with Alt (WM_SYSCHAR), and typing
    // anywhere but in a box does nothing. The delete character is no text a key may type: Windows' boxes
    // would show it as a box or as nothing, and it would end up unseen in the user's query.
    if (message.message == WM_CHAR && (message.hwnd == window_ || isButton(message.hwnd) ||
                                       (message.wParam == deleteCharacter && isBox(message.hwnd)))) {
        return true;
    }
    // Windows shows a window started with the mouse without its focus rectangles and access-key underlines,
    // until the keyboard is used to move about it.
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU) {
        showKeyboardCues(UISF_HIDEACCEL | UISF_HIDEFOCUS);
    }
    if (message.message == WM_KEYDOWN) {
        const HWND focus = GetFocus();
        const bool inMultiLineBox = focus == control(TextBox::Text1) || focus == control(TextBox::Text2);
        // Ctrl with Alt is AltGr, which types characters of its own.
        const bool controlAlone =
            (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (GetKeyState(VK_MENU) & 0x8000) == 0;
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
            showKeyboardCues(UISF_HIDEFOCUS);
            return true;
        }
        // An edit box on Windows types the delete character for Ctrl+Backspace, and a multi-line one selects
        // nothing on Ctrl+A on builds before Windows 10 version 1809: both keys are the window's own, in
        // every box alike. Taking the key itself leaves no character to be typed for it.
        if (controlAlone && isBox(focus) && message.wParam == VK_BACK) {
            deleteWordBeforeCaret(focus);
            return true;
        }
        if (controlAlone && isBox(focus) && message.wParam == 'A') {
            SendMessageW(focus, EM_SETSEL, 0, -1);
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

bool Form1Window::isButton(HWND control) const {
    return std::find(buttons_.begin(), buttons_.end(), control) != buttons_.end();
}

bool Form1Window::isBox(HWND control) const {
    return control != nullptr && std::find(boxes_.begin(), boxes_.end(), control) != boxes_.end();
}

void Form1Window::showKeyboardCues(WORD cues) {
    // As the dialog manager does on keyboard navigation; the window hands it on to every control.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

// As Windows' own text fields do: the selection if there is one, else the word before the caret.
void Form1Window::deleteWordBeforeCaret(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) {
        start = static_cast<DWORD>(wordStartBefore(windowText(box), end));
    }
    if (start != end) {
        SendMessageW(box, EM_SETSEL, start, end);
        // Undoable, as typing is.
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
}

void Form1Window::moveFocus(HWND from, bool backwards) {
    // GetNextDlgTabItem fails without a control to start from. When none has the focus, the search starts
    // from the far end of the creation order, so that Tab finds the first tab stop and Shift+Tab the last.
    HWND start = from;
    if (start == nullptr || !IsChild(window_, start)) {
        const HWND first = GetWindow(window_, GW_CHILD);
        start = backwards ? first : GetWindow(first, GW_HWNDLAST);
    }
    const HWND next = GetNextDlgTabItem(window_, start, backwards);
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
    // The wait cursor of the command that failed must not stand over the box the user has to answer.
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    showFailure(window_, description);
}

Form1Window::Connection::Connection(Form1Window& window, Form1& procedures)
    : window_(window) {
    window_.procedures_ = &procedures;
}

Form1Window::Connection::~Connection() {
    window_.procedures_ = nullptr;
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
    case WM_GETDPISCALEDSIZE:
        // The suggested rectangle of WM_DPICHANGED then holds the designed client area exactly, not a size
        // scaled from the old one and rounded twice.
        *reinterpret_cast<SIZE*>(lParam) = frameSize(static_cast<UINT>(wParam));
        return TRUE;
    case WM_SETTINGCHANGE:
        onSettingChange(wParam);
        break;
    case WM_SYSCOLORCHANGE:
        takeContrastTheme();
        break;
    case WM_QUERYENDSESSION:
        // Nothing is ever saved, so nothing stands in the way of the session's end.
        return TRUE;
    case WM_ENDSESSION:
        onEndSession(wParam != FALSE);
        return 0;
    case WM_ACTIVATE:
        if (onActivate(LOWORD(wParam) != WA_INACTIVE)) {
            return 0;
        }
        break;
    case WM_DESTROY:
        onDestroy();
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
    // Only the window's own buttons run a procedure: the ids of Enter and Esc reach here too.
    const int index = id - firstButtonId;
    if (procedures_ == nullptr || index < 0 || index >= static_cast<int>(buttons_.size())) {
        return;
    }
    const WaitCursor busy;
    procedures_->click(static_cast<CommandButton>(index + 1));
}

// Windows does not override the colours a window gives its boxes, so under a contrast theme they are the
// theme's own, as Microsoft's guidance for high contrast asks; elsewhere they are the design's.
LRESULT Form1Window::onEditColour(HDC dc, HWND box) {
    if (inContrastTheme_ && isBox(box)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    for (const BoxDesign& design : form1Design.boxes) {
        if (control(design.box) == box) {
            SetTextColor(dc, toColorRef(design.textColour));
            SetBkColor(dc, toColorRef(design.background));
            return reinterpret_cast<LRESULT>(boxBrushes_.at(static_cast<std::size_t>(design.box)).get());
        }
    }
    return DefWindowProcW(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(box));
}

// Only the suggested rectangle moves and sizes the window: a size of its own first, at the old corner, could
// put it back on the old monitor and make the DPI flip to and fro.
void Form1Window::onDpiChanged(UINT dpi, const RECT& suggested) {
    try {
        applyDpi(dpi);
    } catch (...) {
        // The fonts of the old DPI stay; the window still works, only less sharp.
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A contrast theme was switched, or the user changed the message font or the size of text. Windows names no
// one setting for the fonts, and taking them again costs two fonts, so every change of settings takes them.
void Form1Window::onSettingChange(WPARAM setting) {
    if (setting == SPI_SETHIGHCONTRAST) {
        takeContrastTheme();
    }
    try {
        applyFonts(GetDpiForWindow(window_));
    } catch (...) {
        // The old fonts stay, and the window works as before.
    }
}

void Form1Window::takeContrastTheme() {
    inContrastTheme_ = contrastTheme_();
    for (const HWND box : boxes_) {
        InvalidateRect(box, nullptr, TRUE);
    }
}

// The session ends, or Windows Installer's Restart Manager asks the program to close (ENDSESSION_CLOSEAPP) so
// that it can replace its file: the window closes as Exit closes it.
void Form1Window::onEndSession(bool ending) {
    if (ending) {
        unload();
    }
}

void Form1Window::onDestroy() {
    accessibleNames_.clear();
    // The window decides nothing about the program's end: the message loop ends once the window is gone.
    // Should it go while the loop waits (another program sent it WM_CLOSE), this wakes the loop to see that.
    PostMessageW(nullptr, WM_NULL, 0, 0);
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
