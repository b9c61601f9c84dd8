#include "app/services/qt_messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "app/main/app_texts.h"

namespace mk::app {

namespace {

QMessageBox::Icon ToolkitIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToolkitButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return QMessageBox::Ok;
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button) {
    switch (button) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
    }
}

}  // namespace

int TitleBarWidth(const QString& title) {
    // Title bars use a bold font, often larger than the dialog's.
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    const int decorations = 140;  // icon, close button, margins
    return QFontMetrics(font).horizontalAdvance(title) + decorations;
}

void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    // An empty item across the whole grid holds the box open to the width.
    grid->addItem(new QSpacerItem(TitleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

MessageAnswer QtMessages::Show(const std::string& text, const std::string& title,
                               MessageIcon icon, MessageButtons buttons) {
    QString shownTitle = QString::fromStdString(title);
    if (shownTitle.isEmpty()) shownTitle = DefaultMessageTitle();
    QString shownText = QString::fromStdString(text);
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToolkitIcon(icon), shownTitle, shownText, ToolkitButtons(buttons),
                    QApplication::activeWindow());
    FitTitle(box);
    return Answer(box.exec());
}

void QtEventPump::Pump() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace mk::app
