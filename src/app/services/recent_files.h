#pragma once
// What the program remembers between runs besides the launcher's settings:
// the files of each wizard's last successful use and the folder of the last
// file dialog, in the settings store under the group "Recent".

#include <QString>
#include <functional>
#include <string>

namespace mk {
class Messages;
}

namespace mk::app {

class SettingsStore;

inline const QString kRecentGroup = QStringLiteral("Recent");

// The remembered path under key, or empty when none is remembered or the
// file is no longer there (a file that has gone is simply left out).
std::string RecalledFile(SettingsStore& settings, const QString& key);
// Remembers path under key (an empty path forgets it).
void RememberFile(SettingsStore& settings, const QString& key, const std::string& path);

// Reads a file that was remembered for reading it again, as a window or
// wizard starts: read gets the path and a Messages that keeps quiet, and
// should read into a record of its own. The path comes back only when the
// file is there, read returned true and nothing had to be said; otherwise
// the file is left out without a word, since an error box before the user
// has asked for anything helps no one.
using QuietRead = std::function<bool(const std::string& path, Messages& quiet)>;
std::string ReopenRecalledFile(SettingsStore& settings, const QString& key, const QuietRead& read);
// Reads the file as a diagram's coefficients (PRM), a site-class curve
// (PAR) or a height–stem-number curve (HNP) into a record of its own, for
// the wizards that only need to know whether it still reads.
bool ReadsAsPrm(const std::string& path, Messages& quiet);
bool ReadsAsPar(const std::string& path, Messages& quiet);
bool ReadsAsHnp(const std::string& path, Messages& quiet);

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
