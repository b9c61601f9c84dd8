#include "app/yield/wizard_files_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "app/yield/parameter_file_browse.h"
#include "app/yield/site_class_calculation_dialog.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"

namespace mk::app {

Dialog_Com3_01::Dialog_Com3_01(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com3_01"),
                 QStringLiteral("収穫予測表の作成－パラメータ設定(1/4)"),
                 QStringLiteral("Label_Desc"), parent) {
    const ParameterFilesControls c = BuildParameterFilesControls(this, body());
    textPrm_ = c.textPrm;
    textPar_ = c.textPar;
    commandPrmSet_ = c.commandPrmSet;
    for (int i = 1; i <= 4; ++i) options_[i] = c.options[i];
    QPushButton* commandParSet = c.commandParSet;
    QPushButton* calc = c.commandCalcState;

    backButton()->setEnabled(false);
    connect(commandPrmSet_, &QPushButton::clicked, this, &Dialog_Com3_01::Command_PRMSet_Click);
    connect(commandParSet, &QPushButton::clicked, this, &Dialog_Com3_01::Command_PARSet_Click);
    connect(calc, &QPushButton::clicked, this, &Dialog_Com3_01::Command_CalcState_Click);
    for (int i = 1; i <= 3; ++i) {
        connect(options_[i], &QRadioButton::clicked, this, [this, i] { Option_Click(i); });
    }
    Form_Load();
}

void Dialog_Com3_01::Form_Load() {
    Workspace& w = ws();
    context_.flags.WizardResult = 0;
    ClearDensityDiagram(w.Diagram);
    ClearHeightCurve(w.HeightCurve);
    if (!w.Run.PrmFileName.empty() &&
        !ReadPrmFile(w.Run.PrmFileName, w.Diagram, context_.messages())) {
        w.Run.PrmFileName.clear();
    }
    textPrm_->setText(QString::fromStdString(w.Run.PrmFileName));
    MarkLoaded(*textPrm_);
    if (!w.Run.ParFileName.empty() &&
        !ReadParFile(w.Run.ParFileName, w.HeightCurve, context_.messages())) {
        w.Run.ParFileName.clear();
    }
    textPar_->setText(QString::fromStdString(w.Run.ParFileName));
    MarkLoaded(*textPar_);

    options_[4]->setEnabled(false);
    options_[4]->setText(QStringLiteral("不明"));
    const int site = w.Run.SiteClass;
    if (site >= 1 && site <= 3) {
        options_[site]->setChecked(true);
    } else if (site == kSiteMeasured) {
        options_[4]->setChecked(true);
        options_[4]->setEnabled(true);
        options_[4]->setText(QString::fromStdString(w.CurrentStand.SiteText));
        foundScale_ = w.Run.SiteCurveScale;
    }
}

void Dialog_Com3_01::Form_Activate() { commandPrmSet_->setFocus(); }

void Dialog_Com3_01::Command_PRMSet_Click() {
    BrowseParameterFile(context_, this, *textPrm_, PrmFileKind(context_));
}

void Dialog_Com3_01::Command_PARSet_Click() {
    BrowseParameterFile(context_, this, *textPar_, ParFileKind(context_));
}

void Dialog_Com3_01::Command_CalcState_Click() {
    const std::optional<double> scale =
        CalculateSiteClass(context_, this, *textPrm_, *textPar_, options_,
                           [this](const std::string& text) { ShowError(text); });
    if (scale) foundScale_ = *scale;
}

void Dialog_Com3_01::Option_Click(int) { ForgetCalculatedSiteClass(options_); }

void Dialog_Com3_01::OKButton_Click() {
    int site = 0;
    for (int i = 1; i <= 4; ++i) {
        if (options_[i]->isChecked()) site = i;
    }
    std::string problems;
    if (textPrm_->text().isEmpty()) problems += "PRMファイル名が指定されていません\r\n";
    if (textPar_->text().isEmpty()) problems += "PARファイル名が指定されていません\r\n";
    if (site == 0) problems += "地位が指定されていません\r\n";
    if (!problems.empty()) {
        ShowError(problems);
        return;
    }
    if (!EnsureLoaded(*textPrm_, PrmFileKind(context_)) ||
        !EnsureLoaded(*textPar_, ParFileKind(context_))) {
        return;
    }
    Workspace& w = ws();
    w.Run.PrmFileName = textPrm_->text().toStdString();
    w.Run.ParFileName = textPar_->text().toStdString();
    const bool wasMeasured = w.Run.SiteClass == kSiteMeasured;
    w.Run.SiteClass = site;
    if (site == kSiteMeasured) {
        w.Run.SiteCurveScale = foundScale_;
        w.Run.StemSettingMethod = 2;
    } else {
        w.Run.SiteCurveScale = SiteCurveScale(w.HeightCurve, site).value_or(0.0);
        // A start the user chose on the next page stays chosen; only the
        // start a calculated class forced is given up with that class.
        if (wasMeasured) w.Run.StemSettingMethod = 0;
    }
    Finish();
}

}  // namespace mk::app
