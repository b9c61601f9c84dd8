#pragma once
// The program's icon: the stand of conifers of data/icons/morikoyomi.svg, the
// same picture the desktop's menu shows, at the sizes rendered from it and
// built into the program.

#include <QIcon>

namespace mk::app {

QIcon AppIcon();

}  // namespace mk::app
