#include "app/widgets/number_box.h"

#include <QLineEdit>

#include "core/text/number_parse.h"

namespace mk::app {

std::string NotANumberText(const QString& typed) {
    return "「" + typed.toStdString() + "」は数値として読めません。\r\n数字で入力してください。";
}

namespace {

template <typename T>
std::optional<T> Refuse(const QLineEdit& box, Messages& messages, const std::string& title) {
    messages.Show(NotANumberText(box.text()), title, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
}

}  // namespace

std::optional<double> ReadRealBox(const QLineEdit& box, Messages& messages,
                                  const std::string& title) {
    const std::optional<double> value = ParseTypedReal(box.text().toStdString());
    if (value) return value;
    return Refuse<double>(box, messages, title);
}

std::optional<int> ReadWholeBox(const QLineEdit& box, Messages& messages,
                                const std::string& title) {
    const std::optional<int> value = ParseTypedWhole(box.text().toStdString());
    if (value) return value;
    return Refuse<int>(box, messages, title);
}

}  // namespace mk::app
