// The six commands: every transition between Start, Laid out and Copied by click and by access key, the
// two failure styles, and the text that passes between clipboard, boxes and layouts unchanged.
#include "window_test_support.h"

#include "window/text_box_lines.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <string>

using namespace brelvix;
using namespace brelvix::testing;

Q_DECLARE_METATYPE(brelvix::testing::LayoutProbe::Failure)

namespace {

constexpr int adjust = 1;
constexpr int paste = 2;
constexpr int copy = 3;
constexpr int exitProgram = 4;
constexpr int clear = 5;
constexpr int addString = 6;

// The access key of each button, by button number; index 0 is unused.
constexpr std::array<Qt::Key, 7> accessKeys{Qt::Key_unknown, Qt::Key_A, Qt::Key_V, Qt::Key_C,
                                            Qt::Key_X,       Qt::Key_E, Qt::Key_S};

// Every character exactly as it stands, lone surrogates and NULs included.
QString exactly(std::u16string_view text) {
    return toQString(text);
}

// Brings a freshly started window into `state` by the commands a user would use.
void enterState(ShownForm& window, const QString& state) {
    if (state != QStringLiteral("Start")) {
        window.command(adjust).click();
    }
    if (state == QStringLiteral("Copied")) {
        window.command(copy).click();
    }
}

void verifyReport(const MessageBoxWatcher::Report& report, const QString& description) {
    QCOMPARE(report.title, QStringLiteral("Brelvix"));
    QCOMPARE(report.text, description);
    QCOMPARE(report.icon, QMessageBox::Critical);
    QCOMPARE(report.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(report.textFormat, Qt::PlainText);
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void everyTransition_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("byAccessKey");
        QTest::addColumn<QString>("to"); // "-" when the button is disabled, "ended" when the window closes

        struct Row {
            const char* from;
            std::array<const char*, 7> to; // by button number
        };
        const Row table[] = {
            {"Start", {"", "Laid out", "Start", "-", "ended", "Start", "-"}},
            {"Laid out", {"", "Laid out", "Laid out", "Copied", "ended", "Start", "Laid out"}},
            {"Copied", {"", "Copied", "-", "Copied", "ended", "Start", "Copied"}},
        };
        const char* const names[] = {"", "Adjust", "Paste", "Copy", "Exit", "Clear", "Add String"};
        for (const Row& row : table) {
            for (int command = 1; command <= 6; ++command) {
                for (const bool byAccessKey : {false, true}) {
                    QTest::addRow("%s: %s by %s", row.from, names[command], byAccessKey ? "key" : "click")
                        << row.from << command << byAccessKey << row.to[command];
                }
            }
        }
    }

    void everyTransition() {
        QFETCH(QString, from);
        QFETCH(int, command);
        QFETCH(bool, byAccessKey);
        QFETCH(QString, to);

        ShownForm window;
        QVERIFY(window.ready());
        window.text1().setPlainText(QStringLiteral("SELECT a FROM t"));
        enterState(window, from);
        QCOMPARE(stateOf(window), from);
        // Contents that any command that runs would change.
        window.text1().setPlainText(QStringLiteral("SELECT b FROM u"));
        window.text2().setPlainText(QStringLiteral("edited"));
        window.clipboard.contents = QStringLiteral("on the clipboard");
        window.text1().setFocus();

        QPushButton& button = window.command(command);
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        if (byAccessKey) {
            QTest::keyClick(QApplication::focusWidget(), accessKeys[command], Qt::AltModifier);
        } else {
            QTest::mouseClick(&button, Qt::LeftButton);
        }

        if (to == QStringLiteral("-")) {
            QVERIFY(!button.isDown()); // no click is on its way either
            QCOMPARE(clicked.count(), 0);
            QCOMPARE(stateOf(window), from);
            QCOMPARE(window.text1().toPlainText(), QStringLiteral("SELECT b FROM u"));
            QCOMPARE(window.text2().toPlainText(), QStringLiteral("edited"));
            QCOMPARE(window.clipboard.contents, QStringLiteral("on the clipboard"));
            return;
        }
        QTRY_COMPARE(clicked.count(), 1); // an access key clicks after a short visible press
        if (to == QStringLiteral("ended")) {
            QVERIFY(!window.form.isVisible());
        } else {
            QVERIFY(window.form.isVisible());
            QCOMPARE(stateOf(window), to);
        }
    }

    void pasteAndCopySkipFailuresSilently_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("failRead");
        QTest::addColumn<bool>("failClear");
        QTest::addColumn<bool>("failWrite");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("state");

        QTest::newRow("paste, all well") << paste << false << false << false << "old clip"
                                         << "old clip"
                                         << "Laid out";
        QTest::newRow("paste, unreadable") << paste << true << false << false << "SELECT a"
                                           << "old clip"
                                           << "Laid out";
        QTest::newRow("copy, all well") << copy << false << false << false << "SELECT a"
                                        << "edited\nresult"
                                        << "Copied";
        QTest::newRow("copy, cannot empty") << copy << false << true << false << "SELECT a"
                                            << "edited\nresult"
                                            << "Copied";
        QTest::newRow("copy, cannot write") << copy << false << false << true << "SELECT a"
                                            << ""
                                            << "Copied";
        QTest::newRow("copy, neither") << copy << false << true << true << "SELECT a"
                                       << "old clip"
                                       << "Copied";
    }

    void pasteAndCopySkipFailuresSilently() {
        QFETCH(int, command);
        QFETCH(bool, failRead);
        QFETCH(bool, failClear);
        QFETCH(bool, failWrite);
        QFETCH(QString, text1);
        QFETCH(QString, clipboard);
        QFETCH(QString, state);

        ShownForm window;
        QVERIFY(window.ready());
        window.text1().setPlainText(QStringLiteral("SELECT a"));
        enterState(window, QStringLiteral("Laid out"));
        window.text2().setPlainText(QStringLiteral("edited\r\nresult")); // the user's own edit
        window.clipboard.contents = QStringLiteral("old clip");
        window.clipboard.failRead = failRead;
        window.clipboard.failClear = failClear;
        window.clipboard.failWrite = failWrite;

        MessageBoxWatcher watcher;
        window.command(command).click();

        QCOMPARE(watcher.reports.size(), std::size_t{0});
        QCOMPARE(window.text1().toPlainText(), text1);
        QCOMPARE(window.clipboard.contents, clipboard);
        QCOMPARE(stateOf(window), state);
        if (command == paste) {
            QVERIFY(window.text2().document()->isEmpty());
        }
    }

    void clearReportsAfterEmptyingBoxesAndResettingButtons() {
        ShownForm window;
        QVERIFY(window.ready());
        window.text1().setPlainText(QStringLiteral("SELECT a"));
        enterState(window, QStringLiteral("Copied"));
        window.clipboard.contents = QStringLiteral("kept by its owner");
        window.clipboard.failClear = true;

        bool boxesEmptyWhileReported = false;
        QString stateWhileReported;
        MessageBoxWatcher watcher([&] {
            boxesEmptyWhileReported =
                window.text1().document()->isEmpty() && window.text2().document()->isEmpty();
            stateWhileReported = stateOf(window);
        });
        window.command(clear).click();

        QCOMPARE(watcher.reports.size(), std::size_t{1});
        verifyReport(watcher.reports[0], QStringLiteral("the clipboard is held by another program"));
        QVERIFY(boxesEmptyWhileReported);
        QCOMPARE(stateWhileReported, QStringLiteral("Start"));
        QCOMPARE(window.text3().text(), QStringLiteral("strSQL = strSQL & \""));
        QCOMPARE(window.clipboard.contents, QStringLiteral("kept by its owner"));
        QVERIFY(window.form.isVisible());
    }

    void failingLayoutLeavesResultAndButtonsAsTheyWere_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("from");
        QTest::addColumn<LayoutProbe::Failure>("failure");
        QTest::addColumn<QString>("description");

        const auto standard = LayoutProbe::Failure::StdException;
        const auto other = LayoutProbe::Failure::Other;
        QTest::newRow("Adjust from Start") << adjust << "Start" << standard << "the layout failed";
        QTest::newRow("Adjust from Copied") << adjust << "Copied" << standard << "the layout failed";
        QTest::newRow("Add String from Laid out")
            << addString << "Laid out" << standard << "the layout failed";
        QTest::newRow("Add String from Copied") << addString << "Copied" << standard << "the layout failed";
        QTest::newRow("not a std::exception")
            << adjust << "Laid out" << other << "An unknown failure occurred.";
        QTest::newRow("description looking like markup")
            << addString << "Laid out" << standard << "<b>no</b> memory &amp; <i>more</i>";
    }

    void failingLayoutLeavesResultAndButtonsAsTheyWere() {
        QFETCH(int, command);
        QFETCH(QString, from);
        QFETCH(LayoutProbe::Failure, failure);
        QFETCH(QString, description);

        LayoutProbe probe;
        LoadSteps steps;
        steps.createLayout = [&probe] { return probeLayout(probe); };
        ShownForm window(steps);
        QVERIFY(window.ready());
        enterState(window, from);
        window.text2().setPlainText(QStringLiteral("the earlier result"));
        probe.failure = failure;
        probe.description = description.toStdString();

        MessageBoxWatcher watcher;
        window.command(command).click();

        QCOMPARE(watcher.reports.size(), std::size_t{1});
        verifyReport(watcher.reports[0], description);
        QCOMPARE(window.text2().toPlainText(), QStringLiteral("the earlier result"));
        QCOMPARE(stateOf(window), from);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // the wait cursor has gone
    }

    void everyPastedLineBreakReachesTheLayoutAsCrLf_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("source");
        QTest::newRow("CR LF") << "SELECT a\r\nFROM t\r\n" << adjust << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("CR") << "SELECT a\rFROM t\r" << adjust << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("LF") << "SELECT a\nFROM t\n" << adjust << "SELECT a\r\nFROM t\r\n";
        QTest::newRow("mixed, Add String") << "SELECT a\rFROM t\nWHERE b\r\n\r\n"
                                           << addString << "SELECT a\r\nFROM t\r\nWHERE b\r\n\r\n";
    }

    void everyPastedLineBreakReachesTheLayoutAsCrLf() {
        QFETCH(QString, pasted);
        QFETCH(int, command);
        QFETCH(QString, source);

        LayoutProbe probe;
        LoadSteps steps;
        steps.createLayout = [&probe] { return probeLayout(probe); };
        ShownForm window(steps);
        QVERIFY(window.ready());
        const QString prefix = exactly(u"s = s & \u00A0\"");
        window.text3().setText(prefix);
        window.clipboard.contents = pasted;
        window.command(paste).click();
        window.command(adjust).click(); // Add String needs a layout first
        window.command(command).click();

        QCOMPARE(exactly(probe.source), source);
        if (command == addString) {
            QCOMPARE(exactly(probe.prefix), prefix);
        }
    }

    void charactersSurvivePasteAdjustCopy_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("copied");
        QTest::newRow("no-break space")
            << exactly(u"SELECT a\u00A0b FROM t") << exactly(u"SELECT\n a\u00A0b \nFROM\n t");
        QTest::newRow("tab") << exactly(u"SELECT a\tb FROM t") << exactly(u"SELECT\n a\tb \nFROM\n t");
        QTest::newRow("emoji") << exactly(u"SELECT \U0001F600 FROM t")
                               << exactly(u"SELECT\n \U0001F600 \nFROM\n t");
        QTest::newRow("Japanese") << exactly(u"SELECT 氏名 FROM 社員")
                                  << exactly(u"SELECT\n 氏名 \nFROM\n 社員");
        QTest::newRow("line separator")
            << exactly(u"SELECT a\u2028b FROM t") << exactly(u"SELECT\n a\u2028b \nFROM\n t");
        QTest::newRow("lone surrogate")
            << exactly(u"SELECT a\xD800 FROM t") << exactly(u"SELECT\n a\xD800 \nFROM\n t");
        QTest::newRow("NUL") << exactly(std::u16string_view(u"SELECT a\0b FROM t", 17))
                             << exactly(std::u16string_view(u"SELECT\n a\0b \nFROM\n t", 20));
    }

    void charactersSurvivePasteAdjustCopy() {
        QFETCH(QString, pasted);
        QFETCH(QString, copied);
        ShownForm window;
        QVERIFY(window.ready());
        window.clipboard.contents = pasted;
        window.command(paste).click();
        window.command(adjust).click();
        window.command(copy).click();
        QCOMPARE(window.clipboard.contents, copied);
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
