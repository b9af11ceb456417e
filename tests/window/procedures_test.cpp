// Form1's procedures over fake controls, a fake clipboard and a probing layout: every transition between
// Start, Laid out and Copied with what each command does to the boxes and the clipboard, the failures each
// reports or passes over, the load procedure, and the text handed between boxes, layout and clipboard
// unchanged.
#include "tests/window/button_names.h"
#include "tests/window/probe_layout.h"
#include "window/form1.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace brelvix {
namespace {

using namespace std::string_literals;
using namespace testing;

constexpr std::u16string_view defaultPrefix = u"strSQL = strSQL & \"";

// While set, every allocation fails, as when memory has run out. The failure report gives it back, as the
// memory the failed command held is free again by then.
bool memoryExhausted = false;

// The window as the procedures see it, starting as laid out: every button enabled, a sample query.
class FakeWindow final : public Form1Controls {
public:
    struct Report {
        std::u16string description;
        std::string state;
        std::u16string caption;
        std::u16string text1;
        std::u16string text2;
    };

    std::u16string text(TextBox box) const override { return texts.at(box); }
    void setText(TextBox box, std::u16string_view text) override { texts[box] = text; }
    void setEnabled(CommandButton button, bool isEnabled) override {
        enabled.at(static_cast<std::size_t>(button)) = isEnabled;
    }
    std::u16string caption() const override { return title; }
    void setCaption(std::u16string_view caption) override { title = caption; }
    void reportError(std::u16string_view description) override {
        memoryExhausted = false;
        reports.push_back({std::u16string(description), state(), title, texts.at(TextBox::Text1),
                           texts.at(TextBox::Text2)});
    }
    void unload() override { unloaded = true; }

    // "Start", "Laid out" or "Copied" after the enabled flags; "none" for any other combination.
    std::string state() const {
        const bool alwaysOn = enabled[1] && enabled[4] && enabled[5];
        if (!alwaysOn || enabled[3] != enabled[6]) {
            return "none";
        }
        if (!enabled[3]) {
            return enabled[2] ? "Start" : "none";
        }
        return enabled[2] ? "Laid out" : "Copied";
    }

    std::map<TextBox, std::u16string> texts{{TextBox::Text1, u"SELECT Field1 FROM Table1;"},
                                            {TextBox::Text2, u""},
                                            {TextBox::Text3, std::u16string(defaultPrefix)}};
    std::array<bool, 7> enabled{true, true, true, true, true, true, true}; // by button number
    std::u16string title = u"Brelvix for Access ";
    std::vector<Report> reports;
    bool unloaded = false;
};

class FakeClipboard final : public Clipboard {
public:
    std::u16string text() override { return failIf(failRead, "cannot be read"), contents; }
    void clear() override { failIf(failClear, "is held by another program"), contents.clear(); }
    void setText(std::u16string_view text) override {
        failIf(failWrite, "cannot be written"), contents = text;
    }

    static void failIf(bool fail, const std::string& what) {
        if (fail) {
            throw ClipboardError("the clipboard " + what);
        }
    }

    std::u16string contents;
    bool failRead = false;
    bool failClear = false;
    bool failWrite = false;
};

using Failure = LayoutProbe::Failure;

// A window with its procedures, on the probing layout unless given other load steps.
struct LoadedForm {
    LoadedForm()
        : form(window, clipboard, probe.loadSteps()) {}
    explicit LoadedForm(LoadSteps steps)
        : form(window, clipboard, std::move(steps)) {}

    bool load() { return form.Form_Load(); }

    void click(CommandButton button) { form.click(button); }

    // Brings the freshly loaded window into `state` by the commands a user would use.
    void enter(const std::string& state) {
        if (state != "Start") {
            click(adjust);
        }
        if (state == "Copied") {
            click(copy);
        }
    }

    testing::LayoutProbe probe;
    FakeWindow window;
    FakeClipboard clipboard;
    Form1 form;
};

TEST(FormLoad, LeavesTheWindowInTheStartState) {
    LoadedForm loaded;
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.window.title, u"Brelvix for Access (Ver" BRELVIX_VERSION ")");
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text1), u"");
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text2), u"");
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text3), defaultPrefix);
    EXPECT_EQ(loaded.window.state(), "Start");
    EXPECT_TRUE(loaded.window.reports.empty());
    EXPECT_FALSE(loaded.window.unloaded);
}

TEST(FormLoad, CaptionCarriesTheVersionUnpadded) {
    const struct {
        AppVersion version;
        std::u16string_view caption;
    } rows[] = {
        {{0, 0, 0}, u"Brelvix for Access (Ver0.0.0)"},
        {{2, 10, 3}, u"Brelvix for Access (Ver2.10.3)"},
    };
    for (const auto& row : rows) {
        LoadSteps steps;
        steps.readVersion = [&row] { return row.version; };
        LoadedForm loaded(steps);
        ASSERT_TRUE(loaded.load());
        EXPECT_EQ(loaded.window.title, row.caption);
    }
}

TEST(FormLoad, AFailingStepIsReportedAndTheWindowUnloaded) {
    const struct {
        const char* step;
        std::function<void(LoadSteps&)> fail;
        std::u16string_view description;
        std::u16string_view captionWhileReported;
        std::string stateWhileReported;
        std::u16string_view text1WhileReported;
    } rows[] = {
        {"reading the version",
         [](LoadSteps& steps) {
             steps.readVersion = []() -> AppVersion { throw std::runtime_error("no version data"); };
         },
         u"no version data", u"Brelvix for Access ", "Laid out", u"SELECT Field1 FROM Table1;"},
        {"creating the layout",
         [](LoadSteps& steps) {
             steps.createLayout = []() -> std::unique_ptr<LayoutEngine> { throw std::bad_alloc(); };
         },
         u"std::bad_alloc", u"Brelvix for Access (Ver" BRELVIX_VERSION ")", "Start", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.step);
        LoadSteps steps;
        row.fail(steps);
        LoadedForm loaded(steps);
        EXPECT_FALSE(loaded.load());
        ASSERT_EQ(loaded.window.reports.size(), 1u);
        const FakeWindow::Report& report = loaded.window.reports[0];
        EXPECT_EQ(report.description, row.description);
        EXPECT_EQ(report.caption, row.captionWhileReported);
        EXPECT_EQ(report.state, row.stateWhileReported);
        EXPECT_EQ(report.text1, row.text1WhileReported);
        EXPECT_TRUE(loaded.window.unloaded);
    }
}

struct Transition {
    std::string from;
    CommandButton command;
    std::string to; // "ended" when the window is unloaded
};

void PrintTo(const Transition& transition, std::ostream* out) {
    *out << transition.from << " by command " << static_cast<int>(transition.command);
}

class Transitions : public ::testing::TestWithParam<Transition> {};

// Every enabled command of every state; a disabled button delivers no click, which the front ends test.
TEST_P(Transitions, LeadToTheirStateWithTheirEffects) {
    const Transition& row = GetParam();
    LoadedForm loaded;
    ASSERT_TRUE(loaded.load());
    loaded.window.texts[TextBox::Text1] = u"SELECT a FROM t";
    loaded.enter(row.from);
    ASSERT_EQ(loaded.window.state(), row.from);
    // Contents that any command that runs would change.
    loaded.window.texts[TextBox::Text1] = u"SELECT b\r\nFROM u";
    loaded.window.texts[TextBox::Text2] = u"edited\r\nresult";
    loaded.window.texts[TextBox::Text3] = u"P";
    loaded.clipboard.contents = u"on the clipboard";

    loaded.click(row.command);

    struct Effect {
        std::u16string_view text1, text2, clipboard;
    };
    const std::map<CommandButton, Effect> effects{
        {adjust, {u"SELECT b\r\nFROM u", u"A[SELECT b\r\nFROM u]", u"on the clipboard"}},
        {paste, {u"on the clipboard", u"", u"on the clipboard"}},
        {copy, {u"SELECT b\r\nFROM u", u"edited\r\nresult", u"edited\r\nresult"}},
        {exitButton, {u"SELECT b\r\nFROM u", u"edited\r\nresult", u"on the clipboard"}},
        {clear, {u"", u"", u""}},
        {addString, {u"SELECT b\r\nFROM u", u"S[P|SELECT b\r\nFROM u]", u"on the clipboard"}},
    };
    const Effect& effect = effects.at(row.command);
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text1), effect.text1);
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text2), effect.text2);
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text3), u"P");
    EXPECT_EQ(loaded.clipboard.contents, effect.clipboard);
    EXPECT_TRUE(loaded.window.reports.empty());
    if (row.to == "ended") {
        EXPECT_TRUE(loaded.window.unloaded);
        EXPECT_EQ(loaded.window.state(), row.from);
    } else {
        EXPECT_FALSE(loaded.window.unloaded);
        EXPECT_EQ(loaded.window.state(), row.to);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryEnabledCommand, Transitions,
    ::testing::Values(Transition{"Start", paste, "Start"}, Transition{"Start", adjust, "Laid out"},
                      Transition{"Start", clear, "Start"}, Transition{"Start", exitButton, "ended"},
                      Transition{"Laid out", paste, "Laid out"}, Transition{"Laid out", adjust, "Laid out"},
                      Transition{"Laid out", addString, "Laid out"}, Transition{"Laid out", copy, "Copied"},
                      Transition{"Laid out", clear, "Start"}, Transition{"Laid out", exitButton, "ended"},
                      Transition{"Copied", adjust, "Copied"}, Transition{"Copied", addString, "Copied"},
                      Transition{"Copied", copy, "Copied"}, Transition{"Copied", clear, "Start"},
                      Transition{"Copied", exitButton, "ended"}));

// A clipboard that cannot be read or written is reported and leaves the boxes, the buttons and the clipboard
// as they were; Copy writes in one change, which needs no emptying of its own. An empty clipboard is no
// failure.
TEST(ClipboardFailures, AreReportedWhereTextWouldBeLostAndPassedOverWhereNot) {
    const struct {
        const char* name;
        CommandButton command;
        bool failRead, failClear, failWrite;
        std::u16string_view clipboardBefore;
        std::u16string_view reported, text1, text2, clipboard;
        std::string state;
    } rows[] = {
        {"paste, unreadable", paste, true, false, false, u"old clip", u"the clipboard cannot be read",
         u"SELECT a", u"edited\r\nresult", u"old clip", "Laid out"},
        {"paste, empty", paste, false, false, false, u"", u"", u"", u"", u"", "Laid out"},
        {"copy, cannot empty", copy, false, true, false, u"old clip", u"", u"SELECT a", u"edited\r\nresult",
         u"edited\r\nresult", "Copied"},
        {"copy, cannot write", copy, false, false, true, u"old clip", u"the clipboard cannot be written",
         u"SELECT a", u"edited\r\nresult", u"old clip", "Laid out"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoadedForm loaded;
        ASSERT_TRUE(loaded.load());
        loaded.window.texts[TextBox::Text1] = u"SELECT a";
        loaded.enter("Laid out");
        loaded.window.texts[TextBox::Text2] = u"edited\r\nresult";
        loaded.clipboard = {};
        loaded.clipboard.contents = row.clipboardBefore;
        loaded.clipboard.failRead = row.failRead;
        loaded.clipboard.failClear = row.failClear;
        loaded.clipboard.failWrite = row.failWrite;

        loaded.click(row.command);

        if (row.reported.empty()) {
            EXPECT_TRUE(loaded.window.reports.empty());
        } else {
            ASSERT_EQ(loaded.window.reports.size(), 1u);
            EXPECT_EQ(loaded.window.reports[0].description, row.reported);
        }
        EXPECT_EQ(loaded.window.texts.at(TextBox::Text1), row.text1);
        EXPECT_EQ(loaded.window.texts.at(TextBox::Text2), row.text2);
        EXPECT_EQ(loaded.clipboard.contents, row.clipboard);
        EXPECT_EQ(loaded.window.state(), row.state);
    }
}

TEST(ReportAndStop, ClearReportsAfterEmptyingTheBoxesAndResettingTheButtons) {
    LoadedForm loaded;
    ASSERT_TRUE(loaded.load());
    loaded.window.texts[TextBox::Text1] = u"SELECT a";
    loaded.enter("Copied");
    loaded.clipboard.contents = u"kept by its owner";
    loaded.clipboard.failClear = true;

    loaded.click(clear);

    ASSERT_EQ(loaded.window.reports.size(), 1u);
    const FakeWindow::Report& report = loaded.window.reports[0];
    EXPECT_EQ(report.description, u"the clipboard is held by another program");
    EXPECT_EQ(report.text1, u"");
    EXPECT_EQ(report.text2, u"");
    EXPECT_EQ(report.state, "Start");
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text3), defaultPrefix);
    EXPECT_EQ(loaded.clipboard.contents, u"kept by its owner");
    EXPECT_FALSE(loaded.window.unloaded);
}

TEST(ReportAndStop, AFailingLayoutLeavesTheResultAndTheButtonsAsTheyWere) {
    const struct {
        CommandButton command;
        std::string from;
        Failure failure;
        std::string description;
        std::u16string_view reported;
    } rows[] = {
        {adjust, "Start", Failure::Standard, "the layout failed", u"the layout failed"},
        {adjust, "Copied", Failure::Standard, "the layout failed", u"the layout failed"},
        {addString, "Laid out", Failure::Standard, "the layout failed", u"the layout failed"},
        {addString, "Copied", Failure::Other, "", u"An unknown failure occurred."},
        {adjust, "Laid out", Failure::Standard, "Speicher ersch\xC3\xB6pft \xF0\x9F\x98\x80",
         u"Speicher erschöpft \U0001F600"},
        {adjust, "Laid out", Failure::Standard, "no \xFF UTF-8 \xE2\x82 \xC0\xAF",
         u"no \uFFFD UTF-8 \uFFFD\uFFFD \uFFFD\uFFFD"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        LoadedForm loaded;
        ASSERT_TRUE(loaded.load());
        loaded.enter(row.from);
        loaded.window.texts[TextBox::Text2] = u"the earlier result";
        loaded.probe.failure = row.failure;
        loaded.probe.description = row.description;

        loaded.click(row.command);

        ASSERT_EQ(loaded.window.reports.size(), 1u);
        EXPECT_EQ(loaded.window.reports[0].description, row.reported);
        EXPECT_EQ(loaded.window.texts.at(TextBox::Text2), u"the earlier result");
        EXPECT_EQ(loaded.window.state(), row.from);
        EXPECT_FALSE(loaded.window.unloaded);
    }
}

TEST(ReportAndStop, AFailureTooLargeForTheMemoryLeftToDescribeIsStillReported) {
    LoadedForm loaded;
    ASSERT_TRUE(loaded.load());
    loaded.probe.whileRunning = [] {
        memoryExhausted = true;
        throw std::bad_alloc();
    };
    // Should the failure escape the command, memory comes back before the test reports it.
    const struct MemoryBack {
        ~MemoryBack() { memoryExhausted = false; }
    } memoryBack;
    loaded.click(addString);
    ASSERT_EQ(loaded.window.reports.size(), 1u);
    EXPECT_EQ(loaded.window.reports[0].description, undescribedFailure);
}

TEST(HandOver, EveryCodeUnitPassesBetweenBoxesLayoutAndClipboardUnchanged) {
    const std::u16string source = u"SELECT a\r\nFROM t\0\xD800\u00A0\n\r"s;
    const std::u16string prefix = u"s = s & \u00A0\"\xDC00"s;
    LoadedForm loaded;
    ASSERT_TRUE(loaded.load());
    const testing::LayoutProbe& probe = loaded.probe;
    loaded.clipboard.contents = source;
    loaded.window.texts[TextBox::Text3] = prefix;

    loaded.click(paste);
    loaded.click(adjust);
    EXPECT_EQ(probe.source, source);
    loaded.click(addString);
    EXPECT_EQ(probe.source, source);
    EXPECT_EQ(probe.prefix, prefix);
    loaded.click(copy);
    EXPECT_EQ(loaded.clipboard.contents, u"S[" + prefix + u"|" + source + u"]");
}

TEST(HandOver, TheRealLayoutLaysOutWhatTheSourceBoxHolds) {
    LoadedForm loaded(LoadSteps{});
    ASSERT_TRUE(loaded.load());
    loaded.window.texts[TextBox::Text1] = u"SELECT a, b FROM t;";
    loaded.click(adjust);
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text2), u"SELECT\r\n a,\r\n b \r\nFROM\r\n t\r\n;");
    loaded.click(addString);
    EXPECT_EQ(loaded.window.texts.at(TextBox::Text2),
              u"strSQL = strSQL & \"SELECT\r\nstrSQL = strSQL & \" a,\r\nstrSQL = strSQL & \" b \r\n"
              u"strSQL = strSQL & \"FROM\r\nstrSQL = strSQL & \" t\r\n;");
}

} // namespace
} // namespace brelvix

// The program's allocations, failing while memory is exhausted. Kept out of line, so that the compiler does
// not mistake the free() inside for one that meets memory of new.
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (brelvix::memoryExhausted) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}

[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
