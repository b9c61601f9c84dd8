#pragma once
// The "参照..." buttons beside the parameter file boxes: choose a file, read
// it, and show its path only when it loaded.

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/app_context.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace mk::app {

struct ParameterFileKind {
    QString title;    // "林分密度管理図(PRM)の指定"
    QString filter;   // "林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm"
    QString pattern;  // "*.prm"
    // Reads the file into the workspace; false when it did not load (the
    // reader has said why).
    std::function<bool(const std::string& path)> read;
};

// The box's path, or the current folder followed by the pattern when the
// box is empty, is offered; a cancelled dialog, the pattern coming back or
// the box's name written otherwise (letter case, width) reads nothing and
// keeps the box as it was. The chosen file is read, also when it is exactly
// the box's own file again.
void BrowseParameterFile(AppContext& context, QWidget* parent, QLineEdit& box,
                         const ParameterFileKind& kind);

// Remembers that the box's path is the file now loaded.
void MarkLoaded(QLineEdit& box);

// A path typed into the box by hand is read before it is used, so the
// parameters in use are always those of the file the box names. False
// when it does not load (the reader has said why).
bool EnsureLoaded(QLineEdit& box, const ParameterFileKind& kind);

// The controls of the parameter file and site class page that the yield and
// the planning wizards share.
struct ParameterFilesControls {
    QLineEdit* textPrm = nullptr;       // Text_PRM_Name
    QPushButton* commandPrmSet = nullptr;
    QLineEdit* textPar = nullptr;       // Text_PAR_Name
    QPushButton* commandParSet = nullptr;
    QRadioButton* options[5]{};         // Option1..Option4: 上, 中, 下, 不明
    QPushButton* commandCalcState = nullptr;
};

// Lays the two file boxes with their "参照..." buttons and the 地位 frame
// out in body.
ParameterFilesControls BuildParameterFilesControls(QWidget* page, QVBoxLayout* body);

// 地位を計算（不明な場合）: with both files named, runs the site class
// calculation and, when it found a class, stores the measured stand in the
// workspace, checks option 4 under the class text and returns the curve
// scale found. Missing names are reported through showError.
std::optional<double> CalculateSiteClass(AppContext& context, QWidget* page, const QLineEdit& prm,
                                         const QLineEdit& par, QRadioButton* const (&options)[5],
                                         const std::function<void(const std::string&)>& showError);

// Choosing 上, 中 or 下 gives up a class found by the calculation.
void ForgetCalculatedSiteClass(QRadioButton* const (&options)[5]);

ParameterFileKind PrmFileKind(AppContext& context);
ParameterFileKind ParFileKind(AppContext& context);
ParameterFileKind HnpFileKind(AppContext& context);

}  // namespace mk::app
