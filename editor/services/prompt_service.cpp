#include "editor/services/prompt_service.h"

#include <QDialog>
#include <QStringList>
#include <cstdio>

#include "editor_support/dialogs/color_picker.h"

namespace {

CPromptService* g_installed = nullptr;
CPromptService* g_program = nullptr;

// Answers when no service is installed (a tool or test that never set one up): the message goes
// to standard error and every question gets the answer that loses nothing.
class CUnattendedPrompts final : public CPromptService {
 public:
  UMessageAnswer ShowMessage(const UMessageRequest& request) override {
    std::fprintf(stderr, "%s\n", request.text.c_str());
    return SafeAnswer(request.buttons);
  }
  std::optional<std::string> AskText(const std::string&, const TextCheck&) override { return {}; }
  std::optional<std::string> AskOpenPath(const CFileDialogRequest&) override { return {}; }
  std::optional<std::vector<std::string>> AskOpenPaths(const CFileDialogRequest&) override {
    return {};
  }
  std::optional<std::string> AskSavePath(const CFileDialogRequest&) override { return {}; }
  std::optional<std::string> AskFolderPath(const std::string&) override { return {}; }
  std::optional<QColor> AskColor(const QColor&) override { return {}; }
  void ShowAbout() override {}
  std::vector<CRecoveryChoice> AskRecovery(const std::vector<CRecoveryOffer>& offers) override {
    return std::vector<CRecoveryChoice>(offers.size(), CRecoveryChoice::Keep);
  }
  int RunDialog(QDialog&) override { return QDialog::Rejected; }
};

UMessageAnswer ForwardMessage(const UMessageRequest& request) {
  return Prompts().ShowMessage(request);
}

bool ForwardColorPick(const QColor& initial, QWidget* /*parent*/, QColor* picked) {
  const std::optional<QColor> chosen = Prompts().AskColor(initial);
  if (!chosen) {
    return false;
  }
  *picked = *chosen;
  return true;
}

}  // namespace

CPromptService::~CPromptService() = default;

void CPromptService::Tell(const std::string& utf8, UMessageIcon icon) {
  UMessageRequest request;
  request.text = utf8;
  request.icon = icon;
  ShowMessage(request);
}

UMessageAnswer CPromptService::AskYesNoCancel(const std::string& utf8) {
  UMessageRequest request;
  request.text = utf8;
  request.buttons = UMessageButtons::YesNoCancel;
  request.icon = UMessageIcon::Question;
  return ShowMessage(request);
}

std::optional<std::string> CPromptService::AskTypedText(const std::string& initialUtf8,
                                                        TypedTextKind kind) {
  return AskText(initialUtf8,
                 [kind](const std::string& utf8) { return TypedTextProblem(utf8, kind); });
}

CPromptService& Prompts() {
  if (g_installed != nullptr) {
    return *g_installed;
  }
  if (g_program != nullptr) {
    return *g_program;
  }
  static CUnattendedPrompts unattended;
  return unattended;
}

CPromptScope::CPromptScope(CPromptService& service)
    : m_Previous(g_installed), m_PreviousMessageHook(SetMessageHook(ForwardMessage)) {
  g_installed = &service;
  SetColorPickHook(ForwardColorPick);
}

CPromptScope::~CPromptScope() {
  g_installed = m_Previous;
  SetMessageHook(m_PreviousMessageHook);
  if (m_Previous == nullptr) {
    SetColorPickHook({});
  }
}

void RouteLibraryPromptsToService(CPromptService& programService) {
  g_program = &programService;
  SetMessageHook(ForwardMessage);
  SetColorPickHook(ForwardColorPick);
}

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    if (description.isEmpty()) {
      break;
    }
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    // Qt reads the patterns from the parentheses of the description.
    if (description.endsWith("(" + patterns + ")")) {
      filters << description;
    } else {
      filters << description + " (" + patterns + ")";
    }
  }
  return filters;
}
