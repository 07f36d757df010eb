#pragma once

#include <QString>
#include <functional>

// The language of the interface. The Chinese texts of the code are the source texts; English
// comes from the translation file parcelvue_en.qm, found like the other assets.
enum class InterfaceLanguage { Chinese, English };

// The user's messages locale: the first of LANGUAGE (its first entry), LC_ALL, LC_MESSAGES and LANG
// that is set. English for an English locale ("en", "en_GB.UTF-8"), Chinese for any other, the C
// and POSIX locales included.
InterfaceLanguage languageOfEnvironment(const std::function<QString(const char *name)> &variable);
InterfaceLanguage languageOfEnvironment();

// The setting "界面语言": "中文" or "English" decide; "自动" or anything else follows the environment.
InterfaceLanguage chosenLanguage(const QString &setting, InterfaceLanguage ofEnvironment);

// The translation file of a language: empty for Chinese, which needs none.
QString translationFileName(InterfaceLanguage language);

// Puts the language's translation into the running application (a QCoreApplication must exist);
// false, with the file named in the log, when it cannot be loaded (the interface stays Chinese).
// Qt's own texts follow: see installQtTranslation.
bool installTranslation(InterfaceLanguage language, const QString &dataDir);

// Qt's own texts (the buttons of the message boxes, the file dialogs, --help) are English; the
// Chinese interface gives them Qt's Chinese translation, qtbase_zh_CN.qm from `directory` (Qt's
// translations folder unless told). False, told in the log, when the file is missing: they stay
// English.
bool installQtTranslation(InterfaceLanguage language, const QString &directory = QString());
