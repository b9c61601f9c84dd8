#include "app/widgets/app_icon.h"

namespace mk::app {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/morikoyomi-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace mk::app
