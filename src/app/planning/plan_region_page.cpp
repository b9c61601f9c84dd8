#include "app/planning/plan_region_page.h"

#include "app/planning/planning_wizard.h"
#include "app/widgets/label_text.h"

namespace mk::app {

const QStringList& Dialog_Com2_02::Regions() {
    static const QStringList regions = {
        QStringLiteral("北海道"),   QStringLiteral("青森県"),   QStringLiteral("岩手県"),
        QStringLiteral("宮城県"),   QStringLiteral("秋田県"),   QStringLiteral("山形県"),
        QStringLiteral("福島県"),   QStringLiteral("茨城県"),   QStringLiteral("栃木県"),
        QStringLiteral("群馬県"),   QStringLiteral("埼玉県"),   QStringLiteral("千葉県"),
        QStringLiteral("東京都"),   QStringLiteral("神奈川県"), QStringLiteral("新潟県"),
        QStringLiteral("富山県"),   QStringLiteral("石川県"),   QStringLiteral("福井県"),
        QStringLiteral("山梨県"),   QStringLiteral("長野県"),   QStringLiteral("岐阜県"),
        QStringLiteral("静岡県"),   QStringLiteral("愛知県"),   QStringLiteral("三重県"),
        QStringLiteral("滋賀県"),   QStringLiteral("京都府"),   QStringLiteral("大阪府"),
        QStringLiteral("兵庫県"),   QStringLiteral("奈良県"),   QStringLiteral("和歌山県"),
        QStringLiteral("鳥取県"),   QStringLiteral("島根県"),   QStringLiteral("岡山県"),
        QStringLiteral("広島県"),   QStringLiteral("山口県"),   QStringLiteral("徳島県"),
        QStringLiteral("香川県"),   QStringLiteral("愛媛県"),   QStringLiteral("高知県"),
        QStringLiteral("福岡県"),   QStringLiteral("佐賀県"),   QStringLiteral("長崎県"),
        QStringLiteral("熊本県"),   QStringLiteral("大分県"),   QStringLiteral("宮崎県"),
        QStringLiteral("鹿児島県"), QStringLiteral("沖縄県")};
    return regions;
}

Dialog_Com2_02::Dialog_Com2_02(AppContext& context, QWidget* parent)
    : WizardPage(context, QStringLiteral("Dialog_Com2_02"), PlanPageCaption(context.ws.Plan),
                 QStringLiteral("Label_Desc"), parent) {
    auto* label1 = new QLabel(QStringLiteral("計算対象地域"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->addItems(Regions());
    list1_->setMinimumHeight(180);
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    body()->addWidget(label1);
    body()->addWidget(list1_);
    body()->addWidget(label2_);
    connect(list1_, &QListWidget::currentRowChanged, this, &Dialog_Com2_02::List1_Click);
    Form_Load();
}

void Dialog_Com2_02::Form_Load() {
    context_.flags.WizardResult = 0;
    backButton()->setEnabled(true);
    okButton()->setEnabled(false);
    SetLabelText(description(), QStringLiteral("収穫予測のためのパラメータを設定します。\r\n"
                                               "計算対象地域を選択してください。"));
    label2_->clear();
    // Every prefecture, 北海道 included, can be chosen and shown again.
    const int region = ws().Plan.RegionNumber;
    if (region >= 1 && region <= Regions().size()) list1_->setCurrentRow(region - 1);
}

void Dialog_Com2_02::List1_Click() {
    const int row = list1_->currentRow();
    if (row < 0 || row == shownRow_) return;
    shownRow_ = row;
    okButton()->setEnabled(true);
    label2_->setText(QStringLiteral("計算対象地域は ") + Regions()[row] +
                     QStringLiteral(" が選択されています。"));
}

void Dialog_Com2_02::KeepValuesForLater() { Store(); }

void Dialog_Com2_02::OKButton_Click() {
    if (list1_->currentRow() < 0) return;
    Store();
    Finish();
}

void Dialog_Com2_02::Store() {
    const int row = list1_->currentRow();
    if (row < 0) return;
    PlanSettings& plan = ws().Plan;
    plan.RegionNumber = row + 1;
    plan.RegionPrefix = Regions()[row].left(2).toStdString();
}

}  // namespace mk::app
