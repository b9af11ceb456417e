// Times Paste, Adjust, Add String and Copy on 8 MiB queries in the offscreen window, each up to the moment
// the window is ready for the next click: ordinary queries, and hostile text as the tests use it; beside
// them, what Qt's text document alone takes to hold the result. Prints the figures; it asserts nothing, as
// timings vary by machine.
#include "qt_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
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

// What Qt's text document alone takes to hold the laid-out text, with no window and no layout: the floor
// under Adjust and Add String in any window built on it.
double millisecondsForDocumentAlone(const QString& text) {
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    document.setPlainText(text);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    const std::pair<const char*, QString> queries[] = {
        {"8 MiB query on one line", largeQuery(true)},
        {"8 MiB query with a line per clause", largeQuery(false)},
        {"8 MiB of hostile text", hostileQuery(querySize)},
        {"2 MiB hostile line", veryLongLineQuery(querySize / 4)},
    };
    for (const auto& [description, query] : queries) {
        ShownForm window;
        if (!window.ready()) {
            std::fputs("the window did not start\n", stderr);
            return 1;
        }
        window.clipboard.contents = query;
        out << description << ":";
        for (const auto& [name, button] :
             {std::pair{"Paste", paste}, {"Adjust", adjust}, {"Add String", addString}, {"Copy", copy}}) {
            out << "  " << name << " " << qRound(millisecondsFor(window.command(button))) << " ms";
        }
        out << "  (" << window.text2().blockCount() << " lines laid out; Qt's document alone takes "
            << qRound(millisecondsForDocumentAlone(window.text2().toPlainText())) << " ms to hold them)\n";
        out.flush();
    }
    return 0;
}
