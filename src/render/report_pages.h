#pragma once
// The report of a result on paper: A4 pages with a title block, the table
// with its heading repeated on every page it runs over, and the pictures as
// vectors, six to a page. The same painting serves the PDF file and the
// printer.

#include <QPagedPaintDevice>
#include <string>

#include "core/tables/result_report.h"

namespace mk {

class Messages;

// The local date and time as the report's 作成日時 shows it
// ("2026/12/08 15:30").
std::string ReportDateText();

// Paints the report on device (which must have an open page); new pages
// are started as needed. Returns the number of pages painted.
int PaintReport(QPagedPaintDevice& device, const ResultReport& report);

// The bytes of the report as an A4 PDF with its Japanese text embedded.
std::string EncodeReportPdf(const ResultReport& report);

// Writes the PDF whole or not at all; a failure is reported as a write
// error and false returned.
bool WriteReportPdf(const std::string& path, const ResultReport& report, Messages& messages);

}  // namespace mk
