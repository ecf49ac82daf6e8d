#pragma once

#include <QString>
#include <deque>
#include <memory>
#include <string>

#include "editor/services/prompt_service.h"

// A prompt service that answers from a script file instead of showing dialogs, for running the
// program unattended: the program installs it when QUILLET_PROMPT_SCRIPT names a file. Each
// question takes the next line of the script:
//   messages              "yes", "no", "cancel" or "ok" (anything else, or no line left: the
//                         answer of a user who closes the message)
//   the input dialog      the text typed; an empty line cancels
//   file dialogs          the path; an empty line cancels ("a|b" chooses several files)
//   the folder dialog     the folder; an empty line cancels
//   the colour dialog     "#rrggbb"; an empty line cancels
//   the recovery dialog   one line per copy offered: "restore", "delete" or "keep"
//   other dialogs         "ok" accepts the dialog as it stands, anything else cancels
// When QUILLET_PROMPT_LOG names a file, every question is appended to it as one line
// ("message: ...", "recovery: title | path | time | readable").
class CFileScriptPrompts : public CPromptService {
 public:
  CFileScriptPrompts(const QString& scriptPath, const QString& logPath);

  // The service the environment asks for, or null when QUILLET_PROMPT_SCRIPT is not set.
  static std::unique_ptr<CFileScriptPrompts> FromEnvironment();

  UMessageAnswer ShowMessage(const UMessageRequest& request) override;
  std::optional<std::string> AskText(const std::string& initialUtf8,
                                     const TextCheck& check) override;
  std::optional<std::string> AskOpenPath(const CFileDialogRequest& request) override;
  std::optional<std::vector<std::string>> AskOpenPaths(const CFileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const CFileDialogRequest& request) override;
  std::optional<std::string> AskFolderPath(const std::string& initial) override;
  std::optional<QColor> AskColor(const QColor& initial) override;
  void ShowAbout() override;
  std::vector<CRecoveryChoice> AskRecovery(const std::vector<CRecoveryOffer>& offers) override;
  int RunDialog(QDialog& dialog) override;

 private:
  // The next line of the script; nothing when the script has run out.
  std::optional<std::string> NextLine();
  // The next line, with an empty one (or none) as nothing.
  std::optional<std::string> NextAnswer();
  void Log(const std::string& line) const;

  std::deque<std::string> m_Lines;
  QString m_LogPath;
};
