#include "app/yield/wizard_method_page.h"

#include <QButtonGroup>
#include <QHBoxLayout>

#include "app/widgets/label_text.h"
#include "core/model/site_class.h"

namespace mk::app {

Dialog_Com3_02::Dialog_Com3_02(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com3_02"),
                 QStringLiteral("収穫予測表の作成－パラメータ設定(2/4)"), QStringLiteral("Label3"),
                 parent) {
    auto* frame1 = new QGroupBox(QStringLiteral("間伐方式"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* methods = new QVBoxLayout(frame1);
    auto* methodGroup = new QButtonGroup(this);
    const QString names[] = {
        QStringLiteral("林齢と間伐率"),         QStringLiteral("上層樹高と間伐率"),
        QStringLiteral("胸高直径と間伐率"),     QStringLiteral("収量比数と間伐率"),
        QStringLiteral("収量比数の上限と下限"), QStringLiteral("形状比の上限と下限")};
    for (int i = 1; i <= 6; ++i) {
        options_[i] = new QRadioButton(names[i - 1], frame1);
        options_[i]->setObjectName(QStringLiteral("Option%1").arg(i));
        methodGroup->addButton(options_[i], i);
        methods->addWidget(options_[i]);
    }
    frame2_ = new QGroupBox(QStringLiteral("本数設定法"), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    auto* stems = new QVBoxLayout(frame2_);
    auto* stemGroup = new QButtonGroup(this);
    options_[7] = new QRadioButton(QStringLiteral("植栽本数"), frame2_);
    options_[8] = new QRadioButton(QStringLiteral("現在本数"), frame2_);
    for (int i = 7; i <= 8; ++i) {
        options_[i]->setObjectName(QStringLiteral("Option%1").arg(i));
        stemGroup->addButton(options_[i], i);
        stems->addWidget(options_[i]);
    }
    stems->addStretch();
    auto* row = new QHBoxLayout();
    row->addWidget(frame1, 3);
    row->addWidget(frame2_, 2);
    body()->addLayout(row);
    // The description is composed on loading from the site class.
    description()->clear();
    Form_Load();
}

void Dialog_Com3_02::Form_Load() {
    Workspace& w = ws();
    context_.flags.WizardResult = 0;
    // Option groups refuse to clear their last checked button otherwise.
    for (int i = 1; i <= 8; ++i) {
        options_[i]->setAutoExclusive(false);
        options_[i]->setChecked(false);
        options_[i]->setAutoExclusive(true);
    }
    options_[7]->setEnabled(true);
    options_[8]->setEnabled(true);
    frame2_->setEnabled(true);
    frame2_->setTitle(QStringLiteral("本数設定法"));
    QString text = description()->text();
    if (w.Run.SiteClass == kSiteMeasured) {
        options_[7]->setEnabled(false);
        options_[8]->setChecked(true);
        frame2_->setTitle(QStringLiteral("本数設定法は決定しています"));
        text = QStringLiteral("地位：") + QString::fromStdString(w.CurrentStand.SiteText) +
               QStringLiteral("\r\n間伐方式を決定します。　");
    } else {
        text += QStringLiteral("地位：") + QString::fromStdString(SiteClassName(w.Run.SiteClass)) +
                QStringLiteral("\r\n間伐方式と本数設定法を決定します。　");
        options_[w.Run.StemSettingMethod == 2 ? 8 : 7]->setChecked(true);
    }
    SetLabelText(description(), text);
    const int method = w.Run.ThinningMethod;
    options_[method >= 1 && method <= 6 ? method : 1]->setChecked(true);
}

void Dialog_Com3_02::Form_Activate() { okButton()->setFocus(); }

void Dialog_Com3_02::KeepValuesForLater() {
    RunSettings& run = ws().Run;
    int method = run.ThinningMethod;
    for (int i = 1; i <= 6; ++i) {
        if (options_[i]->isChecked()) method = i;
    }
    // The last page's values belong to the method they were entered for.
    if (method != run.ThinningMethod) ClearThinningChoices(run);
    run.ThinningMethod = method;
    if (options_[7]->isChecked()) run.StemSettingMethod = 1;
    if (options_[8]->isChecked()) run.StemSettingMethod = 2;
}

void Dialog_Com3_02::OKButton_Click() {
    KeepValuesForLater();
    Finish();
}

}  // namespace mk::app
