#include "app/yield/volume_table_setup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/services/recent_files.h"
#include "app/widgets/label_text.h"
#include "app/widgets/named_button.h"
#include "app/yield/parameter_file_browse.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/text_compare.h"
#include "core/yield/run_settings.h"

namespace mk::app {

namespace {

const char* const kCaption = "林分材積表の作成";

}  // namespace

Dialog_Com4_01::Dialog_Com4_01(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("Dialog_Com4_01"));
    setWindowTitle(QString::fromUtf8(kCaption));

    auto* desc =
        new QLabel(QStringLiteral("林分材積表を作成するために必要なファイルを設定します。"), this);
    desc->setObjectName(QStringLiteral("Label_Desc"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(desc, 0, 0, 1, 2);
    struct Row {
        const char* label;
        const char* box;
        const char* button;
        const char* caption;
    };
    const Row rows[] = {{"Label1", "Text_PRM_Name", "Command_PRMSet", "林分密度管理図(PRM)"},
                        {"Label2", "Text_PAR_Name", "Command_PARSet", "上層樹高曲線式(PAR)"},
                        {"Label3", "Text_HNP_Name", "Command_HNPSet", "上層樹高－本数曲線式(HNP)"}};
    QLineEdit* boxes[3];
    QPushButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(rows[i].caption), this);
        label->setObjectName(QString::fromLatin1(rows[i].label));
        boxes[i] = new QLineEdit(this);
        boxes[i]->setObjectName(QString::fromLatin1(rows[i].box));
        boxes[i]->setMinimumWidth(380);
        buttons[i] = MakeButton(this, rows[i].button, QStringLiteral("参照..."));
        grid->addWidget(label, 1 + 2 * i, 0, 1, 2);
        grid->addWidget(boxes[i], 2 + 2 * i, 0);
        grid->addWidget(buttons[i], 2 + 2 * i, 1);
    }
    textPrm_ = boxes[0];
    textPar_ = boxes[1];
    textHnp_ = boxes[2];
    commandPrmSet_ = buttons[0];
    auto* ok = MakeButton(this, "OKButton", QStringLiteral("決定"));
    auto* cancel = MakeButton(this, "CancelButton", QStringLiteral("ｷｬﾝｾﾙ"));
    auto* row = new QHBoxLayout();
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    grid->addLayout(row, 8, 0, 1, 2);

    connect(buttons[0], &QPushButton::clicked, this, &Dialog_Com4_01::Command_PRMSet_Click);
    connect(buttons[1], &QPushButton::clicked, this, &Dialog_Com4_01::Command_PARSet_Click);
    connect(buttons[2], &QPushButton::clicked, this, &Dialog_Com4_01::Command_HNPSet_Click);
    connect(ok, &QPushButton::clicked, this, &Dialog_Com4_01::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &Dialog_Com4_01::CancelButton_Click);
    Form_Load();
}

void Dialog_Com4_01::Form_Load() {
    Workspace& ws = context_.ws;
    Messages& messages = context_.messages();
    context_.flags.WizardResult = 0;
    ClearDensityDiagram(ws.Diagram);
    ClearHeightCurve(ws.HeightCurve);
    ClearHnp(ws.Hnp);
    if (!ws.Run.PrmFileName.empty() && !ReadPrmFile(ws.Run.PrmFileName, ws.Diagram, messages)) {
        ws.Run.PrmFileName.clear();
    }
    textPrm_->setText(QString::fromStdString(ws.Run.PrmFileName));
    MarkLoaded(*textPrm_);
    if (!ws.Run.ParFileName.empty() && !ReadParFile(ws.Run.ParFileName, ws.HeightCurve, messages)) {
        ws.Run.ParFileName.clear();
    }
    textPar_->setText(QString::fromStdString(ws.Run.ParFileName));
    MarkLoaded(*textPar_);
    if (!ws.HnpFileName.empty() && !ReadHnpFile(ws.HnpFileName, ws.Hnp, messages)) {
        ws.HnpFileName.clear();
    }
    textHnp_->setText(QString::fromStdString(ws.HnpFileName));
    MarkLoaded(*textHnp_);
}

void Dialog_Com4_01::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    commandPrmSet_->setFocus();
}

void Dialog_Com4_01::Command_PRMSet_Click() {
    BrowseParameterFile(context_, this, *textPrm_, PrmFileKind(context_));
}

void Dialog_Com4_01::Command_PARSet_Click() {
    BrowseParameterFile(context_, this, *textPar_, ParFileKind(context_));
}

void Dialog_Com4_01::Command_HNPSet_Click() {
    BrowseParameterFile(context_, this, *textHnp_, HnpFileKind(context_));
}

void Dialog_Com4_01::OKButton_Click() {
    Workspace& ws = context_.ws;
    std::string problems;
    if (textPrm_->text().isEmpty()) problems += "PRMファイル名が指定されていません\r\n";
    if (textPar_->text().isEmpty()) problems += "PARファイル名が指定されていません\r\n";
    if (textHnp_->text().isEmpty()) problems += "HNPファイル名が指定されていません\r\n";
    if (problems.empty()) {
        if (!EnsureLoaded(*textPrm_, PrmFileKind(context_)) ||
            !EnsureLoaded(*textPar_, ParFileKind(context_)) ||
            !EnsureLoaded(*textHnp_, HnpFileKind(context_))) {
            return;
        }
        if (!ws.Hnp.HnpLoaded || !ws.HeightCurve.HeightCurveLoaded) {
            problems += "PARまたはHNPファイルが読み込まれていません";
        } else if (!TextEquals(ws.HeightCurve.HeightCurveSource, ws.Hnp.HnpSource)) {
            problems += "上層樹高生長曲線を計算したデータと一致しません。(PARとHNPが一致しない)";
        }
    }
    if (!problems.empty()) {
        context_.messages().Show(problems, kCaption, MessageIcon::Error);
        return;
    }
    ws.Run.PrmFileName = textPrm_->text().toStdString();
    ws.Run.ParFileName = textPar_->text().toStdString();
    ws.HnpFileName = textHnp_->text().toStdString();
    context_.VolumeSetupPrmFileName = ws.Run.PrmFileName;
    context_.VolumeSetupParFileName = ws.Run.ParFileName;
    ws.Run.EndAge = 100;
    ws.Run.CurrentAge = 1;
    context_.flags.WizardResult = 1;
    accept();
}

void Dialog_Com4_01::CancelButton_Click() {
    context_.flags.WizardResult = 0;
    reject();
}

bool RunVolumeTableSetup(AppContext& context, QWidget* parent) {
    ClearRunSettings(context.ws.Run);
    // The files decided the last time are offered again, read afresh as the
    // dialog opens: a table that could not be made is asked for once more
    // without choosing the three files again. At the first use in a session
    // those of the last successful use are offered.
    SettingsStore& settings = *context.services.settings;
    const auto offered = [&settings](const std::string& decided, const QString& key,
                                     const QuietRead& read) {
        return decided.empty() ? ReopenRecalledFile(settings, key, read) : decided;
    };
    context.ws.Run.PrmFileName =
        offered(context.VolumeSetupPrmFileName, QStringLiteral("VolumePrm"), ReadsAsPrm);
    context.ws.Run.ParFileName =
        offered(context.VolumeSetupParFileName, QStringLiteral("VolumePar"), ReadsAsPar);
    context.ws.HnpFileName =
        offered(context.ws.HnpFileName, QStringLiteral("VolumeHnp"), ReadsAsHnp);
    context.flags.WizardResult = 0;
    Dialog_Com4_01 dialog(context, parent);
    context.services.dialogs->Run(dialog);
    if (context.flags.WizardResult != 1) return false;
    RememberFile(settings, QStringLiteral("VolumePrm"), context.ws.Run.PrmFileName);
    RememberFile(settings, QStringLiteral("VolumePar"), context.ws.Run.ParFileName);
    RememberFile(settings, QStringLiteral("VolumeHnp"), context.ws.HnpFileName);
    return true;
}

}  // namespace mk::app
