#include "app/exports/export_actions.h"

#include <QDir>
#include <QFileInfo>

#include "core/tables/table_csv.h"
#include "core/text/text_compare.h"
#include "render/image_canvas.h"
#include "render/report_pages.h"

namespace mk::app {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The table's own name with another extension, in its folder; a pattern in
// the current folder when the table has no name.
QString ProposedName(const ResultTable& table, const QString& extension) {
    if (table.path.empty()) return QDir::currentPath() + QStringLiteral("/*") + extension;
    const QFileInfo info(Q(table.path));
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + extension;
}

// The save dialog; the program asks before a file is replaced. A chosen
// name that is only the proposal's pattern names no file.
std::optional<QString> AskSaveName(AppContext& context, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& proposed,
                                   const QString& suffix) {
    const std::optional<QString> chosen = AskSaveFileName(
        *context.services.files, context.messages(), parent,
        {.title = title, .filter = filter, .presetName = proposed, .defaultSuffix = suffix});
    if (!chosen || chosen->isEmpty() || chosen->contains(QLatin1Char('*'))) return std::nullopt;
    return chosen;
}

}  // namespace

void SaveTableCsvAs(AppContext& context, QWidget* parent, const ResultTable& table) {
    if (table.Empty()) return;
    const std::optional<QString> path =
        AskSaveName(context, parent, QStringLiteral("CSVファイルに保存します"),
                    QStringLiteral("CSVファイル(*.csv)|*.csv"),
                    ProposedName(table, QStringLiteral(".csv")), QStringLiteral("csv"));
    if (!path) return;
    WriteTableCsv(path->toStdString(), table, false, context.messages());
}

void SaveReportPdfAs(AppContext& context, QWidget* parent, const ResultReport& report) {
    if (report.table.Empty()) return;
    const std::optional<QString> path =
        AskSaveName(context, parent, QStringLiteral("PDFファイルに保存します"),
                    QStringLiteral("PDFファイル(*.pdf)|*.pdf"),
                    ProposedName(report.table, QStringLiteral(".pdf")), QStringLiteral("pdf"));
    if (!path) return;
    WriteReportPdf(path->toStdString(), report, context.messages());
}

void PrintReport(AppContext& context, QWidget* parent, const ResultReport& report) {
    if (report.table.Empty() || context.services.printer == nullptr) return;
    const QString title = QStringLiteral("杜の暦『構想』 ") + Q(report.title);
    context.services.printer->Print(parent, title, [&report](QPagedPaintDevice& device) {
        return PaintReport(device, report);
    });
}

void SavePictureAs(AppContext& context, QWidget* parent, const ImageCanvas& picture,
                   const PictureDrawing& draw, const std::string& title) {
    const QString proposed = QDir::currentPath() + QStringLiteral("/*.bmp");
    // A name typed without an extension gets that of the chosen filter
    // (".bmp" unless another was chosen).
    const std::optional<QString> chosen = AskSaveFileName(
        *context.services.files, context.messages(), parent,
        {.title = QStringLiteral("画像を保存します"),
         .filter = QStringLiteral(
             "BMPファイル(*.bmp)|*.bmp|PNGファイル(*.png)|*.png|SVGファイル(*.svg)|*.svg"),
         .presetName = proposed,
         .defaultSuffix = QStringLiteral("bmp")});
    if (!chosen || chosen->isEmpty()) return;
    if (TextEquals(chosen->toStdString(), proposed.toStdString())) return;
    // A name without a known extension is saved as a bitmap, as always.
    const PictureFormat format =
        PictureFormatOfName(chosen->toStdString()).value_or(PictureFormat::Bmp);
    SavePicture(chosen->toStdString(), format, picture, draw, title, context.messages());
}

}  // namespace mk::app
