#pragma once
// Numbers typed into the program's boxes. With the Japanese input method on,
// digits arrive full-width ("３０．５"); they are taken as the number they
// show. Text that is still no number is refused with a message instead of
// silently becoming 0 or the old value.

#include <QString>
#include <optional>
#include <string>

#include "core/host/messages.h"

class QLineEdit;

namespace mk::app {

// "「" + typed + "」は数値として読めません。" + CR LF + "数字で入力してください。"
std::string NotANumberText(const QString& typed);

// The box's number, or nothing after a message titled title (error icon).
std::optional<double> ReadRealBox(const QLineEdit& box, Messages& messages,
                                  const std::string& title);
std::optional<int> ReadWholeBox(const QLineEdit& box, Messages& messages, const std::string& title);

}  // namespace mk::app
