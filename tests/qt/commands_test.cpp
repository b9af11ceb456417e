// What the Qt window itself does with the commands: every kind of line break passes through the real text
// boxes, the wait cursor, the real message box of reportError, and the real clipboard's line breaks.
#include "qt_test_support.h"

#include "frontends/qt/system_clipboard.h"
#include "frontends/qt/text_conversion.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <string>

using namespace brelvix;
using namespace brelvix::testing;

namespace {

// Every character exactly as it stands, lone surrogates and NULs included.
QString exactly(std::u16string_view text) {
    return toQString(text);
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void everyLineBreakReachesTheLayoutAsCrLf_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("source");
        QTest::newRow("CR LF") << "SELECT a\r\nFROM t\r\n" << int(adjust) << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("CR") << "SELECT a\rFROM t\r" << int(adjust) << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("LF") << "SELECT a\nFROM t\n" << int(adjust) << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("mixed, Add String") << "SELECT a\rFROM t\nWHERE b\r\n\r\n"
                                           << int(addString) << "SELECT a\r\nFROM t\r\nWHERE b\r\n\r\n";
    }

    void everyLineBreakReachesTheLayoutAsCrLf() {
        QFETCH(QString, pasted);
        QFETCH(int, command);
        QFETCH(QString, source);

        LayoutProbe probe;
        ShownForm window(probe.loadSteps());
        QVERIFY(window.ready());
        const QString prefix = exactly(u"s = s & \u00A0\"");
        window.text3().setText(prefix);
        window.clipboard.contents = pasted;
        window.command(paste).click();
        window.command(adjust).click(); // Add String needs a layout first
        window.command(CommandButton(command)).click();

        QCOMPARE(exactly(probe.source), source);
        if (CommandButton(command) == addString) {
            QCOMPARE(exactly(probe.prefix), prefix);
        }
    }

    void waitCursorStandsOnlyWhileACommandRuns() {
        LayoutProbe probe;
        ShownForm window(probe.loadSteps());
        QVERIFY(window.ready());
        Qt::CursorShape whileRunning = Qt::ArrowCursor;
        probe.whileRunning = [&] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            whileRunning = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
        };
        window.command(adjust).click();
        QCOMPARE(whileRunning, Qt::WaitCursor);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void reportErrorShowsTheDescriptionAsWrittenInACriticalBox() {
        LayoutProbe probe;
        ShownForm window(probe.loadSteps());
        QVERIFY(window.ready());
        probe.failure = LayoutProbe::Failure::Standard;
        probe.description = "<b>no</b> memory &amp; <i>more</i>";
        QCursor* cursorWhileReported = nullptr;
        MessageBoxWatcher watcher([&] { cursorWhileReported = QGuiApplication::overrideCursor(); });

        window.command(adjust).click();

        QCOMPARE(watcher.reports.size(), std::size_t{1});
        const MessageBoxWatcher::Report& report = watcher.reports[0];
        QCOMPARE(report.title, toQString(form1Design.messageBoxTitle));
        QCOMPARE(report.text, QStringLiteral("<b>no</b> memory &amp; <i>more</i>"));
        QCOMPARE(report.icon, QMessageBox::Critical);
        QCOMPARE(report.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(report.textFormat, Qt::PlainText);
        QVERIFY(cursorWhileReported != nullptr && cursorWhileReported->shape() == Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // the wait cursor has gone
    }

    void systemClipboardHandsOnLineFeeds() {
        SystemClipboard clipboard;
        clipboard.setText(u"SELECT\r\n a\r\nFROM t\n");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("SELECT\n a\nFROM t\n"));
        QCOMPARE(exactly(clipboard.text()), QStringLiteral("SELECT\n a\nFROM t\n"));
        clipboard.clear();
        QVERIFY(clipboard.text().empty());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
