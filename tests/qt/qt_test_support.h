// What the Qt window's tests share: a clipboard, a watcher that notes and closes message boxes, a loaded,
// shown window whose controls are found by name and which the keyboard rules drive, and hostile queries; the
// probing layout is the procedures'.
#pragma once

#include "frontends/qt/form1_widget.h"
#include "frontends/qt/text_conversion.h"
#include "tests/window/button_names.h"
#include "tests/window/keyboard_rules.h"
#include "tests/window/probe_layout.h"
#include "window/form1_design.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace brelvix::testing {

// Holds the text exactly as the procedures hand it over.
class FakeClipboard final : public Clipboard {
public:
    std::u16string text() override;
    void clear() override;
    void setText(std::u16string_view text) override;

    QString contents;
};

// Notes every message box that opens while it lives and closes it with its OK button (or, lacking one,
// rejects it), so that a procedure that reports a failure runs on to its end.
class MessageBoxWatcher final : public QObject {
public:
    struct Report {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        Qt::TextFormat textFormat;
    };

    // `whileOpen` runs while each box is still open, to look at the window at that moment.
    explicit MessageBoxWatcher(std::function<void()> whileOpen = {});

    std::vector<Report> reports;

private:
    void closeOpenBox();

    std::function<void()> whileOpen_;
    QTimer poll_;
};

// A window loaded as at start-up and shown, on a fake clipboard; the keyboard rules drive it with Qt Test's
// key clicks.
class ShownForm final : public KeyboardHarness {
public:
    explicit ShownForm(LoadSteps loadSteps = {});

    // Whether Form_Load succeeded and the window became active; check it before anything else.
    bool ready() const { return ready_; }

    QPlainTextEdit& text1() const { return control<QPlainTextEdit>(u"Text1"); }
    QPlainTextEdit& text2() const { return control<QPlainTextEdit>(u"Text2"); }
    QLineEdit& text3() const { return control<QLineEdit>(u"Text3"); }
    QPushButton& command(CommandButton button) const { return control<QPushButton>(designOf(button).name); }

    QWidget& control(TabStop stop) const {
        return control<QWidget>(std::visit([](auto id) { return designOf(id).name; }, stop));
    }

    template <typename Control>
    Control& control(std::u16string_view name) const {
        auto* found = form.findChild<Control*>(toQString(name));
        if (found == nullptr) {
            qFatal("the window has no control named %s", qPrintable(toQString(name)));
        }
        return *found;
    }

    void click(CommandButton button) override { command(button).click(); }
    void setText(TextBox box, std::u16string_view text) override;
    void setClipboardText(std::u16string_view text) override { clipboard.contents = toQString(text); }
    void setFocus(Focus focus) override;
    void press(KeyPress key) override;
    Focus focus() const override;
    bool closed() const override { return !form.isVisible(); }
    bool enabled(CommandButton button) const override { return command(button).isEnabled(); }
    std::u16string text(TextBox box) const override;
    std::u16string selectedText(TextBox box) const override;
    Cues cues() const override;

    FakeClipboard clipboard;
    Form1Widget form;

private:
    // Text1 and Text2; null for the one-line Text3.
    QPlainTextEdit* lines(TextBox box) const;

    bool ready_ = false;
};

// A query of upper-case SQL that holds every character a clipboard can carry and editors tend to mangle
// (NUL, lone surrogates, U+2028, U+2029, U+FEFF, no-break spaces, tabs, CR, LF and CR LF), `size` code
// units long or a line longer; no white space stands on a line of its own, and no "OR " is in it.
QString hostileQuery(qsizetype size);

// A query with one literal of `size` code units, hostile characters and no keyword in it: far longer than
// the layout's search reaches.
QString veryLongLineQuery(qsizetype size);

} // namespace brelvix::testing
