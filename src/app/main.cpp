#include <QApplication>
#include <QFont>
#include <memory>

#include "app/app_context.h"
#include "app/main/form_main.h"
#include "app/services/translations.h"
#include "app/widgets/app_icon.h"
#include "morikoyomi_version.h"
#include "app/widgets/screen_fit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("杜の暦『構想』"));
    QApplication::setApplicationVersion(QStringLiteral(MORIKOYOMI_VERSION));
    // Ties the windows to the installed desktop entry, so that a Wayland
    // desktop shows its name and icon for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("morikoyomi"));
    QApplication::setWindowIcon(mk::app::AppIcon());
    mk::app::InstallJapaneseTranslations();
    // Windows larger than the screen scroll instead of running off it.
    mk::app::InstallScreenFit();
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), font.family()});
    QApplication::setFont(font);
    // The program ends when its main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    auto context = std::make_unique<mk::app::AppContext>();
    context->services = mk::app::ToolkitServices();
    auto window = std::make_unique<mk::app::Form_Main>(*context);
    QObject::connect(window.get(), &mk::app::Form_Main::closed, &app, &QApplication::quit);
    window->show();
    const int status = QApplication::exec();
    window.reset();
    return status;
}
