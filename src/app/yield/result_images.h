#pragma once
// What the yield and the plan result windows do alike with their pictures:
// save the one shown as a BMP file, and hand all six to the all-image view.

#include <QString>
#include <functional>

#include "app/app_context.h"

class QWidget;

namespace mk {
class ImageCanvas;
}

namespace mk::app {

// Asks for a BMP name ("画像を保存します") and saves picture there. A
// cancelled dialog or the unchanged proposal "*.bmp" writes nothing; a
// failed write is reported.
void SavePictureAs(AppContext& context, QWidget* parent, const ImageCanvas& picture);

// Writes the six temporary images of the all-image view into the current
// folder: the diagram, then graph kinds 1..5 as drawGraph draws them on
// scratch, with their titles (the first is firstTitle). When one cannot be
// written, those already written are removed again and false is returned.
bool ExportAllViewImages(AppContext& context, const ImageCanvas& diagram, ImageCanvas& scratch,
                         const std::function<void(ImageCanvas&, int kind)>& drawGraph,
                         const QString& firstTitle);

// Opens the all-image view (owned by owner, so that it outlives the result
// window) after exportImages succeeded; refused while a view is open.
void OpenAllImageView(AppContext& context, QWidget* owner,
                      const std::function<bool()>& exportImages);

}  // namespace mk::app
