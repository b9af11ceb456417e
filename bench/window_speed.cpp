// Times Paste, Adjust, Add String and Copy on an 8 MiB query in the offscreen window, each up to the moment
// the window is ready for the next click. Prints the figures; it asserts nothing, as timings vary by machine.
#include "window_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

using namespace brelvix::testing;

namespace {

constexpr qsizetype querySize = 8 * 1024 * 1024;

// A SELECT of numbered fields from joined tables, filtered by a long chain of conditions; on one line as
// users often paste it, or with a line break before each clause and condition.
QString largeQuery(bool oneLine) {
    const QString lineBreak = oneLine ? QStringLiteral(" ") : QStringLiteral("\r\n");
    QString query = QStringLiteral("SELECT ");
    for (int field = 0; query.size() < querySize / 2; ++field) {
        query += QStringLiteral("T%1.Field%2, ").arg(field % 7).arg(field);
    }
    query += QStringLiteral("T0.Last") + lineBreak +
             QStringLiteral("FROM T0 INNER JOIN T1 ON T0.Id = T1.Id") + lineBreak +
             QStringLiteral("WHERE T0.Id > 0");
    for (int condition = 0; query.size() < querySize - 1; ++condition) {
        query += lineBreak + QStringLiteral("AND T%1.Field%2 = 'x'").arg(condition % 7).arg(condition);
    }
    query.truncate(querySize - 1);
    return query + u';';
}

double millisecondsFor(QPushButton& button) {
    QElapsedTimer timer;
    timer.start();
    button.click();
    QCoreApplication::processEvents(); // the window repaints and is ready for the next click
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    for (const bool oneLine : {true, false}) {
        ShownForm window;
        if (!window.ready()) {
            std::fputs("the window did not start\n", stderr);
            return 1;
        }
        window.clipboard.contents = largeQuery(oneLine);
        out << "8 MiB query " << (oneLine ? "on one line" : "with a line per clause") << ":";
        for (const auto& [name, number] :
             {std::pair{"Paste", 2}, {"Adjust", 1}, {"Add String", 6}, {"Copy", 3}}) {
            out << "  " << name << " " << qRound(millisecondsFor(window.command(number))) << " ms";
        }
        out << "  (" << window.text2().blockCount() << " lines laid out)\n";
        out.flush();
    }
    return 0;
}
