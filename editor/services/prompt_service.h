#pragma once

#include <QColor>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/message.h"
#include "editor/services/recovery_offer.h"
#include "editor/services/typed_text.h"

class QDialog;

// What a file dialog asks for. `filter` is written as pairs "description|patterns|", ended by a
// second '|' ("组合OBJ 文件 (*.an1)|*.an1||"); `defaultExtension` (".an1", or empty) is added to a
// typed name that has no extension; `initialName` is the proposed file name.
struct CFileDialogRequest {
  std::string filter;
  std::string defaultExtension;
  std::string initialName;
};

// The one way the editor talks to the user in a modal way: messages, questions, the input
// dialog, file and colour dialogs, About and the other modal dialogs of the program. The program
// runs with the Qt implementation; tests install one that records what was asked and answers
// from a script, without blocking.
class CPromptService {
 public:
  // Returns the problem with a typed text ("" when it is acceptable).
  using TextCheck = std::function<std::string(const std::string& utf8)>;

  CPromptService() = default;
  CPromptService(const CPromptService&) = delete;
  CPromptService& operator=(const CPromptService&) = delete;
  virtual ~CPromptService();

  // Shows a message (UTF-8) and returns the button chosen.
  virtual UMessageAnswer ShowMessage(const UMessageRequest& request) = 0;
  // Shows the input dialog "请输入" with `initialUtf8` and returns the text confirmed with "确定",
  // or nothing for "取消". A text that `check` finds a problem with is not accepted: the problem
  // is shown and the dialog stays.
  virtual std::optional<std::string> AskText(const std::string& initialUtf8,
                                             const TextCheck& check) = 0;
  // Open and save dialogs: the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> AskOpenPath(const CFileDialogRequest& request) = 0;
  // An open dialog that takes several files: every path chosen (at least one), or nothing when
  // cancelled.
  virtual std::optional<std::vector<std::string>> AskOpenPaths(
      const CFileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSavePath(const CFileDialogRequest& request) = 0;
  // A folder dialog starting at `initial`: the folder chosen, or nothing when cancelled.
  virtual std::optional<std::string> AskFolderPath(const std::string& initial) = 0;
  // The colour dialog, starting at `initial`: the colour chosen, or nothing when cancelled.
  virtual std::optional<QColor> AskColor(const QColor& initial) = 0;
  // The About dialog.
  virtual void ShowAbout() = 0;
  // The recovery dialog "恢复文档": the copies left by editors that ended without saving, each
  // to restore, delete or keep for later. Returns one choice per offer, in order; at most one
  // is Restore, and never for an offer with a problem.
  virtual std::vector<CRecoveryChoice> AskRecovery(const std::vector<CRecoveryOffer>& offers) = 0;
  // Any other modal dialog of the program; returns its result code (QDialog::Accepted or
  // Rejected).
  virtual int RunDialog(QDialog& dialog) = 0;

  // Helpers over the calls above.
  // A message with an OK button.
  void Tell(const std::string& utf8, UMessageIcon icon = UMessageIcon::Information);
  // A question with Yes, No and Cancel.
  UMessageAnswer AskYesNoCancel(const std::string& utf8);
  // The input dialog, accepting only what a field of `kind` can store.
  std::optional<std::string> AskTypedText(const std::string& initialUtf8, TypedTextKind kind);
};

// The service in use: the one a scope installed last, else the program's, else one that writes
// messages to standard error and answers every question with what loses nothing.
CPromptService& Prompts();

// Makes `service` the service in use for the scope's life, and routes Core's messages and the
// property grid's colour dialog through it; the previous service and hooks come back at the end.
class CPromptScope {
 public:
  explicit CPromptScope(CPromptService& service);
  CPromptScope(const CPromptScope&) = delete;
  CPromptScope& operator=(const CPromptScope&) = delete;
  ~CPromptScope();

 private:
  CPromptService* m_Previous;
  UMessageHook m_PreviousMessageHook;
};

// Makes `programService` (which must outlive every prompt) the program's service, and routes
// Core's messages and the property grid's colour dialog to Prompts() for good; the program
// calls it once at start.
void RouteLibraryPromptsToService(CPromptService& programService);

// "description|patterns|..||" as Qt name filters ("description (patterns)").
QStringList QtNameFilters(const std::string& filter);
