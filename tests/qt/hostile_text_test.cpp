// Text a clipboard can carry that editors and layouts tend to mangle, through Paste, Adjust and Copy: every
// character but the line breaks comes back, in order. The sources are upper case, so the keywords the layout
// writes in upper case compare equal to their source; no white space stands where the layout may drop it (on
// a line of its own, or before the first keyword), and no "OR " makes Adjust repeat the blank after it.
#include "qt_test_support.h"

#include <QApplication>
#include <QTest>

using namespace brelvix::testing;

namespace {

QString withoutLineBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    text.remove(QChar::ParagraphSeparator);
    return text;
}

} // namespace

class HostileTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void everyCharacterComesBack_data() {
        QTest::addColumn<QString>("source");
        QTest::newRow("NUL") << QStringLiteral("SELECT A") + QChar(0) +
                                    QStringLiteral("B, C FROM T WHERE X = '") + QChar(0) + u'\'';
        QTest::newRow("lone surrogates") << QStringLiteral("SELECT ") + QChar(0xD800) +
                                                QStringLiteral("A, B") + QChar(0xDC00) +
                                                QStringLiteral(" FROM T") + QChar(0xDBFF);
        QTest::newRow("line and paragraph separators")
            << QStringLiteral("SELECT A") + QChar(0x2028) + QStringLiteral("B, C FROM T") +
                   QChar(QChar::ParagraphSeparator) + QStringLiteral("WHERE X");
        QTest::newRow("byte order marks") << QChar(0xFEFF) + QStringLiteral("SELECT A,") + QChar(0xFEFF) +
                                                 QStringLiteral(" B FROM T") + QChar(0xFEFF);
        QTest::newRow("no-break spaces") << QStringLiteral("SELECT") + QChar(0x00A0) + QStringLiteral("A,") +
                                                QChar(0x00A0) + QStringLiteral("B FROM") + QChar(0x00A0) +
                                                u'T';
        QTest::newRow("tabs") << QStringLiteral("SELECT\tA,\tB\tFROM\tT WHERE\tX AND\t\tY");
        QTest::newRow("emoji and Japanese") << QStringLiteral("SELECT 氏名, \U0001F600 FROM 社員");
        QTest::newRow("every line break") << QStringLiteral("SELECT A,\rB,\nC\r\nFROM T\n\rWHERE X");
        QTest::newRow("all of them in one line") << hostileQuery(1);
        // Together about 20 MB of UTF-16.
        QTest::newRow("a line of 4 MB") << veryLongLineQuery(2 * 1024 * 1024);
        QTest::newRow("16 MB of all of them") << hostileQuery(8 * 1024 * 1024);
    }

    void everyCharacterComesBack() {
        QFETCH(QString, source);
        ShownForm window;
        QVERIFY(window.ready());
        window.clipboard.contents = source;
        window.command(paste).click();
        window.command(adjust).click();
        window.command(copy).click();
        const QString back = withoutLineBreaks(window.clipboard.contents);
        const QString expected = withoutLineBreaks(source);
        QCOMPARE(back.size(), expected.size());
        // QCOMPARE would print both texts whole; the first difference says more.
        const auto [differs, _] = std::mismatch(back.cbegin(), back.cend(), expected.cbegin());
        QVERIFY2(differs == back.cend(),
                 qPrintable(QStringLiteral("first difference at code unit %1").arg(differs - back.cbegin())));
    }
};

QTEST_MAIN(HostileTextTest)
#include "hostile_text_test.moc"
