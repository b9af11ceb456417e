// The window's keyboard and focus rules, written once for every front end: the harness a front end's test
// support implements over its own window, and the runner that plays every rule through it.
#pragma once

#include "window/form1_design.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brelvix::testing {

// A control, or none: the window itself has the focus.
using Focus = std::optional<TabStop>;

enum class Key { Tab, ShiftTab, Enter, Escape, Space, CtrlBackspace, Letter, AltLetter, CtrlLetter };

struct KeyPress {
    Key key;
    char letter = '\0'; // lower case, for Letter, AltLetter and CtrlLetter
};

// The focus rectangles and access-key underlines a window shows.
struct Cues {
    bool focus = false;
    bool accessKeys = false;
};

// A window just loaded and shown as at start-up, driven as its toolkit's users drive it.
class KeyboardHarness {
public:
    virtual ~KeyboardHarness() = default;

    // The button's click as the window receives it from the button, leaving the focus where it is.
    virtual void click(CommandButton button) = 0;
    virtual void setText(TextBox box, std::u16string_view text) = 0;
    virtual void setClipboardText(std::u16string_view text) = 0;
    // Gives the focus as a program does, with the caret after the last character of a box's text, and hides
    // the cues as they are hidden in a window started with the mouse.
    virtual void setFocus(Focus focus) = 0;
    // Presses and releases the key where the focus is; returns once whatever it started has finished.
    virtual void press(KeyPress key) = 0;

    virtual Focus focus() const = 0;
    virtual bool closed() const = 0;
    virtual bool enabled(CommandButton button) const = 0;
    virtual std::u16string text(TextBox box) const = 0;
    virtual std::u16string selectedText(TextBox box) const = 0;
    virtual Cues cues() const = 0;
};

// Gives a fresh window, or null when it could not be loaded.
using OpenWindow = std::function<std::unique_ptr<KeyboardHarness>()>;

// Plays every rule on windows from `open`, a fresh one for a rule unless the rule before left its window in
// the state this one starts from, and says each way the windows broke the rules, a line each; empty when
// they kept them all.
std::string keyboardRuleMismatches(const OpenWindow& open);

} // namespace brelvix::testing
