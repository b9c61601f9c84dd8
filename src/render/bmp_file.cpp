#include "render/bmp_file.h"

#include <QString>
#include <limits>

#include "core/text/file_errors.h"
#include "core/text/text_file.h"
#include "render/image_canvas.h"

namespace mk {
namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t headerBytes = 14 + 40;

    std::string out;
    out.reserve(headerBytes + pixelBytes);
    out += "BM";
    PutLe(out, headerBytes + pixelBytes, 4);
    PutLe(out, 0, 4);  // reserved
    PutLe(out, headerBytes, 4);
    PutLe(out, 40, 4);  // BITMAPINFOHEADER
    PutLe(out, width, 4);
    PutLe(out, height, 4);  // positive: rows stored bottom up
    PutLe(out, 1, 2);       // planes
    PutLe(out, 24, 2);      // bits per pixel
    PutLe(out, 0, 4);       // no compression
    PutLe(out, pixelBytes, 4);
    PutLe(out, 3780, 4);  // 96 dpi, in pixels per metre
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4);  // no palette
    PutLe(out, 0, 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(static_cast<char>(qBlue(row[x])));
            out.push_back(static_cast<char>(qGreen(row[x])));
            out.push_back(static_cast<char>(qRed(row[x])));
        }
        out.append(rowBytes - width * 3, '\0');
    }
    return out;
}

bool SaveBmp(const ImageCanvas& canvas, const std::string& path) {
    return WriteFileAtomically(path, EncodeBmp24(canvas.image()));
}

bool SaveBmp(const ImageCanvas& canvas, const std::string& path, Messages& messages) {
    if (SaveBmp(canvas, path)) return true;
    ReportWriteFailure(messages, path);
    return false;
}

std::optional<QImage> DecodeBmp(std::string_view bytes) {
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return std::nullopt;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(bytes.size()), "BMP") ||
        image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<QImage> LoadBmp(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return std::nullopt;
    return DecodeBmp(bytes);
}

bool LoadBmp(ImageCanvas& canvas, const std::string& path) {
    const std::optional<QImage> image = LoadBmp(path);
    if (!image) return false;
    canvas.ShowImage(*image);
    return true;
}

}  // namespace mk
