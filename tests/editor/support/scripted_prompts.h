#pragma once

#include <QDialog>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/services/prompt_service.h"

// A prompt service for tests: it records every message and dialog, and answers from queues that
// the test fills, without showing anything. An empty queue answers as a user who cancels.
class ScriptedPrompts : public CPromptService {
 public:
  ScriptedPrompts() : m_Scope(*this) {}

  UMessageAnswer ShowMessage(const UMessageRequest& request) override {
    messages.push_back(request.text);
    if (answers.empty()) {
      return SafeAnswer(request.buttons);
    }
    const UMessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Each typed text is tried in turn, as a user who retypes after a refusal; the dialog is
  // cancelled when the texts run out.
  std::optional<std::string> AskText(const std::string& initialUtf8,
                                     const TextCheck& check) override {
    inputInitialTexts.push_back(initialUtf8);
    while (!typedTexts.empty()) {
      const std::optional<std::string> typed = typedTexts.front();
      typedTexts.pop_front();
      if (!typed) {
        return std::nullopt;
      }
      const std::string problem = check ? check(*typed) : std::string();
      if (problem.empty()) {
        return typed;
      }
      Tell(problem, UMessageIcon::Warning);
    }
    return std::nullopt;
  }

  std::optional<std::string> AskOpenPath(const CFileDialogRequest& request) override {
    fileRequests.push_back(request);
    return Next(paths);
  }
  std::optional<std::vector<std::string>> AskOpenPaths(const CFileDialogRequest& request) override {
    fileRequests.push_back(request);
    return Next(pathLists);
  }
  std::optional<std::string> AskSavePath(const CFileDialogRequest& request) override {
    fileRequests.push_back(request);
    return Next(paths);
  }
  std::optional<std::string> AskFolderPath(const std::string& initial) override {
    folderInitials.push_back(initial);
    return Next(paths);
  }
  std::optional<QColor> AskColor(const QColor& initial) override {
    colorInitials.push_back(initial);
    return Next(colors);
  }
  void ShowAbout() override { ++aboutShown; }
  // One choice per offer from `recoveryChoices`; Keep for each once it is empty.
  std::vector<CRecoveryChoice> AskRecovery(const std::vector<CRecoveryOffer>& offers) override {
    recoveryOffers.push_back(offers);
    std::vector<CRecoveryChoice> choices;
    for (size_t i = 0; i < offers.size(); ++i) {
      choices.push_back(recoveryChoices.empty() ? CRecoveryChoice::Keep : recoveryChoices.front());
      if (!recoveryChoices.empty()) {
        recoveryChoices.pop_front();
      }
    }
    return choices;
  }
  int RunDialog(QDialog& dialog) override {
    dialogTitles.push_back(dialog.windowTitle().toStdString());
    if (onDialog) {
      onDialog(dialog);
    }
    return dialogResult;
  }

  std::deque<UMessageAnswer> answers;
  std::deque<std::optional<std::string>> typedTexts;
  std::deque<std::optional<std::string>> paths;
  std::deque<std::optional<std::vector<std::string>>> pathLists;
  std::deque<std::optional<QColor>> colors;
  std::deque<CRecoveryChoice> recoveryChoices;
  std::function<void(QDialog&)> onDialog;
  int dialogResult = QDialog::Rejected;

  std::vector<std::string> messages;
  std::vector<std::string> inputInitialTexts;
  std::vector<CFileDialogRequest> fileRequests;
  std::vector<QColor> colorInitials;
  std::vector<std::string> folderInitials;
  std::vector<std::string> dialogTitles;
  std::vector<std::vector<CRecoveryOffer>> recoveryOffers;
  int aboutShown = 0;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) {
      return std::nullopt;
    }
    std::optional<T> next = queue.front();
    queue.pop_front();
    return next;
  }

  CPromptScope m_Scope;
};
