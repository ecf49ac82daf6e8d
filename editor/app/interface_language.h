#pragma once

#include <QString>

class QApplication;

// The interface language: the program's own texts ("zh", also what runs without a choice) or
// their English ("en"). The choice is kept in the settings and takes effect at the next start;
// the command-line option `--lang en|zh` overrides it for one run.
inline constexpr char kChineseLanguage[] = "zh";
inline constexpr char kEnglishLanguage[] = "en";

// The kept choice, "zh" or "en"; empty when there is none.
QString ChosenInterfaceLanguage();
// Keeps `language` ("zh" or "en") for the next start.
void ChooseInterfaceLanguage(const QString& language);
// The language this run shows, "zh" or "en".
QString InterfaceLanguage();

// Installs the translation of `commandLineLanguage` ("en" or "zh"), or when that is empty the kept
// choice, into `application`: the editor's English and Qt's own texts in that language where Qt
// has them. "zh" and no choice install nothing, so the interface is the program's own. False for
// a language it does not know (nothing is installed then).
bool InstallInterfaceLanguage(QApplication& application, const QString& commandLineLanguage);
