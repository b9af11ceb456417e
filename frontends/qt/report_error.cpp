// The modal message box that tells the user a procedure has failed.
#include "frontends/qt/report_error.h"

#include <QMessageBox>

namespace brelvix {

void reportError(QWidget* owner, const QString& description) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Brelvix"), description, QMessageBox::Ok, owner);
    // A description is whatever a failure says; text that happens to look like markup must show as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace brelvix
