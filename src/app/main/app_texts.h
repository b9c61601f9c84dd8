#pragma once
// Texts the windows share.

#include <QString>

namespace mk::app {

inline QString ProgramCaption() { return QStringLiteral("システム収穫表：杜の暦『構想』"); }
// The title of a message box for which the program gives none of its own.
inline QString DefaultMessageTitle() { return QStringLiteral("杜の暦『構想』"); }

}  // namespace mk::app
