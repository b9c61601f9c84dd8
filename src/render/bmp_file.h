#pragma once
// Pictures saved and loaded as Windows bitmaps (24 bits per pixel).

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

namespace mk {

class ImageCanvas;
class Messages;

// The bytes of a 24-bit bottom-up BMP file of the image.
std::string EncodeBmp24(const QImage& image);

// Writes the picture as a 24-bit BMP, whole or not at all: on failure an
// existing file keeps its content. False when the file cannot be written.
bool SaveBmp(const ImageCanvas& canvas, const std::string& path);
// The same, reporting a failure as a write error through messages.
bool SaveBmp(const ImageCanvas& canvas, const std::string& path, Messages& messages);

// Decodes the bytes of a BMP file; empty when they are not a readable BMP.
std::optional<QImage> DecodeBmp(std::string_view bytes);
// Reads a BMP file; empty when the file is missing or not a readable BMP.
std::optional<QImage> LoadBmp(const std::string& path);
// Loads a BMP file into the picture; false (picture unchanged) when it
// cannot be read.
bool LoadBmp(ImageCanvas& canvas, const std::string& path);

}  // namespace mk
