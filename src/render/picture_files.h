#pragma once
// A result picture saved as a file: a Windows bitmap (as always), a PNG of
// the same pixels, or an SVG vector image drawn by the same graph code.

#include <functional>
#include <optional>
#include <string>

#include "core/graphics/canvas.h"

namespace mk {

class ImageCanvas;
class Messages;

enum class PictureFormat { Bmp, Png, Svg };

// The format a file name asks for by its extension (any letter case);
// nothing for another extension.
std::optional<PictureFormat> PictureFormatOfName(const std::string& path);
// ".bmp", ".png", ".svg"
std::string PictureExtension(PictureFormat format);
// "bmp", "png", "svg" as the batch tool's --format takes them.
std::optional<PictureFormat> PictureFormatOfWord(const std::string& word);

// How a picture is drawn on any surface (for the vector image).
using PictureDrawing = std::function<void(Canvas&)>;

// The bytes of a PNG of the picture's pixels.
std::string EncodePng(const ImageCanvas& picture);
// The bytes of an SVG image of 560 x 420 drawn by draw; title names it.
std::string EncodeSvg(const PictureDrawing& draw, const std::string& title);

// Saves whole or not at all: BMP and PNG from the pixels of shown, SVG by
// draw. A failure is reported as a write error; false then.
bool SavePicture(const std::string& path, PictureFormat format, const ImageCanvas& shown,
                 const PictureDrawing& draw, const std::string& title, Messages& messages);

}  // namespace mk
