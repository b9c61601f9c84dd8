#include "app/yield/parameter_files_page.h"

#include "app/widgets/label_text.h"
#include "app/yield/parameter_file_browse.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/text/cp932.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"

namespace mk::app {

bool ParameterFilesPage::InRegion(const std::string& path, const std::string& prefix) {
    const std::vector<std::string> want = SplitChars(prefix);
    const std::vector<std::string> name = SplitChars(FileNamePart(path));
    if (name.size() < want.size()) return false;
    std::string head;
    for (std::size_t i = 0; i < want.size(); ++i) head += name[i];
    return TextEquals(head, prefix);
}

ParameterFilesPage::ParameterFilesPage(AppContext& context, const QString& name,
                                       const QString& caption, bool regional,
                                       const QString& description, QWidget* parent)
    : WizardPage(context, name, caption, QStringLiteral("Label_Desc"), parent),
      regional_(regional),
      descriptionText_(description) {
    const ParameterFilesControls c = BuildParameterFilesControls(this, body());
    textPrm_ = c.textPrm;
    textPar_ = c.textPar;
    commandPrmSet_ = c.commandPrmSet;
    for (int i = 1; i <= 4; ++i) options_[i] = c.options[i];

    connect(commandPrmSet_, &QPushButton::clicked, this, &ParameterFilesPage::Command_PRMSet_Click);
    connect(c.commandParSet, &QPushButton::clicked, this,
            &ParameterFilesPage::Command_PARSet_Click);
    connect(c.commandCalcState, &QPushButton::clicked, this,
            &ParameterFilesPage::Command_CalcState_Click);
    for (int i = 1; i <= 3; ++i) {
        connect(options_[i], &QRadioButton::clicked, this, [this, i] { Option_Click(i); });
    }
    Form_Load();
}

std::string ParameterFilesPage::Region() {
    return regional_ ? ws().Plan.RegionPrefix : std::string();
}

// The file kind offering and taking only the region's files. A file of
// another region is passed over by the reader; the OK button says why.
ParameterFileKind ParameterFilesPage::Kind(ParameterFileKind kind) {
    const std::string prefix = Region();
    if (prefix.empty()) return kind;
    kind.pattern = QString::fromStdString(prefix) + kind.pattern;
    auto read = kind.read;
    kind.read = [read, prefix](const std::string& path) {
        return InRegion(path, prefix) && read(path);
    };
    return kind;
}

void ParameterFilesPage::Form_Load() {
    Workspace& w = ws();
    const std::string prefix = Region();
    context_.flags.WizardResult = 0;
    ClearDensityDiagram(w.Diagram);
    ClearHeightCurve(w.HeightCurve);
    // A file that no longer reads, or of another region than the one now
    // chosen, is dropped.
    if (!w.Run.PrmFileName.empty() &&
        (!InRegion(w.Run.PrmFileName, prefix) ||
         !ReadPrmFile(w.Run.PrmFileName, w.Diagram, context_.messages()))) {
        w.Run.PrmFileName.clear();
    }
    textPrm_->setText(QString::fromStdString(w.Run.PrmFileName));
    MarkLoaded(*textPrm_);
    if (!w.Run.ParFileName.empty() &&
        (!InRegion(w.Run.ParFileName, prefix) ||
         !ReadParFile(w.Run.ParFileName, w.HeightCurve, context_.messages()))) {
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
    if (!descriptionText_.isEmpty()) SetLabelText(description(), descriptionText_);
}

void ParameterFilesPage::Form_Activate() { commandPrmSet_->setFocus(); }

void ParameterFilesPage::Command_PRMSet_Click() {
    BrowseParameterFile(context_, this, *textPrm_, Kind(PrmFileKind(context_)));
}

void ParameterFilesPage::Command_PARSet_Click() {
    BrowseParameterFile(context_, this, *textPar_, Kind(ParFileKind(context_)));
}

void ParameterFilesPage::Command_CalcState_Click() {
    const std::optional<double> scale =
        CalculateSiteClass(context_, this, *textPrm_, *textPar_, options_,
                           [this](const std::string& text) { ShowError(text); });
    if (scale) foundScale_ = *scale;
}

void ParameterFilesPage::Option_Click(int) { ForgetCalculatedSiteClass(options_); }

int ParameterFilesPage::CheckedSite() const {
    for (int i = 1; i <= 4; ++i) {
        if (options_[i]->isChecked()) return i;
    }
    return 0;
}

void ParameterFilesPage::OKButton_Click() {
    const int site = CheckedSite();
    std::string problems;
    if (textPrm_->text().isEmpty()) problems += "PRMファイル名が指定されていません\r\n";
    if (textPar_->text().isEmpty()) problems += "PARファイル名が指定されていません\r\n";
    if (site == 0) problems += "地位が指定されていません\r\n";
    // A name typed by hand is held to the region like a chosen one; saying
    // so is better than a button that silently does nothing.
    const std::string prefix = Region();
    if (!textPrm_->text().isEmpty() && !InRegion(textPrm_->text().toStdString(), prefix)) {
        problems += "PRMファイル名が計算対象地域のものではありません\r\n";
    }
    if (!textPar_->text().isEmpty() && !InRegion(textPar_->text().toStdString(), prefix)) {
        problems += "PARファイル名が計算対象地域のものではありません\r\n";
    }
    if (!problems.empty()) {
        ShowError(problems);
        return;
    }
    if (!EnsureLoaded(*textPrm_, Kind(PrmFileKind(context_))) ||
        !EnsureLoaded(*textPar_, Kind(ParFileKind(context_)))) {
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
