// The window as start-up leaves it, against Form1's design: caption, texts, buttons, focus and tab order,
// places, colours, fonts and accessible names.
#include "qt_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
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
        QCOMPARE(window.form.windowTitle(),
                 toQString(form1Design.title) + QStringLiteral("(Ver" BRELVIX_VERSION ")"));
        QVERIFY(window.text1().document()->isEmpty());
        QCOMPARE(window.text3().text(), toQString(designOf(TextBox::Text3).text));
        QCOMPARE(QApplication::focusWidget(), &window.text1());
        QVERIFY(window.form.windowIcon().availableSizes().contains(QSize(16, 16)));
    }

    void tabSkipsDisabledButtons_data() {
        QTest::addColumn<bool>("laidOut");
        QTest::newRow("Start") << false;
        QTest::newRow("Laid out") << true;
    }

    void tabSkipsDisabledButtons() {
        QFETCH(bool, laidOut);
        ShownForm window;
        QVERIFY(window.ready());
        if (laidOut) {
            window.command(1).click();
        }
        // The design's order from the second stop round to the first, passing over disabled buttons.
        QStringList order;
        for (std::size_t i = 1; i <= form1Design.tabOrder.size(); ++i) {
            const QWidget& stop = window.control(form1Design.tabOrder[i % form1Design.tabOrder.size()]);
            if (stop.isEnabled()) {
                order << stop.objectName();
            }
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

    // Also run on a screen scaled by 1.5, as at 144 DPI (see CMakeLists.txt): Qt scales the places itself.
    void controlsFollowTheDesign() {
        ShownForm window;
        QVERIFY(window.ready());
        const auto place = [](const TwipsRect& twips) {
            const auto pixels = [](int length) { return twipsToPixels(length, 96); };
            return QRect(pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height));
        };
        const auto colour = [](const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
        for (const BoxDesign& design : form1Design.boxes) {
            const QWidget& box = window.control(design.box);
            QCOMPARE(box.objectName(), toQString(design.name));
            QCOMPARE(box.geometry(), place(design.place));
            QCOMPARE(box.accessibleName(), toQString(design.accessibleName));
            QCOMPARE(box.palette().color(QPalette::Base), colour(design.background));
            QCOMPARE(box.palette().color(QPalette::Text), colour(design.textColour));
        }
        for (const ButtonDesign& design : form1Design.buttons) {
            const QPushButton& button = window.command(static_cast<int>(design.button));
            QCOMPARE(button.objectName(), toQString(design.name));
            QCOMPARE(button.geometry(), place(design.place));
            QCOMPARE(button.accessibleName(), toQString(design.accessibleName));
            QCOMPARE(button.text(), toQString(design.caption));
        }
    }

    // Also run on a screen scaled so that the window does not fit (see CMakeLists.txt).
    void windowHasAFixedSizeAndStaysWithinReach() {
        ShownForm window;
        QVERIFY(window.ready());
        QCOMPARE(window.form.size(), QSize(twipsToPixels(form1Design.clientWidth, 96),
                                           twipsToPixels(form1Design.clientHeight, 96)));
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
        const FontDesign& design = form1Design.buttonFont;
        QStringList families;
        for (const std::u16string_view family : design.families) {
            families << toQString(family);
        }
        for (int number = 1; number <= 6; ++number) {
            QCOMPARE(window.command(number).font().families(), families);
            // The setup script installs IPA P Gothic: one of the named families is really found, rather than
            // whatever font the system would fall back to, which may lack the full-width letters.
            const QFontInfo resolved(window.command(number).font());
            QVERIFY2(std::any_of(families.begin(), families.end(),
                                 [&](const QString& family) { return resolved.family().startsWith(family); }),
                     qPrintable(resolved.family()));
            QCOMPARE(resolved.pointSizeF(), design.pointSize);
            QCOMPARE(resolved.weight(), design.weight);
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
