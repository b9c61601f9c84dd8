#include "app/services/report_printer.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace mk::app {

bool QtReportPrinter::Print(QWidget* parent, const QString& title, const PagePainter& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return false;
    return paint(printer) > 0;
}

}  // namespace mk::app
