#include "app/planning/plan_files_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "app/planning/planning_wizard.h"
#include "app/widgets/label_text.h"
#include "app/yield/parameter_file_browse.h"
#include "app/yield/site_class_calculation_dialog.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/model/site_class.h"
#include "core/text/cp932.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"

namespace mk::app {

namespace {

// The prefixes a region's file names may begin with. 茨城県 was once listed
// under the misprint 茨木県, and files named after it still belong to it.
std::vector<std::string> RegionPrefixes(const std::string& prefix) {
    if (prefix == "茨城") return {"茨城", "茨木"};
    return {prefix};
}

// "「静岡」" or "「茨城」または「茨木」".
std::string QuotedPrefixes(const std::string& prefix) {
    std::string quoted;
    for (const std::string& p : RegionPrefixes(prefix)) {
        if (!quoted.empty()) quoted += "または";
        quoted += "「" + p + "」";
    }
    return quoted;
}

bool StartsWith(const std::string& path, const std::string& prefix) {
    const std::vector<std::string> want = SplitChars(prefix);
    const std::vector<std::string> name = SplitChars(FileNamePart(path));
    if (name.size() < want.size()) return false;
    std::string head;
    for (std::size_t i = 0; i < want.size(); ++i) head += name[i];
    return TextEquals(head, prefix);
}

// The yield wizard's file kind, offering only the region's files and
// refusing another region's file with the reason.
ParameterFileKind RegionKind(ParameterFileKind kind, const std::string& prefix, AppContext& context,
                             const std::string& title) {
    QStringList patterns;
    for (const std::string& p : RegionPrefixes(prefix))
        patterns << QString::fromStdString(p) + kind.pattern;
    kind.filter.replace(kind.pattern, patterns.join(QLatin1Char(';')));
    kind.pattern = patterns.front();
    auto read = kind.read;
    kind.read = [read, prefix, &context, title](const std::string& path) {
        if (!Dialog_Com2_03::InRegion(path, prefix)) {
            context.messages().Show(NotInRegionText(path, prefix), title, MessageIcon::Error);
            return false;
        }
        return read(path);
    };
    return kind;
}

}  // namespace

bool Dialog_Com2_03::InRegion(const std::string& path, const std::string& prefix) {
    for (const std::string& p : RegionPrefixes(prefix)) {
        if (StartsWith(path, p)) return true;
    }
    return false;
}

std::string NotInRegionText(const std::string& path, const std::string& prefix) {
    return FileNamePart(path) + " は計算対象地域のファイルではありません。\r\n" + "ファイル名が" +
           QuotedPrefixes(prefix) + "で始まるファイルを選んでください。";
}

Dialog_Com2_03::Dialog_Com2_03(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com2_03"), PlanPageCaption(context.ws.Plan),
                 QStringLiteral("Label_Desc"), parent) {
    const ParameterFilesControls c = BuildParameterFilesControls(this, body());
    textPrm_ = c.textPrm;
    textPar_ = c.textPar;
    commandPrmSet_ = c.commandPrmSet;
    for (int i = 1; i <= 4; ++i) options_[i] = c.options[i];
    QPushButton* commandParSet = c.commandParSet;
    QPushButton* calc = c.commandCalcState;

    connect(commandPrmSet_, &QPushButton::clicked, this, &Dialog_Com2_03::Command_PRMSet_Click);
    connect(commandParSet, &QPushButton::clicked, this, &Dialog_Com2_03::Command_PARSet_Click);
    connect(calc, &QPushButton::clicked, this, &Dialog_Com2_03::Command_CalcState_Click);
    for (int i = 1; i <= 3; ++i) {
        connect(options_[i], &QRadioButton::clicked, this, [this, i] { Option_Click(i); });
    }
    Form_Load();
}

void Dialog_Com2_03::Form_Load() {
    Workspace& w = ws();
    const std::string& prefix = w.Plan.RegionPrefix;
    context_.flags.WizardResult = 0;
    ClearDensityDiagram(w.Diagram);
    ClearHeightCurve(w.HeightCurve);
    // A file of another region than the one now chosen is dropped.
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
    SetLabelText(description(), QStringLiteral("収穫予測のためのパラメータを設定します。\r\n"
                                               "パラメータファイルと地位を指定してください。"));
}

void Dialog_Com2_03::Form_Activate() { commandPrmSet_->setFocus(); }

ParameterFileKind Dialog_Com2_03::PrmKind() {
    return RegionKind(PrmFileKind(context_), ws().Plan.RegionPrefix, context_,
                      windowTitle().toStdString());
}

ParameterFileKind Dialog_Com2_03::ParKind() {
    return RegionKind(ParFileKind(context_), ws().Plan.RegionPrefix, context_,
                      windowTitle().toStdString());
}

void Dialog_Com2_03::Command_PRMSet_Click() {
    BrowseParameterFile(context_, this, *textPrm_, PrmKind());
}

void Dialog_Com2_03::Command_PARSet_Click() {
    BrowseParameterFile(context_, this, *textPar_, ParKind());
}

void Dialog_Com2_03::Command_CalcState_Click() {
    // Paths typed or pasted into the boxes are read first, as 次へ reads them.
    if (!textPrm_->text().isEmpty() && !EnsureLoaded(*textPrm_, PrmKind())) return;
    if (!textPar_->text().isEmpty() && !EnsureLoaded(*textPar_, ParKind())) return;
    const std::optional<double> scale =
        CalculateSiteClass(context_, this, *textPrm_, *textPar_, options_,
                           [this](const std::string& text) { ShowError(text); });
    if (scale) foundScale_ = *scale;
}

void Dialog_Com2_03::Option_Click(int) { ForgetCalculatedSiteClass(options_); }

void Dialog_Com2_03::OKButton_Click() {
    const int site = CheckedSite();
    std::string problems;
    if (textPrm_->text().isEmpty()) problems += "PRMファイル名が指定されていません\r\n";
    if (textPar_->text().isEmpty()) problems += "PARファイル名が指定されていません\r\n";
    if (site == 0) problems += "地位が指定されていません\r\n";
    // A name typed by hand is held to the region like a chosen one; saying
    // so is better than a button that silently does nothing.
    const std::string& prefix = ws().Plan.RegionPrefix;
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
    if (!EnsureLoaded(*textPrm_, PrmKind()) || !EnsureLoaded(*textPar_, ParKind())) return;
    Workspace& w = ws();
    w.Run.PrmFileName = textPrm_->text().toStdString();
    w.Run.ParFileName = textPar_->text().toStdString();
    w.Run.SiteClass = site;
    if (site == kSiteMeasured) {
        w.Run.SiteCurveScale = foundScale_;
        w.Run.StemSettingMethod = 2;
    } else {
        w.Run.SiteCurveScale = SiteCurveScale(w.HeightCurve, site).value_or(0.0);
        w.Run.StemSettingMethod = 0;
    }
    Finish();
}

int Dialog_Com2_03::CheckedSite() const {
    for (int i = 1; i <= 4; ++i) {
        if (options_[i]->isChecked()) return i;
    }
    return 0;
}

void Dialog_Com2_03::KeepChoices() {
    // The names are checked again when the page opens next.
    Workspace& w = ws();
    w.Run.PrmFileName = textPrm_->text().toStdString();
    w.Run.ParFileName = textPar_->text().toStdString();
    const int site = CheckedSite();
    if (site == 0) return;
    w.Run.SiteClass = site;
    if (site == kSiteMeasured) w.Run.SiteCurveScale = foundScale_;
}

}  // namespace mk::app
