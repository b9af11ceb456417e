// The window as start-up leaves it: caption, texts, buttons, focus and tab order, places and fonts.
#include "qt_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>
#include <vector>

using namespace brelvix;
using namespace brelvix::testing;

class StartStateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void startsEmptyInStartStateWithFocusInSource() {
        ShownForm window;
        QVERIFY(window.ready());
        QCOMPARE(window.form.windowTitle(), QStringLiteral("Brelvix for Access (Ver" BRELVIX_VERSION ")"));
        QVERIFY(window.text1().document()->isEmpty());
        QCOMPARE(window.text3().text(), QStringLiteral("strSQL = strSQL & \""));
        QCOMPARE(QApplication::focusWidget(), &window.text1());
        QVERIFY(window.form.windowIcon().availableSizes().contains(QSize(16, 16)));
    }

    void tabSkipsDisabledButtons_data() {
        QTest::addColumn<bool>("laidOut");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Start") << false << QStringList{"Command1", "Command2", "Command4", "Text2",
                                                       "Command5", "Text3",    "Text1"};
        QTest::newRow("Laid out") << true
                                  << QStringList{"Command1", "Command2", "Command3", "Command4", "Text2",
                                                 "Command5", "Command6", "Text3",    "Text1"};
    }

    void tabSkipsDisabledButtons() {
        QFETCH(bool, laidOut);
        QFETCH(QStringList, order);
        ShownForm window;
        QVERIFY(window.ready());
        if (laidOut) {
            window.command(1).click();
        }
        window.text1().setFocus();
        QStringList visited;
        for (qsizetype i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, order);
        QVERIFY(window.text1().document()->isEmpty()); // Tab moved the focus and typed nothing
    }

    void controlsStandAtTheirPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("Text1") << "Text1" << QRect(9, 12, 643, 103);
        QTest::newRow("Text2") << "Text2" << QRect(9, 120, 643, 340);
        QTest::newRow("Text3") << "Text3" << QRect(9, 468, 643, 18);
        QTest::newRow("Paste") << "Command2" << QRect(9, 495, 103, 25);
        QTest::newRow("Adjust") << "Command1" << QRect(117, 495, 103, 25);
        QTest::newRow("Copy") << "Command3" << QRect(225, 495, 103, 25);
        QTest::newRow("Clear") << "Command5" << QRect(333, 495, 103, 25);
        QTest::newRow("Add String") << "Command6" << QRect(441, 495, 103, 25);
        QTest::newRow("Exit") << "Command4" << QRect(549, 495, 103, 25);
    }

    void controlsStandAtTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        ShownForm window;
        QVERIFY(window.ready());
        const QWidget& control = window.control<QWidget>(name.toStdString());
        QCOMPARE(control.geometry(), place);
        QVERIFY(!control.accessibleName().isEmpty());
    }

    // Also run on a screen scaled so that the window does not fit (see CMakeLists.txt).
    void windowHasAFixedSizeAndStaysWithinReach() {
        ShownForm window;
        QVERIFY(window.ready());
        QCOMPARE(window.form.size(), QSize(661, 529));
        QCOMPARE(window.form.minimumSize(), window.form.maximumSize());
        const QRect available = window.form.screen()->availableGeometry();
        const QRect frame = window.form.frameGeometry();
        if (frame.width() <= available.width() && frame.height() <= available.height()) {
            const QPoint offCentre = window.form.geometry().center() - available.center();
            // A pixel either way: half pixels round, and the platform may nudge the window by its frame.
            QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                     "the window is off the screen's centre");
        } else {
            QVERIFY2(available.contains(frame.topLeft()), "the title bar starts beyond the screen");
            QVERIFY2(frame.left() == available.left() || frame.width() <= available.width(),
                     "needlessly off to the right");
        }
    }

    void prefixBoxTakesTextOfAnyLength() {
        ShownForm window;
        QVERIFY(window.ready());
        const QString longPrefix(100000, u'p');
        window.text3().setText(longPrefix);
        QCOMPARE(window.text3().text().size(), longPrefix.size());
    }

    void buttonsRenderInAFontWithTheFullWidthLetters() {
        ShownForm window;
        QVERIFY(window.ready());
        for (int number = 1; number <= 6; ++number) {
            // The setup script installs IPA P Gothic; unless one of the named families is really found, the
            // captions fall back to whatever font the system picks.
            const QFontInfo resolved(window.command(number).font());
            QVERIFY2(resolved.family().startsWith("IPAP") || resolved.family().contains("PGothic") ||
                         resolved.family().contains("Ｐゴシック") ||
                         resolved.family().startsWith("Noto Sans CJK"),
                     qPrintable(resolved.family()));
            // Whichever Japanese font the package brought in, the captions find it.
            QCOMPARE(window.command(number).font().families(),
                     QStringList(
                         {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "Noto Sans CJK JP", "VL PGothic"}));
            QCOMPARE(resolved.pointSizeF(), 8.25);
            QCOMPARE(resolved.weight(), QFont::Normal);
        }
    }

    void enterAndEscapeClickNoButton_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("lines");
        QTest::newRow("Return in Text1 starts a line") << "Text1" << int(Qt::Key_Return) << 2;
        QTest::newRow("Enter in Text2 starts a line") << "Text2" << int(Qt::Key_Enter) << 2;
        QTest::newRow("Return in Text3") << "Text3" << int(Qt::Key_Return) << 0;
        QTest::newRow("Escape in Text1") << "Text1" << int(Qt::Key_Escape) << 1;
        QTest::newRow("Return on Adjust") << "Command1" << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter on Add String") << "Command6" << int(Qt::Key_Enter) << 0;
        QTest::newRow("Escape on Clear") << "Command5" << int(Qt::Key_Escape) << 0;
    }

    void enterAndEscapeClickNoButton() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, lines);
        ShownForm window;
        QVERIFY(window.ready());
        window.command(1).click(); // Laid out: every button enabled
        window.text2().clear();
        std::vector<std::unique_ptr<QSignalSpy>> clicks;
        for (int number = 1; number <= 6; ++number) {
            clicks.push_back(
                std::make_unique<QSignalSpy>(&window.command(number), &QAbstractButton::clicked));
        }
        QWidget& focused = window.control<QWidget>(focus.toStdString());
        focused.setFocus();
        QTest::keyClick(&focused, Qt::Key(key));
        for (const auto& spy : clicks) {
            QCOMPARE(spy->count(), 0);
        }
        if (auto* box = qobject_cast<QPlainTextEdit*>(&focused)) {
            QCOMPARE(box->blockCount(), lines);
        }
    }

    void longLinesScrollInsteadOfWrapping() {
        ShownForm window;
        QVERIFY(window.ready());
        for (QPlainTextEdit* box : {&window.text1(), &window.text2()}) {
            box->setPlainText(QString(2000, u'x'));
            QCoreApplication::processEvents();
            QCOMPARE(box->document()->firstBlock().layout()->lineCount(), 1);
            QVERIFY(box->horizontalScrollBar()->isVisible());
            QVERIFY(box->verticalScrollBar()->isVisible());
            QVERIFY(box->horizontalScrollBar()->maximum() > 0);
        }
    }
};

QTEST_MAIN(StartStateTest)
#include "start_state_test.moc"
