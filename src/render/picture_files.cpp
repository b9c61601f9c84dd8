#include "render/picture_files.h"

#include <QBuffer>
#include <QSvgGenerator>

#include "core/text/file_errors.h"
#include "core/text/file_save.h"
#include "render/bmp_file.h"
#include "render/image_canvas.h"
#include "render/painter_canvas.h"

namespace mk {
namespace {

std::string LowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOfWord(const std::string& word) {
    if (word == "bmp") return PictureFormat::Bmp;
    if (word == "png") return PictureFormat::Png;
    if (word == "svg") return PictureFormat::Svg;
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatOfName(const std::string& path) {
    return PictureFormatOfWord(LowerExtension(path));
}

std::string PictureExtension(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return ".png";
        case PictureFormat::Svg:
            return ".svg";
        case PictureFormat::Bmp:
            break;
    }
    return ".bmp";
}

std::string EncodePng(const ImageCanvas& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.image().save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string EncodeSvg(const PictureDrawing& draw, const std::string& title) {
    EnsureGuiApplication();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kCanvasWidth, kCanvasHeight));
    svg.setViewBox(QRect(0, 0, kCanvasWidth, kCanvasHeight));
    svg.setResolution(96);
    svg.setTitle(QString::fromStdString(title));
    {
        QPainter painter(&svg);
        PainterCanvas canvas(painter);
        draw(canvas);
    }
    return bytes.toStdString();
}

bool SavePicture(const std::string& path, PictureFormat format, const ImageCanvas& shown,
                 const PictureDrawing& draw, const std::string& title, Messages& messages) {
    std::string bytes;
    switch (format) {
        case PictureFormat::Bmp:
            bytes = EncodeBmp24(shown.image());
            break;
        case PictureFormat::Png:
            bytes = EncodePng(shown);
            break;
        case PictureFormat::Svg:
            bytes = EncodeSvg(draw, title);
            break;
    }
    if (!bytes.empty() && WriteFileAtomically(path, bytes)) return true;
    ReportWriteFailure(messages, path);
    return false;
}

}  // namespace mk
