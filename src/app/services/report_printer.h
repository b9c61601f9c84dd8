#pragma once
// Printing a report: the toolkit's print dialog, where the user picks the
// printer and its settings, then the pages. Tests print to a PDF file in
// place of the dialog and the printer.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace mk::app {

// Paints every page on the device; returns the number of pages (0: nothing
// could be painted).
using PagePainter = std::function<int(QPagedPaintDevice&)>;

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // Asks where to print (title: the document's name) and prints. False
    // when the user cancelled or nothing could be printed.
    virtual bool Print(QWidget* parent, const QString& title, const PagePainter& paint) = 0;
};

class QtReportPrinter final : public ReportPrinter {
public:
    bool Print(QWidget* parent, const QString& title, const PagePainter& paint) override;
};

}  // namespace mk::app
