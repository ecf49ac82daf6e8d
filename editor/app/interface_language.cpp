#include "editor/app/interface_language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "editor/app/vello_app.h"

namespace {

constexpr char kLanguageKey[] = "Interface/Language";

QString g_RunningLanguage = kChineseLanguage;

bool IsKnown(const QString& language) {
  return language == kChineseLanguage || language == kEnglishLanguage;
}

// Installs translator `name` found in `folder`; false when there is no such file.
bool InstallTranslator(QApplication& application, const QString& name, const QString& folder) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(name, folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace

QString ChosenInterfaceLanguage() {
  // The settings file is found by the application's names.
  SetApplicationIdentity();
  const QString language = QSettings().value(kLanguageKey).toString();
  return IsKnown(language) ? language : QString();
}

void ChooseInterfaceLanguage(const QString& language) {
  SetApplicationIdentity();
  QSettings().setValue(kLanguageKey, language);
}

QString InterfaceLanguage() {
  return g_RunningLanguage;
}

bool InstallInterfaceLanguage(QApplication& application, const QString& commandLineLanguage) {
  const QString language =
      commandLineLanguage.isEmpty() ? ChosenInterfaceLanguage() : commandLineLanguage;
  if (!language.isEmpty() && !IsKnown(language)) {
    return false;
  }
  g_RunningLanguage = language.isEmpty() ? QString(kChineseLanguage) : language;
  if (g_RunningLanguage == kChineseLanguage) {
    return true;
  }
  // The editor's English is built into the program (the resource the translations' build adds).
  InstallTranslator(application, "quillet_" + language, ":/i18n");
  InstallTranslator(application, "qtbase_" + language,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return true;
}
