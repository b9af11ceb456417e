// A failing start-up: one report, the window never shown, exit status 1, and the steps before the failure
// done while those after it are not.
#include "window_test_support.h"

#include "window/run_brelvix.h"

#include <QApplication>
#include <QTest>

#include <stdexcept>

using namespace brelvix;
using namespace brelvix::testing;

namespace {

// Counts how often a window named Form1 is shown.
class ShowCounter final : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QStringLiteral("Form1")) {
            ++shown;
        }
        return QObject::eventFilter(watched, event);
    }
};

QWidget* loadingForm() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("Form1")) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace

class LoadFailureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void failureIsReportedAndWindowNeverShown_data() {
        QTest::addColumn<bool>("versionFails");
        QTest::addColumn<QString>("captionWhileReported");
        QTest::addColumn<bool>("copyEnabledWhileReported");
        QTest::newRow("reading the version") << true << "Brelvix for Access " << true;
        QTest::newRow("creating the layout") << false << "Brelvix for Access (Ver1.1.0)" << false;
    }

    void failureIsReportedAndWindowNeverShown() {
        QFETCH(bool, versionFails);
        QFETCH(QString, captionWhileReported);
        QFETCH(bool, copyEnabledWhileReported);

        LoadSteps steps;
        if (versionFails) {
            steps.readVersion = []() -> AppVersion { throw std::runtime_error("no version data"); };
        } else {
            steps.createLayout = []() -> std::unique_ptr<LayoutEngine> { throw std::bad_alloc(); };
        }
        ShowCounter showCounter;
        qApp->installEventFilter(&showCounter);
        QString caption;
        bool copyEnabled = false;
        MessageBoxWatcher watcher([&] {
            QWidget* form = loadingForm();
            QVERIFY(form != nullptr);
            caption = form->windowTitle();
            copyEnabled = form->findChild<QWidget*>(QStringLiteral("Command3"))->isEnabled();
        });

        FakeClipboard clipboard;
        const int exitStatus = runBrelvix(clipboard, steps);
        qApp->removeEventFilter(&showCounter);

        QCOMPARE(exitStatus, 1);
        QCOMPARE(showCounter.shown, 0);
        QCOMPARE(watcher.reports.size(), std::size_t{1});
        QCOMPARE(watcher.reports[0].title, QStringLiteral("Brelvix"));
        QCOMPARE(watcher.reports[0].icon, QMessageBox::Critical);
        QCOMPARE(watcher.reports[0].text, versionFails ? QStringLiteral("no version data")
                                                       : QString::fromUtf8(std::bad_alloc().what()));
        QCOMPARE(caption, captionWhileReported);
        QCOMPARE(copyEnabled, copyEnabledWhileReported);
        QVERIFY(loadingForm() == nullptr); // unloaded
    }
};

QTEST_MAIN(LoadFailureTest)
#include "load_failure_test.moc"
