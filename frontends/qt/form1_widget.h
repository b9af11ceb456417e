// Form1 drawn with Qt Widgets: the fixed window with its nine controls, which hands each click to the
// procedures and gives them its controls through Form1Controls.
#pragma once

#include "window/form1.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
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
    void connectButtons();
    void placeOnScreen();

    QPlainTextEdit* createMultiLineBox(const QString& name, const QString& accessibleName, const QRect& place,
                                       const QColor& background);
    QLineEdit* createSingleLineBox(const QString& name, const QString& accessibleName, const QRect& place,
                                   const QColor& background);
    QPushButton* createButton(const QString& name, const QString& caption, const QString& accessibleName,
                              const QRect& place);

    void Command1_Click(); // Adjust
    void Command2_Click(); // Paste
    void Command3_Click(); // Copy
    void Command4_Click(); // Exit
    void Command5_Click(); // Clear
    void Command6_Click(); // Add String

    std::u16string text(TextBox box) const override;
    void setText(TextBox box, std::u16string_view text) override;
    void setEnabled(CommandButton button, bool enabled) override;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void reportError(std::u16string_view description) override;
    void unload() override;

    QPushButton* button(CommandButton button) const;

    Form1 procedures_;

    QPlainTextEdit* Text1 = nullptr; // source query
    QPlainTextEdit* Text2 = nullptr; // laid-out query
    QLineEdit* Text3 = nullptr;      // line prefix for Add String
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
};

} // namespace brelvix
