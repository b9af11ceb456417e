// Form1's controls as its procedures see them, whatever toolkit draws them: three text boxes, six buttons,
// the caption, the failure report and the unloading of the window.
#pragma once

#include <string>
#include <string_view>

namespace brelvix {

enum class TextBox {
    Text1, // the source query
    Text2, // the laid-out query
    Text3, // the line prefix of Add String
};

enum class CommandButton {
    Command1 = 1, // Adjust
    Command2,     // Paste
    Command3,     // Copy
    Command4,     // Exit
    Command5,     // Clear
    Command6,     // Add String
};

// Every operation may throw; the procedures meet the failure with their own failure style.
class Form1Controls {
public:
    virtual ~Form1Controls() = default;

    // The box's whole text in UTF-16, every line break in it written as CR LF.
    virtual std::u16string text(TextBox box) const = 0;
    // Replaces the box's whole text.
    virtual void setText(TextBox box, std::u16string_view text) = 0;
    virtual void setEnabled(CommandButton button, bool enabled) = 0;
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;
    // Shows `description` in a modal box with the critical icon, a single OK button and the title
    // "Brelvix", and returns once the user has closed it.
    virtual void reportError(std::u16string_view description) = 0;
    // Closes the window for good; the program ends with it.
    virtual void unload() = 0;
};

} // namespace brelvix
