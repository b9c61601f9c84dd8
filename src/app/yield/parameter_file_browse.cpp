#include "app/yield/parameter_file_browse.h"

#include <QVBoxLayout>

#include <QRadioButton>

#include <QPushButton>

#include <QLabel>

#include <QHBoxLayout>

#include <QGroupBox>

#include <QGridLayout>

#include <QButtonGroup>

#include <QDir>
#include <QLineEdit>

#include "app/yield/site_class_calculation_dialog.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/text_compare.h"

namespace mk::app {

void BrowseParameterFile(AppContext& context, QWidget* parent, QLineEdit& box,
                         const ParameterFileKind& kind) {
    const QString remembered = box.text();
    QString proposed = remembered;
    if (proposed.isEmpty()) proposed = QDir::currentPath() + QLatin1Char('/') + kind.pattern;
    const std::optional<QString> chosen =
        context.services.files->Open(parent, {kind.title, kind.filter, proposed});
    if (!chosen || chosen->isEmpty()) return;
    // The box's own file chosen again is read again: it may have been typed
    // and never read, or changed on disk since. The pattern coming back, or
    // the same name written otherwise, chooses nothing.
    if (TextEquals(chosen->toStdString(), proposed.toStdString()) &&
        (remembered.isEmpty() || *chosen != remembered)) {
        box.setText(remembered);
        return;
    }
    if (kind.read(chosen->toStdString())) {
        box.setText(*chosen);
        MarkLoaded(box);
    }
}

namespace {
const char* const kLoadedPath = "loadedPath";
}

void MarkLoaded(QLineEdit& box) { box.setProperty(kLoadedPath, box.text()); }

bool EnsureLoaded(QLineEdit& box, const ParameterFileKind& kind) {
    if (box.text() == box.property(kLoadedPath).toString()) return true;
    if (!kind.read(box.text().toStdString())) return false;
    MarkLoaded(box);
    return true;
}

ParameterFileKind PrmFileKind(AppContext& context) {
    return {QStringLiteral("林分密度管理図(PRM)の指定"),
            QStringLiteral("林分密度管理図ﾌｧｲﾙ (*.prm)|*.prm"), QStringLiteral("*.prm"),
            [&context](const std::string& path) {
                return ReadPrmFile(path, context.ws.Diagram, context.messages());
            }};
}

ParameterFileKind ParFileKind(AppContext& context) {
    return {QStringLiteral("上層樹高曲線式(PAR)の指定"),
            QStringLiteral("上層樹高曲線式ﾌｧｲﾙ (*.par)|*.par"), QStringLiteral("*.par"),
            [&context](const std::string& path) {
                return ReadParFile(path, context.ws.HeightCurve, context.messages());
            }};
}

ParameterFileKind HnpFileKind(AppContext& context) {
    return {QStringLiteral("上層樹高－本数曲線式(HNP)の指定"),
            QStringLiteral("上層樹高－本数曲線式ﾌｧｲﾙ (*.hnp)|*.hnp"), QStringLiteral("*.hnp"),
            [&context](const std::string& path) {
                return ReadHnpFile(path, context.ws.Hnp, context.messages());
            }};
}

namespace {

QPushButton* BrowseButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(QStringLiteral("参照..."), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ParameterFilesControls BuildParameterFilesControls(QWidget* page, QVBoxLayout* body) {
    ParameterFilesControls c;
    auto* files = new QGridLayout();
    auto* label1 = new QLabel(QStringLiteral("林分密度管理図(PRM)"), page);
    label1->setObjectName(QStringLiteral("Label1"));
    c.textPrm = new QLineEdit(page);
    c.textPrm->setObjectName(QStringLiteral("Text_PRM_Name"));
    c.textPrm->setMinimumWidth(380);
    c.commandPrmSet = BrowseButton(page, "Command_PRMSet");
    auto* label2 = new QLabel(QStringLiteral("上層樹高曲線式(PAR)"), page);
    label2->setObjectName(QStringLiteral("Label2"));
    c.textPar = new QLineEdit(page);
    c.textPar->setObjectName(QStringLiteral("Text_PAR_Name"));
    c.commandParSet = BrowseButton(page, "Command_PARSet");
    files->addWidget(label1, 0, 0, 1, 2);
    files->addWidget(c.textPrm, 1, 0);
    files->addWidget(c.commandPrmSet, 1, 1);
    files->addWidget(label2, 2, 0, 1, 2);
    files->addWidget(c.textPar, 3, 0);
    files->addWidget(c.commandParSet, 3, 1);
    body->addLayout(files);

    auto* frame = new QGroupBox(QStringLiteral("地位"), page);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* row = new QHBoxLayout(frame);
    const QString captions[] = {QString(), QStringLiteral("上"), QStringLiteral("中"),
                                QStringLiteral("下"), QStringLiteral("不明")};
    auto* group = new QButtonGroup(page);
    for (int i = 1; i <= 4; ++i) {
        c.options[i] = new QRadioButton(captions[i], frame);
        c.options[i]->setObjectName(QStringLiteral("Option%1").arg(i));
        group->addButton(c.options[i], i);
        row->addWidget(c.options[i]);
    }
    row->addStretch();
    c.commandCalcState = new QPushButton(QStringLiteral("地位を計算（不明な場合）"), frame);
    c.commandCalcState->setObjectName(QStringLiteral("Command_CalcState"));
    c.commandCalcState->setAutoDefault(false);
    row->addWidget(c.commandCalcState);
    body->addWidget(frame);
    body->addStretch();
    return c;
}

std::optional<double> CalculateSiteClass(AppContext& context, QWidget* page, const QLineEdit& prm,
                                         const QLineEdit& par, QRadioButton* const (&options)[5],
                                         const std::function<void(const std::string&)>& showError) {
    std::string problems;
    if (prm.text().isEmpty()) problems += "PRMファイルを選択して下さい\r\n";
    if (par.text().isEmpty()) problems += "PARファイルを選択して下さい\r\n";
    if (!problems.empty()) {
        showError(problems);
        return std::nullopt;
    }
    SiteCalculationResult result;
    Dialog_Com3_01Ext dialog(context, result, page);
    context.services.dialogs->Run(dialog);
    if (result.code != 4) return std::nullopt;
    Workspace& w = context.ws;
    w.CurrentStand.SiteText = result.siteText;
    w.CurrentStand.SiteCalcAge = result.age;
    w.CurrentStand.SiteCalcHeight = result.height;
    for (int i = 1; i <= 3; ++i) options[i]->setChecked(false);
    options[4]->setChecked(true);
    options[4]->setText(QString::fromStdString(result.siteText));
    options[4]->setEnabled(true);
    return result.scale;
}

void ForgetCalculatedSiteClass(QRadioButton* const (&options)[5]) {
    if (!options[4]->isEnabled()) return;
    options[4]->setEnabled(false);
    options[4]->setText(QStringLiteral("不明"));
}

}  // namespace mk::app
