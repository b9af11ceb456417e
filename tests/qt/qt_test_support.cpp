// The fakes, the message-box watcher, the shown window as the keyboard rules drive it, and the hostile
// queries that the Qt tests share.
#include "qt_test_support.h"

#include "frontends/qt/text_box_lines.h"
#include "frontends/qt/text_conversion.h"

#include <QApplication>
#include <QStyle>
#include <QTest>

#include <algorithm>

#include <stdexcept>
#include <utility>

namespace brelvix::testing {

std::u16string FakeClipboard::text() {
    return toU16String(contents);
}

void FakeClipboard::clear() {
    contents.clear();
}

void FakeClipboard::setText(std::u16string_view text) {
    contents = toQString(text);
}

MessageBoxWatcher::MessageBoxWatcher(std::function<void()> whileOpen)
    : whileOpen_(std::move(whileOpen)) {
    connect(&poll_, &QTimer::timeout, this, &MessageBoxWatcher::closeOpenBox);
    poll_.start(5);
}

void MessageBoxWatcher::closeOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    reports.push_back(
        {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()});
    if (whileOpen_) {
        whileOpen_();
    }
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else {
        box->reject();
    }
}

ShownForm::ShownForm(LoadSteps loadSteps)
    : form(clipboard, std::move(loadSteps)) {
    if (!form.load()) {
        return;
    }
    form.show();
    ready_ = QTest::qWaitForWindowActive(&form);
}

QPlainTextEdit* ShownForm::lines(TextBox box) const {
    return box == TextBox::Text3 ? nullptr : &(box == TextBox::Text1 ? text1() : text2());
}

void ShownForm::setText(TextBox box, std::u16string_view text) {
    if (QPlainTextEdit* edit = lines(box)) {
        edit->setPlainText(toQString(text));
    } else {
        text3().setText(toQString(text));
    }
}

void ShownForm::setFocus(Focus focus) {
    QWidget& widget = focus ? control(*focus) : form;
    widget.setFocus();
    if (QPlainTextEdit* edit = qobject_cast<QPlainTextEdit*>(&widget)) {
        edit->moveCursor(QTextCursor::End);
    } else if (&widget == &text3()) {
        text3().end(false);
    }
}

void ShownForm::press(KeyPress key) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &form;
    const Qt::KeyboardModifiers modifiers = key.key == Key::ShiftTab    ? Qt::ShiftModifier
                                            : key.key == Key::AltLetter ? Qt::AltModifier
                                            : key.key == Key::CtrlLetter || key.key == Key::CtrlBackspace
                                                ? Qt::ControlModifier
                                                : Qt::NoModifier;
    static constexpr Qt::Key keys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Return,
                                       Qt::Key_Escape, Qt::Key_Space,   Qt::Key_Backspace};
    if (key.key >= Key::Letter && !QChar(key.letter).isPrint()) {
        // A control character comes from no key of its own, as Alt with the number pad types it.
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(QChar(key.letter)), modifiers);
    } else if (key.key >= Key::Letter) {
        QTest::keyClick(target, key.letter, modifiers);
    } else {
        QTest::keyClick(target, keys[static_cast<int>(key.key)], modifiers);
    }
    // An access key clicks only after a short visible press.
    if (!QTest::qWaitFor([this] {
            return std::ranges::none_of(form.findChildren<QPushButton*>(), &QPushButton::isDown);
        })) {
        throw std::runtime_error("a button stays pressed");
    }
}

Cues ShownForm::cues() const {
    // Qt draws the focus wherever it is, and underlines access keys as its style says, from the start.
    return {.focus = true, .accessKeys = form.style()->styleHint(QStyle::SH_UnderlineShortcut) != 0};
}

Focus ShownForm::focus() const {
    for (const TabStop& stop : form1Design.tabOrder) {
        if (&control(stop) == QApplication::focusWidget()) {
            return stop;
        }
    }
    return std::nullopt;
}

std::u16string ShownForm::text(TextBox box) const {
    const QPlainTextEdit* edit = lines(box);
    return toU16String(edit != nullptr ? boxLines(*edit, u"\r\n") : text3().text());
}

std::u16string ShownForm::selectedText(TextBox box) const {
    const QPlainTextEdit* edit = lines(box);
    return toU16String(edit != nullptr ? edit->textCursor().selectedText() : text3().selectedText());
}

namespace {

QString repeatedTo(const QString& piece, qsizetype size) {
    QString text;
    text.reserve(size + piece.size());
    do {
        text += piece;
    } while (text.size() < size);
    return text;
}

} // namespace

QString hostileQuery(qsizetype size) {
    // Every hostile character at least once, between keywords, in a line of about 120 code units.
    const QString line = QStringLiteral("SELECT\tA") + QChar(0) + QStringLiteral("B,") + QChar(0x00A0) +
                         QStringLiteral("C") + QChar(0xD800) + QStringLiteral(" FROM [T") + QChar(0x2028) +
                         QStringLiteral("X] WHERE D = 'E") + QChar(0xFEFF) + QStringLiteral("' AND F") +
                         QChar(0xDC00) + QStringLiteral(" <> 1\r\nAND G = 2") + QChar(0x2029) +
                         QStringLiteral("UNION SELECT H,\rI,\nJ FROM U") + QChar(0x00A0) +
                         QStringLiteral("ORDER BY K;\r\n");
    return repeatedTo(line, size);
}

QString veryLongLineQuery(qsizetype size) {
    const QString piece =
        QStringLiteral("X") + QChar(0) + QChar(0x00A0) + QChar(0xFEFF) + QChar(0xDBFF) + u'\t';
    return QStringLiteral("SELECT A FROM T WHERE B = '") + repeatedTo(piece, size) +
           QStringLiteral("' AND C = 1");
}

} // namespace brelvix::testing
