// The Win32 window among the system's settings and requests, run under Wine: a changed message font taken and
// still fitting the one-line boxes, the show command of the start honoured but for maximised, the end of the
// session or Restart Manager's request closing the window, COM joined by the program and not by its window,
// and no click reaching procedures that have gone.
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

TEST(Start, TheShowCommandIsHonouredExceptThatTheWindowIsNeverMaximised) {
    const struct {
        const char* name;
        int command;
        bool minimised;
    } rows[] = {
        {"normal", SW_SHOWNORMAL, false},
        {"maximised", SW_SHOWMAXIMIZED, false},
        {"as started", SW_SHOWDEFAULT, false},
        {"minimised", SW_SHOWMINIMIZED, true},
        {"minimised, inactive", SW_SHOWMINNOACTIVE, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownWindow shown({}, row.command);
        ASSERT_TRUE(shown.loaded);
        const HWND window = shown.window.handle();
        EXPECT_FALSE(IsZoomed(window));
        EXPECT_EQ(IsIconic(window) != FALSE, row.minimised);
        if (!row.minimised) {
            const int dpi = static_cast<int>(GetDpiForWindow(window));
            RECT client{};
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, twipsToPixels(form1Design.clientWidth, dpi));
            EXPECT_EQ(client.bottom, twipsToPixels(form1Design.clientHeight, dpi));
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
