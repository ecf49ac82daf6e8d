// Quillet, the sprite animation editor: `quillet` starts with an empty actor, `quillet FILE.an1`
// opens a document. QUILLET_PROMPT_SCRIPT and QUILLET_PROMPT_LOG run it unattended (see
// CFileScriptPrompts).
#include <QApplication>
#include <QSurfaceFormat>
#include <memory>
#include <optional>

#include "editor/app/file_script_prompts.h"
#include "editor/app/vello_app.h"

int main(int argc, char** argv) {
  // The accelerated canvas needs OpenGL 3.3 core in the view's context.
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);

  QApplication application(argc, argv);
  // Unattended runs answer every question from the script QUILLET_PROMPT_SCRIPT names.
  const std::unique_ptr<CFileScriptPrompts> scripted = CFileScriptPrompts::FromEnvironment();
  std::optional<CPromptScope> scripted_scope;
  if (scripted) {
    scripted_scope.emplace(*scripted);
  }
  CVelloApp app;
  app.InitInstance(QApplication::arguments().mid(1));
  return QApplication::exec();
}
