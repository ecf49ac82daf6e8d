#pragma once

#include "editor/services/prompt_service.h"

// The prompt service of the running program: real Qt dialogs over the active window.
class CQtPromptService : public CPromptService {
 public:
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
};
