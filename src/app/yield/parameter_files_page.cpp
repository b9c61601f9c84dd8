#include "app/yield/parameter_files_page.h"

#include <QStringList>

#include "app/widgets/label_text.h"
#include "app/yield/parameter_file_browse.h"
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

}  // namespace

bool ParameterFilesPage::InRegion(const std::string& path, const std::string& prefix) {
    for (const std::string& p : RegionPrefixes(prefix)) {
        if (StartsWith(path, p)) return true;
    }
    return false;
}

std::string NotInRegionText(const std::string& path, const std::string& prefix) {
    return FileNamePart(path) + " は計算対象地域のファイルではありません。\r\n" + "ファイル名が" +
           QuotedPrefixes(prefix) + "で始まるファイルを選んでください。";
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

// The file kind offering only the region's files and refusing another
// region's file with the reason, titled with the page's caption.
ParameterFileKind ParameterFilesPage::Kind(ParameterFileKind kind) {
    const std::string prefix = Region();
    if (prefix.empty()) return kind;
    QStringList patterns;
    for (const std::string& p : RegionPrefixes(prefix))
        patterns << QString::fromStdString(p) + kind.pattern;
    kind.filter.replace(kind.pattern, patterns.join(QLatin1Char(';')));
    kind.pattern = patterns.front();
    auto read = kind.read;
    AppContext& context = context_;
    const std::string title = windowTitle().toStdString();
    kind.read = [read, prefix, &context, title](const std::string& path) {
        if (!InRegion(path, prefix)) {
            context.messages().Show(NotInRegionText(path, prefix), title, MessageIcon::Error);
            return false;
        }
        return read(path);
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
    // Paths typed or pasted into the boxes are read first, as 次へ reads them.
    if (!textPrm_->text().isEmpty() && !EnsureLoaded(*textPrm_, Kind(PrmFileKind(context_)))) return;
    if (!textPar_->text().isEmpty() && !EnsureLoaded(*textPar_, Kind(ParFileKind(context_)))) return;
    const std::optional<double> scale =
        CalculateSiteClass(context_, this, *textPrm_, *textPar_, options_,
                           [this](const std::string& text) { ShowError(text); });
    if (scale) foundScale_ = *scale;
}

void ParameterFilesPage::Option_Click(int) { ForgetCalculatedSiteClass(options_); }

void ParameterFilesPage::KeepValuesForLater() {
    // The names are checked again when the page opens next.
    Workspace& w = ws();
    w.Run.PrmFileName = textPrm_->text().toStdString();
    w.Run.ParFileName = textPar_->text().toStdString();
    const int site = CheckedSite();
    if (site == 0) return;
    w.Run.SiteClass = site;
    if (site == kSiteMeasured) w.Run.SiteCurveScale = foundScale_;
}

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
