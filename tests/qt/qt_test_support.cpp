// The fakes, the message-box watcher, the shown window and the hostile queries that the Qt tests share.
#include "qt_test_support.h"

#include "frontends/qt/text_box_lines.h"

#include <QApplication>
#include <QTest>

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
