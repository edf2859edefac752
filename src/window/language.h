#pragma once

// The language the program speaks. Its texts are written in Chinese, the system's own; an
// English translation is built into the program beside an empty Chinese one. The language is
// the one asked for on the command line (--lang), else the one chosen in the window last time,
// else the desktop's: its languages in the user's order (on Linux LANGUAGE before LC_ALL,
// LC_MESSAGES and LANG), the first the program has; Chinese where no language is named (C,
// POSIX), English for a language it does not have.

#include <QString>
#include <QStringList>

namespace veltaro {

// The languages the program speaks, by the names --lang takes.
inline constexpr const char *kChinese = "zh_CN";
inline constexpr const char *kEnglish = "en";
QStringList languagesSpoken();

// The language to speak: `asked` or `remembered` when the program has it, else the system's.
QString chooseLanguage(const QString &asked, const QString &remembered);

// The language chosen in the window, in the settings (`settingsFile` empty: the user's).
QString rememberedLanguage(const QString &settingsFile);
// Writes it; the settings' file when it could not be written, else nothing.
QString rememberLanguage(const QString &settingsFile, const QString &language);

// Speaks `language` from now on in the running application: the program's translation, Qt's
// own for its dialogs' buttons (Chinese: from qtbase_zh_CN, said on standard error when it is
// not installed), the texts made in plain C++ (said()). Call again in a new application object.
void speak(const QString &language);

// The language spoken now.
QString languageSpoken();

} // namespace veltaro
