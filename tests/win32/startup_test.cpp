// The Win32 program's start and end, run under Wine: a failing load and a control Windows refuses to create
// are reported in a box the user sees, in Windows' own words, and the program ends with status 1; a window
// that another program closes ends the message loop.
#include "win32_test_support.h"

#include "frontends/win32/file_version.h"
#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/text_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace brelvix {
namespace {

using namespace testing;

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
}

// Makes Windows refuse to create the window's buttons while it lives, giving `reason` as the last error, or
// none; the edit boxes created before them succeed but leave `leftBehind` as the last error, as successful
// calls may.
class RefusedButtons {
public:
    RefusedButtons(DWORD reason, DWORD leftBehind)
        : hook_(SetWindowsHookExW(WH_CBT, &RefusedButtons::onCreate, nullptr, GetCurrentThreadId())) {
        reason_ = reason;
        leftBehind_ = leftBehind;
    }
    ~RefusedButtons() { UnhookWindowsHookEx(hook_); }
    RefusedButtons(const RefusedButtons&) = delete;
    RefusedButtons& operator=(const RefusedButtons&) = delete;

private:
    static LRESULT CALLBACK onCreate(int code, WPARAM wParam, LPARAM lParam) {
        // Only the window's own controls: the message box that reports the refusal has a button too.
        if (code == HCBT_CREATEWND &&
            className(reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent) == L"BrelvixForm1") {
            // The control exists already, under its class's own name (the manifest's common controls register
            // "Button" again under a name of their own).
            if (lstrcmpiW(className(reinterpret_cast<HWND>(wParam)).c_str(), L"Button") == 0) {
                SetLastError(reason_);
                return 1;
            }
            SetLastError(leftBehind_);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static std::wstring className(HWND window) {
        wchar_t name[64]{};
        return window != nullptr && GetClassNameW(window, name, 64) > 0 ? name : L"";
    }

    static inline DWORD reason_ = 0;
    static inline DWORD leftBehind_ = 0;
    HHOOK hook_;
};

TEST(Load, AControlWindowsRefusesIsReportedInItsOwnWordsInABoxTheUserSees) {
    const struct {
        const char* name;
        DWORD reason;
        DWORD leftBehind;
    } rows[] = {
        {"out of memory", ERROR_NOT_ENOUGH_MEMORY, ERROR_SUCCESS},
        {"no reason given", ERROR_SUCCESS, ERROR_FILE_NOT_FOUND},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MessageBoxWatcher watcher;
        {
            const RefusedButtons refused(row.reason, row.leftBehind);
            EXPECT_EQ(runBrelvix(GetModuleHandleW(nullptr), SW_SHOWNORMAL, {}), 1);
        }
        ASSERT_EQ(watcher.reports.size(), 1u) << "no box was seen";
        EXPECT_EQ(watcher.reports[0].title, toWide(form1Design.messageBoxTitle));
        EXPECT_TRUE(watcher.reports[0].criticalIcon);
        if (row.reason != ERROR_SUCCESS) {
            EXPECT_EQ(watcher.reports[0].text, windowsWords(row.reason));
        } else {
            // Neither an earlier call's error nor Windows' words for success.
            EXPECT_NE(watcher.reports[0].text, windowsWords(row.leftBehind));
            EXPECT_NE(watcher.reports[0].text, windowsWords(ERROR_SUCCESS));
            EXPECT_FALSE(watcher.reports[0].text.empty());
        }
        EXPECT_EQ(FindWindowW(L"BrelvixForm1", nullptr), nullptr) << "the window was left behind";
    }
}

TEST(Loop, AWindowThatAnotherProgramClosesEndsTheLoop) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const HWND window = shown.window.handle();
    const DWORD loopThread = GetCurrentThreadId();
    const HANDLE loopEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        // Another program's message arrives while the loop waits for one.
        Sleep(100);
        SendMessageW(window, WM_CLOSE, 0, 0);
        // Should the loop wait on for good, a quit with its own status ends it so that the test can fail.
        if (WaitForSingleObject(loopEnded, 5000) == WAIT_TIMEOUT) {
            PostThreadMessageW(loopThread, WM_QUIT, 99, 0);
        }
    });
    const int status = runMessageLoop(shown.window);
    SetEvent(loopEnded);
    other.join();
    CloseHandle(loopEnded);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(shown.window.handle(), nullptr);
}

} // namespace
} // namespace brelvix
