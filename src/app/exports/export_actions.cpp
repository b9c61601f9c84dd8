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

// A chosen name that is only the proposal's pattern names no file.
std::optional<QString> AskSaveName(AppContext& context, QWidget* parent, const QString& title,
                                   const QString& filter, const QString& proposed) {
    const std::optional<QString> chosen =
        context.services.files->Save(parent, {title, filter, proposed});
    if (!chosen || chosen->isEmpty() || chosen->contains(QLatin1Char('*'))) return std::nullopt;
    return chosen;
}

// A name the program changed after the dialog (an extension added) was not
// the one the dialog asked about replacing.
bool MayWrite(AppContext& context, const QString& path, bool nameChanged) {
    if (!nameChanged || !QFileInfo::exists(path)) return true;
    return context.messages().Show(
               QFileInfo(path).fileName().toStdString() + " は既にあります。\r\n置き換えますか？",
               "画像を保存します", MessageIcon::Warning,
               MessageButtons::YesNo) == MessageAnswer::Yes;
}

}  // namespace

void SaveTableCsvAs(AppContext& context, QWidget* parent, const ResultTable& table) {
    if (table.Empty()) return;
    const std::optional<QString> path = AskSaveName(
        context, parent, QStringLiteral("CSVファイルに保存します"),
        QStringLiteral("CSVファイル(*.csv)|*.csv"), ProposedName(table, QStringLiteral(".csv")));
    if (!path) return;
    WriteTableCsv(path->toStdString(), table, false, context.messages());
}

void SaveReportPdfAs(AppContext& context, QWidget* parent, const ResultReport& report) {
    if (report.table.Empty()) return;
    const std::optional<QString> path =
        AskSaveName(context, parent, QStringLiteral("PDFファイルに保存します"),
                    QStringLiteral("PDFファイル(*.pdf)|*.pdf"),
                    ProposedName(report.table, QStringLiteral(".pdf")));
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

PictureTarget PictureTargetOf(const QString& chosen, const QString& selectedFilter) {
    PictureTarget target{chosen, PictureFormat::Bmp};
    if (const auto typed = PictureFormatOfName(chosen.toStdString())) {
        target.format = *typed;
        return target;
    }
    if (selectedFilter.contains(QStringLiteral("*.png"))) target.format = PictureFormat::Png;
    if (selectedFilter.contains(QStringLiteral("*.svg"))) target.format = PictureFormat::Svg;
    if (target.format != PictureFormat::Bmp) target.path += Q(PictureExtension(target.format));
    return target;
}

void SavePictureAs(AppContext& context, QWidget* parent, const ImageCanvas& picture,
                   const PictureDrawing& draw, const std::string& title) {
    const QString proposed = QDir::currentPath() + QStringLiteral("/*.bmp");
    QString selectedFilter;
    const std::optional<QString> chosen = context.services.files->SaveWithFilter(
        parent,
        {QStringLiteral("画像を保存します"),
         QStringLiteral(
             "BMPファイル(*.bmp)|*.bmp|PNGファイル(*.png)|*.png|SVGファイル(*.svg)|*.svg"),
         proposed},
        selectedFilter);
    if (!chosen || chosen->isEmpty()) return;
    if (TextEquals(chosen->toStdString(), proposed.toStdString())) return;
    const PictureTarget target = PictureTargetOf(*chosen, selectedFilter);
    if (!MayWrite(context, target.path, target.path != *chosen)) return;
    SavePicture(target.path.toStdString(), target.format, picture, draw, title, context.messages());
}

}  // namespace mk::app
