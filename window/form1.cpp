// Each command's steps in their order, every step met with its command's failure style.
#include "window/form1.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace brelvix {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

// Decodes UTF-8 leniently: a description must reach the user whatever bytes it holds.
std::u16string fromUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length > 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8 either.
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text += replacementCharacter;
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        i += static_cast<std::size_t>(length);
    }
    return text;
}

std::u16string decimal(std::int16_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// Runs one step; should it fail, the failure is dropped unseen and the caller goes on with its next step.
template <typename Step>
void skipOnFailure(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

} // namespace

std::u16string describeFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& standard) {
        return fromUtf8(standard.what());
    } catch (...) {
        return u"An unknown failure occurred.";
    }
}

Form1::Form1(Form1Controls& controls, Clipboard& clipboard, LoadSteps loadSteps)
    : controls_(controls)
    , clipboard_(clipboard)
    , loadSteps_(std::move(loadSteps)) {}

// Runs `steps` up to the first failure and reports that failure; what was done before it stays done.
// Returns whether every step succeeded.
template <typename Steps>
bool Form1::reportAndStop(Steps&& steps) {
    std::exception_ptr failure;
    try {
        std::forward<Steps>(steps)();
        return true;
    } catch (...) {
        failure = std::current_exception();
    }
    // The box runs an event loop of its own; it is shown once the handler has let go of the failure.
    showDescription(std::move(failure),
                    [this](std::u16string_view description) { controls_.reportError(description); });
    return false;
}

bool Form1::Form_Load() {
    const bool loaded = reportAndStop([&] {
        const std::u16string laidOutCaption = controls_.caption();
        const AppVersion version = loadSteps_.readVersion();
        controls_.setCaption(laidOutCaption + u"(Ver" + decimal(version.major) + u'.' +
                             decimal(version.minor) + u'.' + decimal(version.revision) + u')');
        controls_.setEnabled(CommandButton::Command3, false);
        controls_.setEnabled(CommandButton::Command6, false);
        controls_.setText(TextBox::Text1, u"");
        controls_.setText(TextBox::Text2, u"");
        layout_ = loadSteps_.createLayout();
    });
    if (!loaded) {
        controls_.unload();
    }
    return loaded;
}

void Form1::click(CommandButton button) {
    switch (button) {
    case CommandButton::Command1:
        return Command1_Click();
    case CommandButton::Command2:
        return Command2_Click();
    case CommandButton::Command3:
        return Command3_Click();
    case CommandButton::Command4:
        return Command4_Click();
    case CommandButton::Command5:
        return Command5_Click();
    case CommandButton::Command6:
        return Command6_Click();
    }
}

void Form1::Command1_Click() {
    reportAndStop([&] {
        const std::u16string source = controls_.text(TextBox::Text1);
        const std::u16string laidOut = layout_->adjustLayout(source);
        controls_.setText(TextBox::Text2, laidOut);
        controls_.setEnabled(CommandButton::Command3, true);
        controls_.setEnabled(CommandButton::Command6, true);
    });
}

// A clipboard that cannot be read is reported and changes neither box: going on would empty the laid-out
// result, and any edits in it, for a paste that never happened.
void Form1::Command2_Click() {
    std::u16string pasted;
    if (!reportAndStop([&] { pasted = clipboard_.text(); })) {
        return;
    }
    skipOnFailure([&] { controls_.setText(TextBox::Text1, pasted); });
    skipOnFailure([&] { controls_.setText(TextBox::Text2, u""); });
}

// The clipboard is emptied and written as one change: every change wakes the clipboard's listeners, and one
// that opened it between two would make the second fail. Text that did not reach the clipboard is reported
// and Paste stays as it was: a silent failure would leave the old contents there for the user to paste in the
// belief that they are the new.
void Form1::Command3_Click() {
    if (!reportAndStop([&] { clipboard_.setText(controls_.text(TextBox::Text2)); })) {
        return;
    }
    skipOnFailure([&] { controls_.setEnabled(CommandButton::Command2, false); });
}

void Form1::Command4_Click() {
    controls_.unload();
}

void Form1::Command5_Click() {
    reportAndStop([&] {
        controls_.setText(TextBox::Text1, u"");
        controls_.setText(TextBox::Text2, u"");
        controls_.setEnabled(CommandButton::Command2, true);
        controls_.setEnabled(CommandButton::Command3, false);
        controls_.setEnabled(CommandButton::Command6, false);
        clipboard_.clear();
    });
}

void Form1::Command6_Click() {
    reportAndStop([&] {
        const std::u16string source = controls_.text(TextBox::Text1);
        const std::u16string prefix = controls_.text(TextBox::Text3);
        const std::u16string laidOut = layout_->addStringLayout(source, prefix);
        controls_.setText(TextBox::Text2, laidOut);
        controls_.setEnabled(CommandButton::Command3, true);
        controls_.setEnabled(CommandButton::Command6, true);
    });
}

} // namespace brelvix
