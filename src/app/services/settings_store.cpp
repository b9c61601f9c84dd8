#include "app/services/settings_store.h"

#include <QSettings>
#include <memory>

namespace mk::app {

QString SettingsApplicationName() { return QStringLiteral("杜の暦『構想』"); }

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniPath) : iniPath_(iniPath) {}

namespace {

std::unique_ptr<QSettings> Open(const QString& iniPath) {
    if (!iniPath.isEmpty()) return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       SettingsApplicationName(), SettingsApplicationName());
}

}  // namespace

QString QtSettingsStore::Read(const QString& group, const QString& key) {
    auto settings = Open(iniPath_);
    settings->beginGroup(group);
    return settings->value(key, QString()).toString();
}

void QtSettingsStore::Write(const QString& group, const QString& key, const QString& value) {
    auto settings = Open(iniPath_);
    settings->beginGroup(group);
    settings->setValue(key, value);
    settings->endGroup();
    settings->sync();
}

}  // namespace mk::app
