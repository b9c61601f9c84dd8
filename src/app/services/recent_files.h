#pragma once
// What the program remembers between runs besides the launcher's settings:
// the files of each wizard's last successful use and the folder of the last
// file dialog, in the settings store under the group "Recent".

#include <QString>
#include <string>

namespace mk::app {

class SettingsStore;

inline const QString kRecentGroup = QStringLiteral("Recent");

// The remembered path under key, or empty when none is remembered or the
// file is no longer there (a file that has gone is simply left out).
std::string RecalledFile(SettingsStore& settings, const QString& key);
// Remembers path under key (an empty path forgets it).
void RememberFile(SettingsStore& settings, const QString& key, const std::string& path);

// The folder of the last file chosen in a file dialog, or empty when it is
// not known or no longer there.
QString RecalledFolder(SettingsStore& settings);
void RememberFolderOf(SettingsStore& settings, const QString& chosenPath);

// Where a file dialog opens: a preset that is only a pattern in the
// process's current folder ("<current>/*.prm", the program's usual
// proposal) opens in the last folder used instead; a preset naming a file
// or another folder is kept as it is.
QString DialogStartPath(const QString& preset, const QString& currentFolder,
                        const QString& lastFolder);

}  // namespace mk::app
