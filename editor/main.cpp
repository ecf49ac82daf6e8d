// Quillet, the sprite animation editor: `quillet` starts with an empty actor, `quillet FILE.an1`
// opens a document; `quillet --help` lists the options. QUILLET_PROMPT_SCRIPT and
// QUILLET_PROMPT_LOG run it unattended (see CFileScriptPrompts).
#include <QApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <memory>
#include <optional>

#include "editor/app/file_script_prompts.h"
#include "editor/app/start_options.h"
#include "editor/app/vello_app.h"
#include "editor/services/own_files_folder.h"

namespace {

// Answers --help, --version and a bad command line before any display is opened. Returns the
// exit status, or nothing when the editor is to start.
std::optional<int> AnswerWithoutDisplay(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.append(QString::fromLocal8Bit(argv[i]));
  }
  const CStartRequest request = ReadStartOptions(arguments);
  switch (request.kind) {
    case CStartRequest::EKind::ShowHelp:
      std::fputs(StartHelpText().toLocal8Bit().constData(), stdout);
      return 0;
    case CStartRequest::EKind::ShowVersion:
      std::fputs(StartVersionText().toLocal8Bit().constData(), stdout);
      return 0;
    case CStartRequest::EKind::BadUsage:
      std::fprintf(stderr, "quillet: %s (see quillet --help)\n",
                   request.error.toLocal8Bit().constData());
      return 2;
    case CStartRequest::EKind::Run:
      break;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerWithoutDisplay(argc, argv)) {
    return *status;
  }
  // The accelerated canvas needs OpenGL 3.3 core in the view's context.
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);

  QApplication application(argc, argv);
  // Read again without the toolkit's own options, which the application took out.
  const CStartOptions options = ReadStartOptions(QApplication::arguments().mid(1)).options;
  KeepOwnFilesInDataFolder(options.useDataFolder);
  // Unattended runs answer every question from the script QUILLET_PROMPT_SCRIPT names.
  const std::unique_ptr<CFileScriptPrompts> scripted = CFileScriptPrompts::FromEnvironment();
  std::optional<CPromptScope> scripted_scope;
  if (scripted) {
    scripted_scope.emplace(*scripted);
  }
  CVelloApp app;
  app.InitInstance(options.files);
  return QApplication::exec();
}
