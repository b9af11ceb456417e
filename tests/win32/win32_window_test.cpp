// What the Win32 window itself does, run under Wine: places and fonts at the monitor's DPI, colours, Tab,
// access keys, Enter and Esc, the real clipboard (also while another program holds it), the real message
// box, and a start-up that fails before the window is ever shown.
#include "frontends/win32/file_version.h"
#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/windows_clipboard.h"
#include "frontends/win32/windows_error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace brelvix {
namespace {

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return toU16(text);
}

// Hands every queued message to the window as the program's loop does, until none is left.
void pump(Form1Window& window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT && !window.handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A key as the program's loop receives it from the focused control.
void press(Form1Window& window, UINT message, WPARAM key) {
    const LPARAM altHeld = message == WM_SYSCHAR ? LPARAM{1} << 29 : 0;
    MSG queued{GetFocus(), message, key, altHeld, static_cast<DWORD>(GetMessageTime()), {}};
    if (!window.handleKeyboard(queued)) {
        TranslateMessage(&queued);
        DispatchMessageW(&queued);
    }
    pump(window);
}

struct ShownWindow {
    explicit ShownWindow(LoadSteps steps = {})
        : window(GetModuleHandleW(nullptr))
        , clipboard(window.handle())
        , procedures(window, clipboard, std::move(steps)) {
        window.connect(procedures);
        loaded = procedures.Form_Load();
        if (loaded) {
            window.show(SW_SHOWNORMAL);
        }
        pump(window);
    }

    ~ShownWindow() {
        // Unloading ends the program's loop with WM_QUIT; here it must not end the next test's message box.
        window.unload();
        MSG quit{};
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    void click(CommandButton button) {
        SendMessageW(window.control(button), BM_CLICK, 0, 0);
        pump(window);
    }

    bool enabled(CommandButton button) const { return IsWindowEnabled(window.control(button)) != FALSE; }
    HWND control(TabStop stop) const {
        return std::visit([this](auto id) { return window.control(id); }, stop);
    }

    Form1Window window;
    WindowsClipboard clipboard;
    Form1 procedures;
    bool loaded = false;
};

// Notes each message box that opens while it lives, runs `whileOpen` then, and closes the box with OK.
class MessageBoxWatcher {
public:
    struct Report {
        std::wstring title;
        std::wstring text;
        bool criticalIcon = false;
    };

    explicit MessageBoxWatcher(std::function<void()> whileOpen = {})
        : whileOpen_(std::move(whileOpen))
        , timer_(SetTimer(nullptr, 0, 20, &MessageBoxWatcher::onTimer)) {
        active_ = this;
    }
    ~MessageBoxWatcher() {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }

    std::vector<Report> reports;

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), &MessageBoxWatcher::inspect, 0);
    }

    static BOOL CALLBACK inspect(HWND box, LPARAM) {
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

    static BOOL CALLBACK readChild(HWND child, LPARAM reportAddress) {
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

    static inline MessageBoxWatcher* active_ = nullptr;
    std::function<void()> whileOpen_;
    UINT_PTR timer_;
};

RECT placeInClient(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST(Layout, ClientAreaAndControlsStandAtTheirDesignedPlacesAtTheMonitorsDpi) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const int dpi = static_cast<int>(GetDpiForWindow(shown.window.handle()));
    if (const char* expected = std::getenv("BRELVIX_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected));
    }
    const auto pixels = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    RECT client{};
    GetClientRect(shown.window.handle(), &client);
    EXPECT_EQ(client.right, pixels(form1Design.clientWidth));
    EXPECT_EQ(client.bottom, pixels(form1Design.clientHeight));
    const LONG style = GetWindowLongW(shown.window.handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "the frame is fixed";

    for (const TabStop& stop : form1Design.tabOrder) {
        const TwipsRect& designed = std::visit([](auto id) { return designOf(id).place; }, stop);
        const RECT place = placeInClient(shown.control(stop));
        EXPECT_EQ(place.left, pixels(designed.left));
        EXPECT_EQ(place.top, pixels(designed.top));
        EXPECT_EQ(place.right - place.left, pixels(designed.width));
        EXPECT_EQ(place.bottom - place.top, pixels(designed.height));
    }
}

TEST(Layout, ButtonsDrawInTheJapaneseFontAndBoxesInTheMessageFont) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const UINT dpi = GetDpiForWindow(shown.window.handle());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi));

    auto selected = [](HWND control, TEXTMETRICW& textMetrics) {
        const HDC dc = GetDC(control);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        wchar_t face[LF_FACESIZE]{};
        GetTextFaceW(dc, LF_FACESIZE, face);
        GetTextMetricsW(dc, &textMetrics);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        return std::wstring(face);
    };
    const FontDesign& design = form1Design.buttonFont;
    for (const ButtonDesign& button : form1Design.buttons) {
        TEXTMETRICW textMetrics{};
        const std::wstring face = selected(shown.window.control(button.button), textMetrics);
        // Windows names the font as asked for; Wine names the font its substitute found, in English or in
        // Japanese.
        EXPECT_TRUE(face == toWide(design.families.front()) || face == L"IPAPGothic" ||
                    face == L"IPA Pゴシック")
            << toUtf8(face);
        EXPECT_EQ(textMetrics.tmCharSet, design.characterSet);
        EXPECT_EQ(textMetrics.tmWeight, design.weight);
        // 8.25 points: 11 pixels at 96 DPI, and 16.5 rounded to 17 at 144.
        EXPECT_EQ(textMetrics.tmHeight - textMetrics.tmInternalLeading, dpi == 144 ? 17 : 11);
    }
    // Whatever font the system's message font resolves to, the boxes draw in it.
    const HFONT messageFont = CreateFontIndirectW(&metrics.lfMessageFont);
    const HWND probe = shown.window.control(TextBox::Text3);
    const HFONT boxFont = reinterpret_cast<HFONT>(SendMessageW(probe, WM_GETFONT, 0, 0));
    SendMessageW(probe, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont), FALSE);
    TEXTMETRICW textMetrics{};
    const std::wstring messageFace = selected(probe, textMetrics);
    SendMessageW(probe, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont), FALSE);
    DeleteObject(messageFont);
    for (const TextBox box : {TextBox::Text1, TextBox::Text2, TextBox::Text3}) {
        EXPECT_EQ(selected(shown.window.control(box), textMetrics), messageFace);
    }
}

TEST(Look, BoxesHoldTheirDesignedColoursCaptionsAndNoLimitOfTheirOwn) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const auto colorRef = [](const Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); };
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const BoxDesign& design : form1Design.boxes) {
        const HWND box = shown.window.control(design.box);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(shown.window.handle(), WM_CTLCOLOREDIT,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(box)));
        LOGBRUSH painted{};
        ASSERT_NE(GetObjectW(brush, sizeof painted, &painted), 0);
        EXPECT_EQ(painted.lbColor, colorRef(design.background));
        EXPECT_EQ(GetBkColor(dc), colorRef(design.background));
        EXPECT_EQ(GetTextColor(dc), colorRef(design.textColour));
        EXPECT_GE(static_cast<unsigned long>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
    }
    DeleteDC(dc);
    for (const ButtonDesign& design : form1Design.buttons) {
        EXPECT_EQ(windowText(shown.window.control(design.button)), design.caption);
    }
}

TEST(Keyboard, TabVisitsTheControlsInOrderPassingDisabledButtons) {
    for (const bool laidOut : {false, true}) {
        ShownWindow shown;
        ASSERT_TRUE(shown.loaded);
        if (laidOut) {
            shown.click(CommandButton::Command1);
        }
        // The design's order from the second stop round to the first, passing over disabled buttons.
        std::vector<HWND> expected;
        for (std::size_t i = 1; i <= form1Design.tabOrder.size(); ++i) {
            const HWND stop = shown.control(form1Design.tabOrder[i % form1Design.tabOrder.size()]);
            if (IsWindowEnabled(stop)) {
                expected.push_back(stop);
            }
        }
        SetFocus(shown.control(form1Design.tabOrder.front()));
        std::vector<HWND> visited;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            press(shown.window, WM_KEYDOWN, VK_TAB);
            visited.push_back(GetFocus());
        }
        EXPECT_EQ(visited, expected) << (laidOut ? "Laid out" : "Start");
        EXPECT_EQ(shown.window.text(TextBox::Text1), u"") << "Tab typed into the box";
    }
}

TEST(Keyboard, EnterAndEscClickNoButtonAndEnterStartsALineInTheLargeBoxes) {
    const struct {
        const char* name;
        std::function<HWND(const Form1Window&)> focus;
        WPARAM key;
        std::u16string_view text1;
    } rows[] = {
        {"Enter in Text1", [](const Form1Window& w) { return w.control(TextBox::Text1); }, VK_RETURN,
         u"x\r\n"},
        {"Esc in Text1", [](const Form1Window& w) { return w.control(TextBox::Text1); }, VK_ESCAPE, u"x"},
        {"Enter in Text3", [](const Form1Window& w) { return w.control(TextBox::Text3); }, VK_RETURN, u"x"},
        {"Enter on Adjust", [](const Form1Window& w) { return w.control(CommandButton::Command1); },
         VK_RETURN, u"x"},
        {"Esc on Clear", [](const Form1Window& w) { return w.control(CommandButton::Command5); }, VK_ESCAPE,
         u"x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownWindow shown;
        ASSERT_TRUE(shown.loaded);
        shown.window.setText(TextBox::Text1, u"x");
        SendMessageW(shown.window.control(TextBox::Text1), EM_SETSEL, 1, 1);
        SetFocus(row.focus(shown.window));
        press(shown.window, WM_KEYDOWN, row.key);
        ASSERT_NE(shown.window.handle(), nullptr) << "the window closed";
        EXPECT_EQ(shown.window.text(TextBox::Text1), row.text1);
        EXPECT_EQ(shown.window.text(TextBox::Text2), u"") << "a layout ran";
        EXPECT_FALSE(shown.enabled(CommandButton::Command3));
    }
}

TEST(Keyboard, AccessKeysClickEnabledButtonsOnly) {
    const struct {
        bool laidOut;
        wchar_t key;
        bool clicks;
    } rows[] = {{false, L'a', true},
                {false, L'c', false},
                {false, L's', false},
                {true, L's', true},
                {true, L'c', true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.laidOut ? "Laid out, Alt+" : "Start, Alt+") +
                     static_cast<char>(row.key));
        ShownWindow shown;
        ASSERT_TRUE(shown.loaded);
        if (row.laidOut) {
            shown.click(CommandButton::Command1);
        }
        shown.window.setText(TextBox::Text2, u"before");
        SetFocus(shown.window.control(TextBox::Text1));
        press(shown.window, WM_SYSCHAR, row.key);
        const bool clicked = row.key == L'c' ? !shown.enabled(CommandButton::Command2)
                                             : shown.window.text(TextBox::Text2) != u"before";
        EXPECT_EQ(clicked, row.clicks);
    }
}

TEST(Clipboard, QueryGoesThroughTheRealClipboardWithItsLineBreaks) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    shown.clipboard.setText(u"SELECT a\r\nFROM t;");
    shown.click(CommandButton::Command2);
    EXPECT_EQ(shown.window.text(TextBox::Text1), u"SELECT a\r\nFROM t;");
    shown.click(CommandButton::Command1);
    shown.click(CommandButton::Command3);
    EXPECT_EQ(shown.clipboard.text(), u"SELECT\r\n a\r\nFROM\r\n t\r\n;");
    shown.click(CommandButton::Command5);
    EXPECT_EQ(shown.clipboard.text(), u"");
}

// A layout that notes the cursor shown while it runs.
class CursorProbeLayout final : public LayoutEngine {
public:
    explicit CursorProbeLayout(HCURSOR& whileRunning)
        : whileRunning_(whileRunning) {}

    std::u16string adjustLayout(std::u16string_view) const override { return note(); }
    std::u16string addStringLayout(std::u16string_view, std::u16string_view) const override { return note(); }

private:
    std::u16string note() const {
        whileRunning_ = GetCursor();
        return u"laid out";
    }

    HCURSOR& whileRunning_;
};

TEST(Busy, TheWaitCursorStandsWhileACommandRunsAndTheArrowAfterIt) {
    HCURSOR whileRunning = nullptr;
    LoadSteps steps;
    steps.createLayout = [&whileRunning] { return std::make_unique<CursorProbeLayout>(whileRunning); };
    ShownWindow shown(steps);
    ASSERT_TRUE(shown.loaded);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    shown.click(CommandButton::Command1);
    EXPECT_EQ(whileRunning, LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

// Another program holds the clipboard open until the object goes.
class ClipboardHolder {
public:
    ClipboardHolder() {
        const std::wstring id = std::to_wstring(GetCurrentProcessId());
        const std::wstring heldName = L"BrelvixTestClipboardHeld" + id;
        const std::wstring releaseName = L"BrelvixTestClipboardRelease" + id;
        held_ = CreateEventW(nullptr, TRUE, FALSE, heldName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"brelvix_hold_clipboard.exe";
        std::wstring commandLine = L"\"" + path + L"\" " + heldName + L" " + releaseName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_)) {
            holding_ = WaitForSingleObject(held_, 10000) == WAIT_OBJECT_0;
        }
    }
    ~ClipboardHolder() {
        SetEvent(release_);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        CloseHandle(held_);
        CloseHandle(release_);
    }

    bool holding() const { return holding_; }

private:
    HANDLE held_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
};

TEST(Clipboard, HeldByAnotherProgramClearReportsWindowsWordsAndPasteGoesOnSilently) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    shown.window.setText(TextBox::Text1, u"SELECT a");
    shown.click(CommandButton::Command1);
    shown.click(CommandButton::Command3); // Copied
    const ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());

    bool emptiedAndInStartWhileReported = false;
    bool arrowWhileReported = false;
    {
        MessageBoxWatcher watcher([&] {
            arrowWhileReported = GetCursor() == LoadCursorW(nullptr, IDC_ARROW);
            emptiedAndInStartWhileReported =
                shown.window.text(TextBox::Text1).empty() && shown.window.text(TextBox::Text2).empty() &&
                shown.enabled(CommandButton::Command2) && !shown.enabled(CommandButton::Command3) &&
                !shown.enabled(CommandButton::Command6);
        });
        shown.click(CommandButton::Command5);
        ASSERT_EQ(watcher.reports.size(), 1u);
        EXPECT_EQ(watcher.reports[0].title, toWide(form1Design.messageBoxTitle));
        EXPECT_TRUE(watcher.reports[0].criticalIcon);
        EXPECT_FALSE(watcher.reports[0].text.empty());
        EXPECT_EQ(watcher.reports[0].text.find(L"clipboard"), std::wstring::npos) << "not Windows' own words";
        EXPECT_TRUE(emptiedAndInStartWhileReported);
        EXPECT_TRUE(arrowWhileReported) << "the wait cursor stood over the message box";
    }
    MessageBoxWatcher watcher;
    shown.window.setText(TextBox::Text1, u"kept");
    shown.click(CommandButton::Command2);
    EXPECT_TRUE(watcher.reports.empty());
    EXPECT_EQ(shown.window.text(TextBox::Text1), u"kept");
    EXPECT_EQ(shown.window.text(TextBox::Text2), u"");
}

TEST(Load, AFailureIsReportedAndTheWindowNeverShown) {
    // This test program carries no version data, so reading it fails as a damaged program file would.
    LoadSteps steps;
    steps.readVersion = readFileVersion;
    bool shownWhileReported = true;
    MessageBoxWatcher watcher([&] {
        const HWND form = FindWindowW(L"BrelvixForm1", nullptr);
        shownWhileReported = form == nullptr || IsWindowVisible(form);
    });
    EXPECT_EQ(runBrelvix(GetModuleHandleW(nullptr), SW_SHOWNORMAL, steps), 1);
    ASSERT_EQ(watcher.reports.size(), 1u);
    EXPECT_EQ(watcher.reports[0].title, toWide(form1Design.messageBoxTitle));
    EXPECT_TRUE(watcher.reports[0].criticalIcon);
    EXPECT_FALSE(watcher.reports[0].text.empty());
    EXPECT_FALSE(shownWhileReported);
    EXPECT_EQ(FindWindowW(L"BrelvixForm1", nullptr), nullptr) << "the window was not unloaded";
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

} // namespace
} // namespace brelvix
