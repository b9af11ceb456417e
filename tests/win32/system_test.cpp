// The Win32 window among the system's settings and requests, run under Wine: Wine's own fonts in the prefix,
// a changed message font taken and still fitting the one-line boxes, the show command of the start honoured
// but for maximised, the end of the session or Restart Manager's request closing the window, COM joined by
// the program and not by its window, and no click reaching procedures that have gone.
#include "win32_test_support.h"

#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/text_conversion.h"
#include "tests/window/probe_layout.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <thread>

namespace brelvix {
namespace {

using namespace testing;

// The user's message font, replaced for as long as this lives, as the Display settings replace it.
class ChangedMessageFont {
public:
    ChangedMessageFont(const wchar_t* face, LONG height) {
        saved_.cbSize = sizeof saved_;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
        NONCLIENTMETRICSW changed = saved_;
        std::fill(std::begin(changed.lfMessageFont.lfFaceName), std::end(changed.lfMessageFont.lfFaceName),
                  L'\0');
        std::wstring(face).copy(changed.lfMessageFont.lfFaceName, LF_FACESIZE - 1);
        changed.lfMessageFont.lfHeight = height;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
    }
    ~ChangedMessageFont() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved_, &saved_, 0); }
    ChangedMessageFont(const ChangedMessageFont&) = delete;
    ChangedMessageFont& operator=(const ChangedMessageFont&) = delete;

private:
    NONCLIENTMETRICSW saved_{};
};

// What the window is measured in here is what Windows has: Wine's own window font, Tahoma, and Marlett, which
// draws the title bar's buttons, are in every prefix the tests run in.
TEST(Settings, ThePrefixHasWinesWindowFontAndTitleBarSymbols) {
    for (const std::wstring face : {L"Tahoma", L"Marlett"}) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        const HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) {
                *reinterpret_cast<bool*>(seen) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
        EXPECT_TRUE(found) << toUtf8(face) << " is missing";
    }
}

TEST(Settings, AChangedMessageFontIsTakenAtOnceAndStillFitsTheOneLineBoxes) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const ChangedMessageFont changed(L"Courier New", -40);
    SendMessageW(shown.window.handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                 reinterpret_cast<LPARAM>(L"WindowMetrics"));
    for (const BoxDesign& design : form1Design.boxes) {
        const HWND box = shown.window.control(design.box);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Courier New") << toUtf8(toWide(design.name));
        if (!design.multiLine) {
            EXPECT_LE(lineHeightOf(box), heightInside(box));
        }
    }
}

// The show command of the start is honoured but for maximised, and a window started minimised takes the focus
// only once it is restored; a window larger than the work area, as at 200 % on a 1366 x 768 laptop, keeps its
// title bar and first button on the screen.
TEST(Start, TheShowCommandIsHonouredExceptThatTheWindowIsNeverMaximised) {
    const struct {
        const char* name;
        int command;
        bool minimised;
        bool active;
        bool largerThanTheWorkArea = false;
    } rows[] = {
        {"normal", SW_SHOWNORMAL, false, true},
        {"maximised", SW_SHOWMAXIMIZED, false, true},
        {"as started", SW_SHOWDEFAULT, false, true},
        {"minimised", SW_SHOWMINIMIZED, true, true},
        {"minimised, inactive", SW_SHOWMINNOACTIVE, true, false},
        {"larger than the work area", SW_SHOWNORMAL, false, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownWindow shown({}, row.command);
        ASSERT_TRUE(shown.loaded);
        const HWND window = shown.window.handle();
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        if (row.largerThanTheWorkArea) {
            // Windows keeps a window no larger than the screen and its frame, which is still more.
            SetWindowPos(window, nullptr, 0, 0, 2 * (work.right - work.left), 2 * (work.bottom - work.top),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            shown.window.show(row.command);
        }
        EXPECT_FALSE(IsZoomed(window));
        EXPECT_EQ(IsIconic(window) != FALSE, row.minimised);
        EXPECT_EQ(GetActiveWindow() == window, row.active);
        EXPECT_EQ(GetFocus() == shown.window.control(TextBox::Text1), !row.minimised);
        RECT frame{};
        GetWindowRect(window, &frame);
        RECT firstButton{};
        GetWindowRect(shown.window.control(CommandButton::Command2), &firstButton);
        if (row.largerThanTheWorkArea) {
            EXPECT_GT(frame.right - frame.left, work.right - work.left);
            EXPECT_EQ(frame.left, work.left) << "the title bar is off the screen";
            EXPECT_EQ(frame.top, work.top) << "the title bar is off the screen";
            EXPECT_TRUE(PtInRect(&work, {firstButton.left, firstButton.top})) << "the first button is off it";
        } else if (!row.minimised) {
            const int dpi = static_cast<int>(GetDpiForWindow(window));
            RECT client{};
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, twipsToPixels(form1Design.clientWidth, dpi));
            EXPECT_EQ(client.bottom, twipsToPixels(form1Design.clientHeight, dpi));
        } else {
            ShowWindow(window, SW_RESTORE);
            SetActiveWindow(window);
            handlePendingMessages(shown.window);
            EXPECT_EQ(GetFocus(), shown.window.control(TextBox::Text1)) << "restored";
        }
    }
}

TEST(Session, ItsEndAndRestartManagersRequestCloseTheWindowAsExitDoes) {
    const struct {
        const char* name;
        bool ending;
        LPARAM reason;
        bool closes;
    } rows[] = {
        {"shutting down", true, 0, true},
        {"logging off", true, ENDSESSION_LOGOFF, true},
        {"Restart Manager", true, ENDSESSION_CLOSEAPP, true},
        {"the end called off", false, ENDSESSION_CLOSEAPP, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownWindow shown;
        ASSERT_TRUE(shown.loaded);
        const HWND window = shown.window.handle();
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, row.reason), TRUE);
        ASSERT_NE(shown.window.handle(), nullptr) << "closed before the session's end was decided";
        SendMessageW(window, WM_ENDSESSION, row.ending, row.reason);
        EXPECT_EQ(shown.window.handle() == nullptr, row.closes);
    }
}

// What `look` sees on a thread of its own, which has joined no COM apartment.
template <typename Look>
void onAFreshThread(Look look) {
    std::thread thread(look);
    thread.join();
}

bool inAnApartment() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return SUCCEEDED(CoGetApartmentType(&type, &qualifier));
}

TEST(Apartment, TheProgramJoinsItForItsWholeRunAndTheWindowDoesNot) {
    bool windowJoined = true;
    onAFreshThread([&] {
        const Form1Window window(GetModuleHandleW(nullptr));
        windowJoined = inAnApartment();
    });
    EXPECT_FALSE(windowJoined);

    APTTYPE whileLoading = APTTYPE_MTA;
    bool joinedAfterwards = true;
    onAFreshThread([&] {
        LoadSteps steps;
        steps.readVersion = [&whileLoading] {
            APTTYPEQUALIFIER qualifier{};
            CoGetApartmentType(&whileLoading, &qualifier);
            // Once shown, the window closes, and the program ends.
            PostMessageW(FindWindowW(L"BrelvixForm1", nullptr), WM_CLOSE, 0, 0);
            return applicationVersion();
        };
        EXPECT_EQ(runBrelvix(GetModuleHandleW(nullptr), SW_SHOWNORMAL, steps), 0);
        joinedAfterwards = inAnApartment();
    });
    EXPECT_TRUE(whileLoading == APTTYPE_STA || whileLoading == APTTYPE_MAINSTA);
    EXPECT_FALSE(joinedAfterwards);
}

TEST(Lifetime, AClickReachesNoProceduresThatHaveGone) {
    Form1Window window(GetModuleHandleW(nullptr));
    WindowsClipboard clipboard(window.handle());
    {
        Form1 procedures(window, clipboard);
        const Form1Window::Connection connection = window.connect(procedures);
        ASSERT_TRUE(procedures.Form_Load());
    }
    window.setText(TextBox::Text1, u"SELECT a FROM t");
    SendMessageW(window.control(CommandButton::Command1), BM_CLICK, 0, 0);
    EXPECT_EQ(window.text(TextBox::Text2), u"");
}

} // namespace
} // namespace brelvix
