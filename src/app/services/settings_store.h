#pragma once
// The per-user settings store: the program keeps only the paths and
// arguments of the external editor and file manager there.

#include <QString>

namespace mk::app {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A missing key reads as the empty string.
    virtual QString Read(const QString& group, const QString& key) = 0;
    virtual void Write(const QString& group, const QString& key, const QString& value) = 0;
};

// The application name under which the settings live.
QString SettingsApplicationName();

class QtSettingsStore final : public SettingsStore {
public:
    // The platform's per-user store under the application name.
    QtSettingsStore();
    // An INI file at the given path (for a test that restarts the program).
    explicit QtSettingsStore(const QString& iniPath);

    QString Read(const QString& group, const QString& key) override;
    void Write(const QString& group, const QString& key, const QString& value) override;

private:
    QString iniPath_;
};

}  // namespace mk::app
