// Quillet, the sprite animation editor: `quillet` starts with an empty actor, `quillet FILE.an1`
// opens a document; `--lang en|zh` chooses the interface language for this run.
// QUILLET_PROMPT_SCRIPT and QUILLET_PROMPT_LOG run it unattended (see CFileScriptPrompts).
#include <QApplication>
#include <QSurfaceFormat>
#include <QTextStream>
#include <memory>
#include <optional>

#include "editor/app/file_script_prompts.h"
#include "editor/app/interface_language.h"
#include "editor/app/vello_app.h"

namespace {

// Takes `--lang VALUE` or `--lang=VALUE` out of `arguments` and returns VALUE ("" without one).
QString TakeLanguageOption(QStringList& arguments) {
  QString language;
  for (int i = 0; i < arguments.size();) {
    if (arguments[i] == "--lang" && i + 1 < arguments.size()) {
      language = arguments[i + 1];
      arguments.remove(i, 2);
    } else if (arguments[i].startsWith("--lang=")) {
      language = arguments[i].mid(7);
      arguments.remove(i);
    } else {
      ++i;
    }
  }
  return language;
}

}  // namespace

int main(int argc, char** argv) {
  // The accelerated canvas needs OpenGL 3.3 core in the view's context.
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);

  QApplication application(argc, argv);
  QStringList arguments = QApplication::arguments().mid(1);
  if (!InstallInterfaceLanguage(application, TakeLanguageOption(arguments))) {
    QTextStream(stderr) << "quillet: --lang takes en or zh\n";
    return 2;
  }
  // Unattended runs answer every question from the script QUILLET_PROMPT_SCRIPT names.
  const std::unique_ptr<CFileScriptPrompts> scripted = CFileScriptPrompts::FromEnvironment();
  std::optional<CPromptScope> scripted_scope;
  if (scripted) {
    scripted_scope.emplace(*scripted);
  }
  CVelloApp app;
  app.InitInstance(arguments);
  return QApplication::exec();
}
