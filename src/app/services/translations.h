#pragma once
// Qt's own texts (file dialog buttons and labels, message box buttons, the
// overwrite question) in Japanese, so that no dialog of the program speaks
// English.

namespace mk::app {

// Loads Qt's Japanese translation from Qt's translations folder into the
// running application and makes Japanese the default locale. False when the translation files are
// not installed; the program then still works, with Qt's texts in English.
bool InstallJapaneseTranslations();

}  // namespace mk::app
