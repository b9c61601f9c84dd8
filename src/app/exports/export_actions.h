#pragma once
// What a window does when the user hands a result on: the table as CSV, the
// report as PDF or on the printer, a picture as BMP, PNG or SVG. Each asks
// for a name through the save dialog (and before replacing a file),
// writes whole or not at all, and reports a failure.

#include <QString>

#include "app/app_context.h"
#include "core/tables/result_report.h"
#include "render/picture_files.h"

class QWidget;

namespace mk {
class ImageCanvas;
}

namespace mk::app {

// "CSVファイルに保存します": proposes the table's own name with ".csv" in
// its folder.
void SaveTableCsvAs(AppContext& context, QWidget* parent, const ResultTable& table);

// "PDFファイルに保存します": proposes the table's name with ".pdf".
void SaveReportPdfAs(AppContext& context, QWidget* parent, const ResultReport& report);

// The print dialog, then the report's pages.
void PrintReport(AppContext& context, QWidget* parent, const ResultReport& report);

// "画像を保存します" with BMP (the default), PNG and SVG: the extension of
// the name decides (a name typed without one gets ".bmp"); BMP and PNG hold
// the picture's pixels, SVG is drawn by draw.
void SavePictureAs(AppContext& context, QWidget* parent, const ImageCanvas& picture,
                   const PictureDrawing& draw, const std::string& title);

}  // namespace mk::app
