#include "render/report_pages.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "core/text/file_errors.h"
#include "core/text/file_save.h"
#include "render/image_canvas.h"
#include "render/painter_canvas.h"

namespace mk {
namespace {

// IPA Gothic is a fixed-pitch font whose full-width characters are exactly
// two half-width ones wide, so the table's columns stay aligned as they are
// in the text file.
constexpr const char* kTableFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
constexpr const char* kTableFontFamily = "IPAGothic";
constexpr int kTableColumns = 132;
constexpr double kMarginMm = 15;
constexpr int kPictureColumns = 2;
constexpr int kPictureRows = 3;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString TableFamily() {
    static const QString family = [] {
        EnsureGuiApplication();
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kTableFontFile));
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty()) return families.front();
        }
        return QString::fromLatin1(kTableFontFamily);
    }();
    return family;
}

QFont TextFont(double pixelSize) {
    QFont font(TableFamily());
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
    return font;
}

// Lays the report out on the pages of one device.
class ReportPainter {
public:
    ReportPainter(QPagedPaintDevice& device, QPainter& painter)
        : device_(device), painter_(painter) {
        mm_ = device.logicalDpiX() / 25.4;
        const double margin = kMarginMm * mm_;
        area_ = QRectF(margin, margin, device.width() - 2 * margin,
                       device.height() - 2 * margin - 6 * mm_);
    }

    int Paint(const ResultReport& report);

private:
    void NewPage();
    void PageNumber();
    void TitleBlock(const ResultReport& report);
    void Table(const TableBlock& block);
    void Pictures(const ReportPictureSet& set);
    double Line(const QString& text, const QFont& font, double y);
    double LineAt(const QString& text, const QFont& font, double x, double y);

    QPagedPaintDevice& device_;
    QPainter& painter_;
    double mm_ = 1;
    QRectF area_;
    int pages_ = 1;
};

void ReportPainter::NewPage() {
    PageNumber();
    device_.newPage();
    ++pages_;
}

void ReportPainter::PageNumber() {
    const QFont font = TextFont(3.2 * mm_);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QRectF foot(area_.left(), area_.bottom() + 2 * mm_, area_.width(), 5 * mm_);
    painter_.drawText(foot, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("- %1 -").arg(pages_));
}

double ReportPainter::Line(const QString& text, const QFont& font, double y) {
    return LineAt(text, font, area_.left(), y);
}

double ReportPainter::LineAt(const QString& text, const QFont& font, double x, double y) {
    painter_.setFont(font);
    const QFontMetricsF metrics(font, &device_);
    painter_.drawText(QPointF(x, y + metrics.ascent()), text);
    return y + metrics.height() * 1.15;
}

void ReportPainter::TitleBlock(const ResultReport& report) {
    painter_.setPen(Qt::black);
    double y = area_.top();
    y = Line(QStringLiteral("杜の暦『構想』　") + Q(report.title), TextFont(7 * mm_), y);
    y += 3 * mm_;
    const QFont body = TextFont(3.8 * mm_);
    for (const auto& [label, value] : report.facts) {
        y = Line(Q(label) + QStringLiteral("：　") + Q(value), body, y);
    }
    if (!report.summary.empty()) {
        y += 3 * mm_;
        for (const std::string& line : SplitTableLines(report.summary)) {
            // Tabs of the schedule lines are shown as wide gaps.
            y = Line(Q(line).replace(QLatin1Char('\t'), QStringLiteral("　　")), body, y);
        }
    }
}

void ReportPainter::Table(const TableBlock& block) {
    // 132 half-width columns across the printable width.
    const double column = area_.width() / kTableColumns;
    const QFont font = TextFont(2 * column);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QFontMetricsF metrics(font, &device_);
    const double step = metrics.height();
    double y = area_.top();
    auto draw = [&](const std::string& line) {
        painter_.drawText(QPointF(area_.left(), y + metrics.ascent()), Q(line));
        y += step;
    };
    for (const std::string& line : block.heading) draw(line);
    for (const std::string& line : block.body) {
        if (y + step > area_.bottom()) {
            NewPage();
            painter_.setFont(font);
            painter_.setPen(Qt::black);
            y = area_.top();
            for (const std::string& h : block.heading) draw(h);
        }
        draw(line);
    }
}

void ReportPainter::Pictures(const ReportPictureSet& set) {
    painter_.setPen(Qt::black);
    double top = area_.top();
    const QFont caption = TextFont(4 * mm_);
    if (!set.caption.empty()) top = Line(Q(set.caption), caption, top) + 2 * mm_;
    const QFont label = TextFont(3.2 * mm_);
    const double gap = 4 * mm_;
    const double labelHeight = QFontMetricsF(label, &device_).height() * 1.3;
    const double cellWidth = (area_.width() - gap) / kPictureColumns;
    const double cellHeight = (area_.bottom() - top) / kPictureRows;
    const double scale =
        std::min(cellWidth / kCanvasWidth, (cellHeight - labelHeight - gap) / kCanvasHeight);
    for (int index = 0; index < kRunPictureCount; ++index) {
        const double x = area_.left() + (index % kPictureColumns) * (cellWidth + gap);
        const double y = top + (index / kPictureColumns) * cellHeight;
        painter_.setPen(Qt::black);
        LineAt(Q(RunPictureTitle(index)), label, x, y);
        painter_.save();
        painter_.translate(x, y + labelHeight);
        painter_.scale(scale, scale);
        {
            PainterCanvas canvas(painter_);
            DrawRunPicture(canvas, set.pictures, index);
        }
        painter_.setClipping(false);
        painter_.setPen(QPen(QColor(160, 160, 160), 0));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(QRectF(0, 0, kCanvasWidth, kCanvasHeight));
        painter_.restore();
    }
}

int ReportPainter::Paint(const ResultReport& report) {
    TitleBlock(report);
    for (const TableBlock& block : TableBlocks(report.table)) {
        NewPage();
        Table(block);
    }
    for (const ReportPictureSet& set : report.pictureSets) {
        NewPage();
        Pictures(set);
    }
    PageNumber();
    return pages_;
}

}  // namespace

std::string ReportDateText() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm")).toStdString();
}

int PaintReport(QPagedPaintDevice& device, const ResultReport& report) {
    EnsureGuiApplication();
    QPainter painter(&device);
    if (!painter.isActive()) return 0;
    return ReportPainter(device, painter).Paint(report);
}

std::string EncodeReportPdf(const ResultReport& report) {
    EnsureGuiApplication();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("杜の暦『構想』 ") + Q(report.title));
        writer.setCreator(QStringLiteral("杜の暦『構想』"));
        if (PaintReport(writer, report) == 0) return {};
    }
    return bytes.toStdString();
}

bool WriteReportPdf(const std::string& path, const ResultReport& report, Messages& messages) {
    const std::string bytes = EncodeReportPdf(report);
    if (!bytes.empty() && WriteFileAtomically(path, bytes)) return true;
    ReportWriteFailure(messages, path);
    return false;
}

}  // namespace mk
