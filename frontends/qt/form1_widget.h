// Form1 drawn with Qt Widgets: the fixed window built from Form1's design, which hands each click to the
// procedures and gives them its controls through Form1Controls.
#pragma once

#include "window/form1.h"
#include "window/form1_design.h"

#include <QWidget>

#include <array>

class QPushButton;

namespace brelvix {

class Form1Widget : public QWidget, private Form1Controls {
    Q_OBJECT

public:
    explicit Form1Widget(Clipboard& clipboard, LoadSteps loadSteps = {});
    // The procedures' setEnabled of a button would otherwise hide the widget's own.
    using QWidget::setEnabled;

    // Runs Form_Load; false when it failed, in which case the failure has been reported and the window
    // must be dropped without being shown.
    [[nodiscard]] bool load();

private:
    void createTextBoxes();
    void createButtons();
    void arrangeTabOrder();
    void placeOnScreen();

    // Runs the procedure of `button` under the wait cursor: the one place a click reaches the procedures.
    void dispatchClick(CommandButton button);

    std::u16string text(TextBox box) const override;
    void setText(TextBox box, std::u16string_view text) override;
    void setEnabled(CommandButton button, bool enabled) override;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void reportError(std::u16string_view description) override;
    void unload() override;

    QWidget* control(TabStop stop) const;

    Form1 procedures_;
    // Text1 and Text2 are QPlainTextEdit, Text3 a QLineEdit.
    std::array<QWidget*, 3> boxes_{};
    std::array<QPushButton*, 6> buttons_{};
};

} // namespace brelvix
