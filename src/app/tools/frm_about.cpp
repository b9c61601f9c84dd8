#include "app/tools/frm_about.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/main/app_texts.h"
#include "app/widgets/app_icon.h"
#include "core/text/number_format.h"
#include "morikoyomi_version.h"

namespace mk::app {

QString VersionText(int major, int minor, int revision) {
    const std::string text = "Version " + AlignRight(IntText(major), 2) + "." +
                             FormatNumber(minor, "00") + "." + FormatNumber(revision, "00");
    return QString::fromStdString(text);
}

namespace {

// Each text is one line: a Japanese description broken by the toolkit's
// wrapping splits a word, so the box takes the width of its longest line.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(false);
    return label;
}

}  // namespace

frmAbout::frmAbout(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = QStringLiteral("杜の暦『構想』");
    setWindowTitle(QStringLiteral("システム収穫表：") + title + QStringLiteral("について"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(AppIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* lblTitle = MakeLabel(this, "lblTitle", title);
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    lblTitle->setFont(big);
    auto* lblVersion = MakeLabel(
        this, "lblVersion",
        VersionText(MORIKOYOMI_VERSION_MAJOR, MORIKOYOMI_VERSION_MINOR, MORIKOYOMI_VERSION_PATCH));
    auto* lblDescription =
        MakeLabel(this, "lblDescription",
                  QStringLiteral("林分密度管理図に基づく人工林収穫予測表作成システム"));
    auto* copyrights = MakeLabel(this, "Label_Copyrights", QString::fromUtf8(MORIKOYOMI_COPYRIGHT));
    auto* disclaimer = MakeLabel(this, "lblDisclaimer", QString());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* sysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 16);
    grid->setHorizontalSpacing(18);
    grid->addWidget(icon, 0, 0, 4, 1);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(copyrights, 3, 1);
    grid->addWidget(disclaimer, 4, 1);
    auto* buttons = new QVBoxLayout();
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto* row = new QHBoxLayout();
    row->addStretch();
    row->addLayout(buttons);
    grid->addLayout(row, 5, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() {
    // This platform has no system information viewer to start.
    context_.messages().Show("現時点ではｼｽﾃﾑ情報を使用できません",
                             DefaultMessageTitle().toStdString(), MessageIcon::None,
                             MessageButtons::Ok);
}

}  // namespace mk::app
