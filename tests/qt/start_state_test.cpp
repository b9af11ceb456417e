// The window as start-up leaves it, against Form1's design: caption, texts, places, colours, fonts and
// accessible names; and its keys and focus, played from the keyboard rules that the Win32 window keeps too.
#include "qt_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <memory>

using namespace brelvix;
using namespace brelvix::testing;

class StartStateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void startsEmptyWithTheVersionInTheCaption() {
        ShownForm window;
        QVERIFY(window.ready());
        QCOMPARE(window.form.windowTitle(),
                 toQString(form1Design.title) + QStringLiteral("(Ver" BRELVIX_VERSION ")"));
        QVERIFY(window.text1().document()->isEmpty());
        QCOMPARE(window.text3().text(), toQString(designOf(TextBox::Text3).text));
        QVERIFY(window.form.windowIcon().availableSizes().contains(QSize(16, 16)));
    }

    void keysAndFocusKeepTheRules() {
        const std::string mismatches = keyboardRuleMismatches([]() -> std::unique_ptr<KeyboardHarness> {
            auto window = std::make_unique<ShownForm>();
            return window->ready() ? std::move(window) : nullptr;
        });
        QVERIFY2(mismatches.empty(), mismatches.c_str());
    }

    // Where a user finds each control in Qt's pixels, whatever the scale: also run on a screen scaled by 1.5,
    // as at 144 DPI (see CMakeLists.txt), where Qt scales the places itself.
    void controlsFollowTheDesign() {
        ShownForm window;
        QVERIFY(window.ready());
        const std::pair<TabStop, QRect> places[] = {
            {TextBox::Text1, {9, 12, 643, 103}}, {TextBox::Text2, {9, 120, 643, 340}},
            {TextBox::Text3, {9, 468, 643, 18}}, {paste, {9, 495, 103, 25}},
            {adjust, {117, 495, 103, 25}},       {copy, {225, 495, 103, 25}},
            {clear, {333, 495, 103, 25}},        {addString, {441, 495, 103, 25}},
            {exitButton, {549, 495, 103, 25}},
        };
        for (const auto& [control, place] : places) {
            QCOMPARE(window.control(control).geometry(), place);
        }
        const auto colour = [](const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
        for (const BoxDesign& design : form1Design.boxes) {
            const QWidget& box = window.control(design.box);
            QCOMPARE(box.accessibleName(), toQString(design.accessibleName));
            QCOMPARE(box.palette().color(QPalette::Base), colour(design.background));
            QCOMPARE(box.palette().color(QPalette::Text), colour(design.textColour));
        }
        for (const ButtonDesign& design : form1Design.buttons) {
            QCOMPARE(window.command(design.button).accessibleName(), toQString(design.accessibleName));
        }
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
        const FontDesign& design = form1Design.buttonFont;
        QStringList families;
        for (const std::u16string_view family : design.families) {
            families << toQString(family);
        }
        for (const ButtonDesign& button : form1Design.buttons) {
            QCOMPARE(window.command(button.button).font().families(), families);
            // The setup script installs IPA P Gothic: one of the named families is really found, rather than
            // whatever font the system would fall back to, which may lack the full-width letters.
            const QFontInfo resolved(window.command(button.button).font());
            QVERIFY2(std::any_of(families.begin(), families.end(),
                                 [&](const QString& family) { return resolved.family().startsWith(family); }),
                     qPrintable(resolved.family()));
            QCOMPARE(resolved.pointSizeF(), design.pointSize);
            QCOMPARE(resolved.weight(), design.weight);
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
