// Form1: the program's one window, with its nine controls and the procedures behind its six buttons.
#pragma once

#include "window/app_version.h"
#include "window/clipboard.h"
#include "window/layout_engine.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace brelvix {

// The steps of start-up that reach outside the window; tests replace them to make a load step fail.
struct LoadSteps {
    std::function<AppVersion()> readVersion = applicationVersion;
    std::function<std::unique_ptr<LayoutEngine>()> createLayout = createQueryLayout;
};

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(Clipboard& clipboard, LoadSteps loadSteps = {});

    // Runs once, after construction and before the window is first shown. Returns false when a step has
    // failed: the failure has then been reported, and the window must be dropped without being shown.
    [[nodiscard]] bool Form_Load();

private:
    void createTextBoxes();
    void createButtons();
    void arrangeTabOrder();
    void connectButtons();
    void centreOnScreen();

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

    Clipboard& clipboard_;
    LoadSteps loadSteps_;
    std::unique_ptr<LayoutEngine> layout_; // created by Form_Load, kept for the window's life

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
