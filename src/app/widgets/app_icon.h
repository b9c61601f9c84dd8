#pragma once
// The program's icon: a small stand of conifers, drawn rather than loaded so
// the program needs no resource files.

#include <QIcon>

namespace mk::app {

QIcon AppIcon();

}  // namespace mk::app
