#include "app/services/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mk::app {

bool InstallJapaneseTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return false;
    // Installed once per application; a second call finds it in place.
    static QTranslator* installed = nullptr;
    if (installed != nullptr) return true;
    // The descriptions of file types in the file dialogs follow the
    // program's default locale, not only the translation.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

}  // namespace mk::app
