// The Win32 window on the real clipboard, run under Wine: 100,000 hostile code units through each box and
// back, another program that holds the clipboard (each command reports Windows' own words) or lets go of it
// within the retries, and another program's formats gone once our text is written.
#include "win32_test_support.h"

#include "frontends/win32/run_brelvix.h"
#include "frontends/win32/text_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace brelvix {
namespace {

using namespace testing;

// No keyword of the layout in it, so that every code unit comes back in order: an emoji (a surrogate pair),
// a lone surrogate, U+2028 and tabs among letters.
std::u16string hostileText(std::size_t size) {
    const std::u16string piece = u"x\U0001F600\ty\xD800z\u2028w ";
    std::u16string text;
    while (text.size() < size) {
        text += piece;
    }
    text.resize(size);
    return text;
}

TEST(Clipboard, EveryCodeUnitOf100000PassesThroughEachBoxAndBack) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    const auto layout = createQueryLayout();
    const std::u16string source = hostileText(100000);
    const std::u16string prefix = hostileText(100000).substr(1);

    shown.clipboard.setText(source);
    shown.click(CommandButton::Command2); // Paste into Text1
    ASSERT_EQ(shown.window.text(TextBox::Text1), source);
    shown.click(CommandButton::Command1); // Adjust into Text2
    shown.click(CommandButton::Command3); // Copy from Text2
    EXPECT_EQ(shown.clipboard.text(), layout->adjustLayout(source));

    // The prefix box is pasted into as a user does, with Ctrl+V.
    shown.clipboard.setText(prefix);
    const HWND text3 = shown.window.control(TextBox::Text3);
    SendMessageW(text3, EM_SETSEL, 0, -1);
    SendMessageW(text3, WM_PASTE, 0, 0);
    ASSERT_EQ(shown.window.text(TextBox::Text3), prefix);
    shown.click(CommandButton::Command6); // Add String into Text2
    shown.click(CommandButton::Command3);
    EXPECT_EQ(shown.clipboard.text(), layout->addStringLayout(source, prefix));
}

// Each command that reaches a clipboard another program holds says so in Windows' words, in a box the wait
// cursor does not stand over; Clear has emptied the boxes and reset the buttons by then, Paste and Copy leave
// both boxes and every button as they were.
TEST(Clipboard, HeldByAnotherProgramEachCommandReportsWindowsWords) {
    const struct {
        const char* name;
        CommandButton command;
        std::u16string_view text1, text2;
        bool pasteEnabled;
    } rows[] = {
        {"Clear", CommandButton::Command5, u"", u"", true},
        {"Paste", CommandButton::Command2, u"SELECT a", u"edited", true},
        {"Copy", CommandButton::Command3, u"SELECT a", u"edited", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownWindow shown;
        ASSERT_TRUE(shown.loaded);
        shown.window.setText(TextBox::Text1, u"SELECT a");
        shown.click(CommandButton::Command1); // Laid out
        shown.window.setText(TextBox::Text2, u"edited");
        const ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        // Asked as the window asks, for the error Windows gives it.
        SetLastError(ERROR_SUCCESS);
        if (OpenClipboard(shown.window.handle())) {
            CloseClipboard();
            FAIL() << "the clipboard was not held";
        }
        const std::wstring windowsOwnWords = windowsWords(GetLastError());

        std::u16string text1WhileReported;
        std::u16string text2WhileReported;
        bool pasteEnabledWhileReported = false;
        bool arrowWhileReported = false;
        MessageBoxWatcher watcher([&] {
            arrowWhileReported = GetCursor() == LoadCursorW(nullptr, IDC_ARROW);
            text1WhileReported = shown.window.text(TextBox::Text1);
            text2WhileReported = shown.window.text(TextBox::Text2);
            pasteEnabledWhileReported = shown.enabled(CommandButton::Command2);
        });
        shown.click(row.command);
        ASSERT_EQ(watcher.reports.size(), 1u);
        EXPECT_EQ(watcher.reports[0].title, toWide(form1Design.messageBoxTitle));
        EXPECT_TRUE(watcher.reports[0].criticalIcon);
        EXPECT_EQ(watcher.reports[0].text, windowsOwnWords);
        EXPECT_TRUE(arrowWhileReported) << "the wait cursor stood over the message box";
        EXPECT_EQ(text1WhileReported, row.text1);
        EXPECT_EQ(text2WhileReported, row.text2);
        EXPECT_EQ(pasteEnabledWhileReported, row.pasteEnabled);
        EXPECT_EQ(shown.enabled(CommandButton::Command3), row.command != CommandButton::Command5);
    }
}

// Every change of the clipboard wakes its listeners: Windows' clipboard history, Remote Desktop's and
// Citrix's redirection. One that opened it between two changes of one Copy could make the second fail.
class ClipboardListener {
public:
    ClipboardListener()
        : window_(
              CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClipboardListener::count));
        AddClipboardFormatListener(window_);
    }
    ~ClipboardListener() { DestroyWindow(window_); }

    // The updates heard since the last call, once those on their way have arrived.
    int updatesHeard(Form1Window& window) {
        for (int pause = 0; pause < 20; ++pause) {
            Sleep(10);
            handlePendingMessages(window);
        }
        return std::exchange(updates_, 0);
    }

private:
    static LRESULT CALLBACK count(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        updates_ += message == WM_CLIPBOARDUPDATE ? 1 : 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static inline int updates_ = 0;
    HWND window_;
};

TEST(Clipboard, CopyChangesItOnceAndClearOnce) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    shown.window.setText(TextBox::Text1, u"SELECT a");
    shown.click(CommandButton::Command1);
    ClipboardListener listener;
    ASSERT_EQ(listener.updatesHeard(shown.window), 0);
    shown.click(CommandButton::Command3);
    EXPECT_EQ(listener.updatesHeard(shown.window), 1) << "Copy";
    EXPECT_EQ(shown.clipboard.text(), shown.window.text(TextBox::Text2));
    shown.click(CommandButton::Command5);
    EXPECT_EQ(listener.updatesHeard(shown.window), 1) << "Clear";
}

TEST(Clipboard, AProgramThatLetsGoWithinAMomentIsWaitedFor) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    shown.clipboard.setText(u"SELECT waited");
    // Clipboard managers hold the clipboard for a moment after every change.
    const ClipboardHolder holder(40);
    ASSERT_TRUE(holder.holding());
    shown.click(CommandButton::Command2);
    EXPECT_EQ(shown.window.text(TextBox::Text1), u"SELECT waited");
}

TEST(Clipboard, OurTextIsAllItHoldsOnceWrittenEvenWhereEmptyingItFailedBefore) {
    ShownWindow shown;
    ASSERT_TRUE(shown.loaded);
    offerTextAndHtml(L"theirs");
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    ASSERT_TRUE(IsClipboardFormatAvailable(html));
    // What Copy does after its first step, emptying the clipboard, failed.
    shown.clipboard.setText(u"ours");
    EXPECT_FALSE(IsClipboardFormatAvailable(html)) << "their HTML would be pasted instead of our text";
    EXPECT_EQ(shown.clipboard.text(), u"ours");
}

} // namespace
} // namespace brelvix
