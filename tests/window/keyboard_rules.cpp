// The window's keyboard and focus rules as rows, and the runner that plays them on a front end's windows.
// A rule says which button a key clicks, if any; what that click does is learnt by clicking the button on a
// window of the same front end, so that no rule restates a command.
#include "tests/window/keyboard_rules.h"

#include "tests/window/button_names.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace brelvix::testing {
namespace {

// The window's three states, which differ in which of Paste, Copy and Add String are enabled.
enum class State { Start, LaidOut, Copied };
using enum State;

constexpr TabStop text1 = TextBox::Text1;
constexpr TabStop text2 = TextBox::Text2;
constexpr TabStop text3 = TextBox::Text3;
constexpr Focus theWindow = std::nullopt;

constexpr KeyPress tab{Key::Tab}, shiftTab{Key::ShiftTab}, enter{Key::Enter}, escape{Key::Escape};
constexpr KeyPress space{Key::Space}, ctrlBackspace{Key::CtrlBackspace};
constexpr KeyPress letter(char typed) {
    return {Key::Letter, typed};
}
constexpr KeyPress alt(char typed) {
    return {Key::AltLetter, typed};
}
constexpr KeyPress ctrl(char typed) {
    return {Key::CtrlLetter, typed};
}
constexpr Cues focusCues{.focus = true}, accessKeyCues{.accessKeys = true};

const std::pair<CommandButton, char> accessKeys[] = {{adjust, 'a'},     {paste, 'v'}, {copy, 'c'},
                                                     {exitButton, 'x'}, {clear, 'e'}, {addString, 's'}};

// Tab's round in each state, from Text1 back to it: every control but the disabled buttons.
const std::pair<State, std::vector<TabStop>> tabRounds[] = {
    {Start, {text1, adjust, paste, exitButton, text2, clear, text3}},
    {LaidOut, {text1, adjust, paste, copy, exitButton, text2, clear, addString, text3}},
    {Copied, {text1, adjust, copy, exitButton, text2, clear, addString, text3}},
};

// What a key does to the text of the focused box: it held `before`, with the caret at its end, and holds
// `after`.
struct Edit {
    std::u16string_view before;
    std::u16string_view after;
};

struct KeyRule {
    State state;
    Focus focus;
    KeyPress key;
    std::optional<CommandButton> clicks = std::nullopt;
    // What lands at the caret of the focused box.
    std::u16string_view typed = u"";
    // Where the focus must be afterwards, when the rule says.
    std::optional<Focus> focusAfter = std::nullopt;
    // The cues that must show afterwards.
    Cues cues = {};
    // A key pressed before `key`, which the rule does not judge on its own.
    std::optional<KeyPress> first = std::nullopt;
    std::optional<Edit> edit = std::nullopt;
    // Whether the focused box's whole text is selected afterwards.
    bool selectsAll = false;
};

std::vector<KeyRule> keyRules() {
    std::vector<KeyRule> rules{
        // With no control focused, Tab enters the round at its start and Shift+Tab at its end.
        {Start, theWindow, tab, {}, u"", text1},
        {Start, theWindow, shiftTab, {}, u"", text3},
        // An access key acts wherever the focus is, and a disabled one types nothing in a box either.
        {LaidOut, adjust, alt('e'), clear},
        {LaidOut, theWindow, alt('v'), paste},
        {Start, theWindow, alt('s')},
        {LaidOut, text2, alt('s'), addString},
        {Copied, text3, alt('v')},
        // Without Alt a letter is typed in a box and clicks nothing.
        {LaidOut, text1, letter('a'), {}, u"a"},
        {LaidOut, text2, letter('v'), {}, u"v"},
        {LaidOut, text3, letter('x'), {}, u"x"},
        // Space clicks the focused button.
        {LaidOut, adjust, space, adjust},
        {LaidOut, copy, space, copy},
        // Neither does the delete character, which Windows' own boxes type for Ctrl+Backspace.
        {.state = LaidOut, .focus = text1, .key = letter('\x7F')},
    };
    // Ctrl+Backspace deletes the selection, or else the word before the caret: letters and digits with the
    // blanks after them, or one run of other marks; a line break on its own. Ctrl+A selects the whole box.
    const std::tuple<TabStop, Edit, std::optional<KeyPress>> wordDeletions[] = {
        {text1, {u"SELECT abc", u"SELECT "}, {}},      {text2, {u"SELECT a1  ", u"SELECT "}, {}},
        {text3, {u"s = s & \"", u"s = s & "}, {}},     {text1, {u"a\r\nFROM", u"a\r\n"}, {}},
        {text1, {u"SELECT a,\r\n", u"SELECT a,"}, {}}, {text2, {u"SELECT a FROM t", u""}, ctrl('a')},
    };
    for (const auto& [box, edit, first] : wordDeletions) {
        rules.push_back({.state = LaidOut, .focus = box, .key = ctrlBackspace, .first = first, .edit = edit});
    }
    for (const TabStop& box : {text1, text2, text3}) {
        rules.push_back({.state = LaidOut, .focus = box, .key = ctrl('a'), .selectsAll = true});
    }
    for (const auto& [state, round] : tabRounds) {
        for (std::size_t i = 0; i < round.size(); ++i) {
            const TabStop& next = round[(i + 1) % round.size()];
            // Moving about by the keyboard shows where the focus is.
            rules.push_back({state, round[i], tab, {}, u"", next, focusCues});
            rules.push_back({state, next, shiftTab, {}, u"", round[i], focusCues});
        }
        // Alt with a button's letter clicks it while it is enabled, that is in the round.
        for (const auto& [button, key] : accessKeys) {
            const bool enabled = std::ranges::find(round, TabStop{button}) != round.end();
            // Alt shows which letters are access keys.
            rules.push_back({state,
                             text1,
                             alt(key),
                             enabled ? std::optional(button) : std::nullopt,
                             u"",
                             {},
                             accessKeyCues});
        }
    }
    // Enter and Esc click no button on any control; Enter starts a line in the two large boxes. In Laid out
    // every control is in the round.
    for (const TabStop& control : tabRounds[1].second) {
        rules.push_back({LaidOut, control, enter, {}, control == text1 || control == text2 ? u"\r\n" : u""});
        rules.push_back({LaidOut, control, escape});
    }
    // A letter typed on a button, or on the window itself, clicks nothing.
    for (const auto& [button, key] : accessKeys) {
        rules.push_back({LaidOut, adjust, letter(key)});
        rules.push_back({LaidOut, theWindow, letter(key)});
    }
    return rules;
}

// A button disabled while it has the focus, by a click of another in Laid out, hands the focus on to the
// next control of the round: the focus, the click, the focus after it. (An access key will not do for the
// click: on Windows it moves the focus to its button.)
const std::tuple<TabStop, CommandButton, TabStop> handOnRules[] = {
    {copy, clear, exitButton}, {addString, clear, text3}, {paste, copy, copy}};

// Every rule's window starts with these, so that each command leaves a trace of its own.
constexpr std::array<std::u16string_view, 3> startTexts{u"SELECT a FROM t", u"laid out", u"s = s & \""};
constexpr std::u16string_view clipboardText = u"pasted";

std::string nameOf(const Focus& focus) {
    static constexpr const char* buttons[] = {"Adjust", "Paste", "Copy", "Exit", "Clear", "Add String"};
    if (!focus) {
        return "the window itself";
    }
    if (const auto* box = std::get_if<TextBox>(&*focus)) {
        return "Text" + std::to_string(static_cast<int>(*box) + 1);
    }
    return buttons[static_cast<int>(std::get<CommandButton>(*focus)) - 1];
}

std::string nameOf(KeyPress key) {
    static constexpr const char* keys[] = {"Tab", "Shift+Tab", "Enter", "Esc", "Space", "Ctrl+Backspace",
                                           "",    "Alt+",      "Ctrl+"};
    const std::string letter = key.key >= Key::Letter ? std::string(1, key.letter) : "";
    return keys[static_cast<int>(key.key)] + letter;
}

std::string nameOf(const KeyRule& rule) {
    static constexpr const char* states[] = {"Start", "Laid out", "Copied"};
    const std::string first = rule.first ? nameOf(*rule.first) + ", " : "";
    return std::string(states[static_cast<int>(rule.state)]) + ", " + first + nameOf(rule.key) + " on " +
           nameOf(rule.focus);
}

// What a command can change, as text: the enabled flags of Command1 to Command6 as 1 or 0, or "closed",
// and the boxes' texts.
using Trace = std::array<std::u16string, 4>;

Trace traceOf(const KeyboardHarness& window) {
    if (window.closed()) {
        return {u"closed"};
    }
    Trace trace;
    for (int button = 1; button <= 6; ++button) {
        trace[0] += window.enabled(static_cast<CommandButton>(button)) ? u'1' : u'0';
    }
    for (int box = 0; box < 3; ++box) {
        trace.at(box + 1) = window.text(static_cast<TextBox>(box));
    }
    return trace;
}

std::string written(const Trace& trace) {
    static constexpr const char* labels[] = {"buttons", "Text1", "Text2", "Text3"};
    std::string text;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        text += std::string(i == 0 ? "" : ", ") + labels[i] + " \"";
        for (const char16_t unit : trace[i]) {
            const char shown = unit < 0x80 ? static_cast<char>(unit) : '?';
            text += shown == '\r' ? "\\r" : shown == '\n' ? "\\n" : std::string(1, shown);
        }
        text += '"';
    }
    return text;
}

class Runner {
public:
    explicit Runner(const OpenWindow& open)
        : open_(open) {}

    void checkFocusAtStart() {
        const Focus focus = openWindow()->focus();
        if (focus != text1) {
            fail("At start", "the focus is on " + nameOf(focus) + ", not on Text1");
        }
    }

    void check(const KeyRule& rule) {
        Trace expected = clickedIn(rule.state, rule.clicks);
        const auto* box = rule.focus ? std::get_if<TextBox>(&*rule.focus) : nullptr;
        if (box != nullptr) {
            std::u16string& text = expected.at(static_cast<std::size_t>(*box) + 1);
            text = rule.edit ? std::u16string(rule.edit->after) : text + std::u16string(rule.typed);
        }
        auto window = openIn(rule.state);
        if (box != nullptr && rule.edit) {
            window->setText(*box, rule.edit->before);
        }
        window->setFocus(rule.focus);
        if (rule.first) {
            window->press(*rule.first);
        }
        window->press(rule.key);
        const Trace found = traceOf(*window);
        const std::string row = nameOf(rule);
        if (found != expected) {
            fail(row, "gives " + written(found) + " where clicking " +
                          (rule.clicks ? nameOf(*rule.clicks) : "nothing") + " gives " + written(expected));
        }
        if (!window->closed()) {
            if (rule.focusAfter) {
                checkFocus(row, *window, *rule.focusAfter);
            }
            checkCues(row, *window, rule.cues);
            if (box != nullptr && rule.selectsAll && window->selectedText(*box) != window->text(*box)) {
                fail(row, "the box's text is not selected as a whole");
            }
        }
        putAside(std::move(window), rule.state);
    }

    void checkHandOn(const TabStop& focus, CommandButton click, const TabStop& focusAfter) {
        const auto window = openIn(LaidOut);
        window->setFocus(focus);
        window->click(click);
        checkFocus("Laid out, " + nameOf(click) + " clicked with the focus on " + nameOf(focus), *window,
                   focusAfter);
    }

    const std::string& report() const { return report_; }

private:
    void checkFocus(const std::string& row, const KeyboardHarness& window, const Focus& expected) {
        const Focus found = window.focus();
        // As in a dialog, Tab selects the whole of the one-line box it reaches, so that typing replaces it.
        // The large boxes do as their toolkit does: Windows selects them as well, Qt keeps the caret.
        if (found != expected) {
            fail(row, "the focus went to " + nameOf(found) + ", not to " + nameOf(expected));
        } else if (found == text3 && window.selectedText(TextBox::Text3) != window.text(TextBox::Text3)) {
            fail(row, "Text3's text is not selected as a whole");
        }
    }

    void checkCues(const std::string& row, const KeyboardHarness& window, const Cues& expected) {
        const Cues shown = window.cues();
        if (expected.focus && !shown.focus) {
            fail(row, "the focus rectangle is hidden");
        }
        if (expected.accessKeys && !shown.accessKeys) {
            fail(row, "the access keys are not underlined");
        }
    }

    std::unique_ptr<KeyboardHarness> openWindow() {
        auto window = open_();
        if (window == nullptr) {
            throw std::runtime_error("a window did not open");
        }
        return window;
    }

    // A window in `state` with the texts every rule starts from: the one set aside, or else a fresh one.
    std::unique_ptr<KeyboardHarness> openIn(State state) {
        auto window = idleState_ == state ? std::move(idle_) : nullptr;
        // One window at a time: a toolkit gives the keys to the active window only.
        idle_.reset();
        if (window == nullptr) {
            window = openWindow();
            if (state != Start) {
                window->click(adjust);
            }
            if (state == Copied) {
                window->click(copy);
            }
        }
        for (std::size_t i = 0; i < startTexts.size(); ++i) {
            // Setting a box's text is slow under Wine, and most rules leave the texts as they were.
            if (window->text(static_cast<TextBox>(i)) != startTexts[i]) {
                window->setText(static_cast<TextBox>(i), startTexts[i]);
            }
        }
        window->setClipboardText(clipboardText);
        return window;
    }

    // What clicking `button` does to a window in `state`, or what is there without a click; seen once each.
    const Trace& clickedIn(State state, std::optional<CommandButton> button) {
        const std::pair key(state, button ? static_cast<int>(*button) : 0);
        auto seen = traces_.find(key);
        if (seen == traces_.end()) {
            auto window = openIn(state);
            if (button) {
                window->click(*button);
            }
            seen = traces_.emplace(key, traceOf(*window)).first;
            putAside(std::move(window), state);
        }
        return seen->second;
    }

    // Keeps a window that is still in `state` for the next rule, which makes the rules quick to play.
    void putAside(std::unique_ptr<KeyboardHarness> window, State state) {
        if (traceOf(*window)[0] == clickedIn(state, std::nullopt)[0]) {
            idle_ = std::move(window);
            idleState_ = state;
        }
    }

    void fail(const std::string& row, const std::string& what) { report_ += row + ": " + what + "\n"; }

    const OpenWindow& open_;
    std::unique_ptr<KeyboardHarness> idle_;
    State idleState_ = Start;
    std::map<std::pair<State, int>, Trace> traces_;
    std::string report_;
};

} // namespace

std::string keyboardRuleMismatches(const OpenWindow& open) {
    Runner runner(open);
    try {
        runner.checkFocusAtStart();
        for (const KeyRule& rule : keyRules()) {
            runner.check(rule);
        }
        for (const auto& [focus, click, focusAfter] : handOnRules) {
            runner.checkHandOn(focus, click, focusAfter);
        }
    } catch (const std::exception& failure) {
        return runner.report() + "Stopped: " + failure.what() + "\n";
    }
    return runner.report();
}

} // namespace brelvix::testing
