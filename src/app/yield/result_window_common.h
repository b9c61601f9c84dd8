#pragma once
// What the yield and the plan result windows share: the panel of labels and
// buttons beside the pictures and handing all six pictures to the all-image
// view.

#include <QString>
#include <functional>

#include "app/app_context.h"

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace mk {
class ImageCanvas;
}

namespace mk::app {

// The panel left of the pictures: Label1..Label3 (the run), the window's own
// option frame, Label5 (the page counter), "<<" ">>", 画像を保存, 全画像表示,
// the table's exports CSV保存, PDF出力 and 印刷, and 終了 at the bottom.
struct ResultSidePanel {
    QVBoxLayout* layout = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label5 = nullptr;
    QPushButton* back = nullptr;    // Command_Back
    QPushButton* next = nullptr;    // Command_Next
    QPushButton* save = nullptr;    // Command_PictSave
    QPushButton* allDsp = nullptr;  // Command_ALLDSP
    QPushButton* csv = nullptr;     // Command_CsvSave
    QPushButton* pdf = nullptr;     // Command_PdfOut
    QPushButton* print = nullptr;   // Command_Print
    QPushButton* ok = nullptr;      // OKButton
};
ResultSidePanel BuildResultSidePanel(QWidget* window, QWidget* optionFrame);

// Writes the six temporary images of the all-image view into a new folder
// of the program's own (AllViewFolder, which the view takes over and removes
// when it closes): the diagram, then graph kinds 1..5 as drawGraph draws
// them on scratch, with their titles (the first is firstTitle). When one
// cannot be written, the folder is removed again and false is returned.
bool ExportAllViewImages(AppContext& context, const ImageCanvas& diagram, ImageCanvas& scratch,
                         const std::function<void(ImageCanvas&, int kind)>& drawGraph,
                         const QString& firstTitle);

// Opens the all-image view (owned by owner, so that it outlives the result
// window) after exportImages succeeded; refused while a view is open.
void OpenAllImageView(AppContext& context, QWidget* owner,
                      const std::function<bool()>& exportImages);

}  // namespace mk::app
