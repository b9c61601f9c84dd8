#pragma once
// Texts composed with CR LF line breaks, as the program writes them into
// files and messages, shown in a label (which breaks lines at LF alone).

#include <QLabel>
#include <QString>
#include <string>

namespace mk::app {

inline QString LabelText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

inline void SetLabelText(QLabel* label, const QString& text) { label->setText(LabelText(text)); }

inline void SetLabelText(QLabel* label, const std::string& text) {
    SetLabelText(label, QString::fromStdString(text));
}

}  // namespace mk::app
