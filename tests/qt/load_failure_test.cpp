// A failing start-up on Qt: one real message box, the window never shown, exit status 1.
#include "qt_test_support.h"

#include "frontends/qt/run_brelvix.h"

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

    void failureIsReportedAndWindowNeverShown() {
        LoadSteps steps;
        steps.createLayout = []() -> std::unique_ptr<LayoutEngine> { throw std::runtime_error("no layout"); };
        ShowCounter showCounter;
        qApp->installEventFilter(&showCounter);
        bool loadingWhileReported = false;
        MessageBoxWatcher watcher([&] { loadingWhileReported = loadingForm() != nullptr; });

        FakeClipboard clipboard;
        const int exitStatus = runBrelvix(clipboard, steps);
        qApp->removeEventFilter(&showCounter);

        QCOMPARE(exitStatus, 1);
        QCOMPARE(showCounter.shown, 0);
        QCOMPARE(watcher.reports.size(), std::size_t{1});
        QCOMPARE(watcher.reports[0].title, QStringLiteral("Brelvix"));
        QCOMPARE(watcher.reports[0].icon, QMessageBox::Critical);
        QCOMPARE(watcher.reports[0].text, QStringLiteral("no layout"));
        QVERIFY(loadingWhileReported);
        QVERIFY(loadingForm() == nullptr); // unloaded
    }
};

QTEST_MAIN(LoadFailureTest)
#include "load_failure_test.moc"
