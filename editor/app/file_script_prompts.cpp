#include "editor/app/file_script_prompts.h"

#include <QDialog>
#include <QFile>
#include <QtGlobal>

namespace {

std::string Flattened(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  return text;
}

}  // namespace

CFileScriptPrompts::CFileScriptPrompts(const QString& scriptPath, const QString& logPath)
    : m_LogPath(logPath) {
  QFile script(scriptPath);
  if (!script.open(QIODevice::ReadOnly)) {
    qWarning("The prompt script %s cannot be read; every question is cancelled",
             qPrintable(scriptPath));
    return;
  }
  for (QByteArray line : script.readAll().split('\n')) {
    if (line.endsWith('\r')) {
      line.chop(1);
    }
    m_Lines.push_back(line.toStdString());
  }
  // The line break at the end of the last line ends no further line.
  if (!m_Lines.empty() && m_Lines.back().empty()) {
    m_Lines.pop_back();
  }
}

std::unique_ptr<CFileScriptPrompts> CFileScriptPrompts::FromEnvironment() {
  const QString script = qEnvironmentVariable("QUILLET_PROMPT_SCRIPT");
  if (script.isEmpty()) {
    return nullptr;
  }
  return std::make_unique<CFileScriptPrompts>(script, qEnvironmentVariable("QUILLET_PROMPT_LOG"));
}

std::optional<std::string> CFileScriptPrompts::NextLine() {
  if (m_Lines.empty()) {
    return std::nullopt;
  }
  std::string line = std::move(m_Lines.front());
  m_Lines.pop_front();
  return line;
}

std::optional<std::string> CFileScriptPrompts::NextAnswer() {
  std::optional<std::string> line = NextLine();
  if (line && line->empty()) {
    return std::nullopt;
  }
  return line;
}

void CFileScriptPrompts::Log(const std::string& line) const {
  if (m_LogPath.isEmpty()) {
    return;
  }
  QFile log(m_LogPath);
  if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
    log.write((Flattened(line) + "\n").c_str());
  }
}

UMessageAnswer CFileScriptPrompts::ShowMessage(const UMessageRequest& request) {
  Log("message: " + request.text);
  const std::optional<std::string> line = NextLine();
  if (line == "yes") {
    return UMessageAnswer::Yes;
  }
  if (line == "no") {
    return UMessageAnswer::No;
  }
  if (line == "cancel") {
    return UMessageAnswer::Cancel;
  }
  if (line == "ok") {
    return UMessageAnswer::Ok;
  }
  return SafeAnswer(request.buttons);
}

std::optional<std::string> CFileScriptPrompts::AskText(const std::string& initialUtf8,
                                                       const TextCheck& check) {
  Log("text: " + initialUtf8);
  while (std::optional<std::string> typed = NextAnswer()) {
    const std::string problem = check ? check(*typed) : std::string();
    if (problem.empty()) {
      return typed;
    }
    Log("refused: " + problem);
  }
  return std::nullopt;
}

std::optional<std::string> CFileScriptPrompts::AskOpenPath(const CFileDialogRequest& request) {
  Log("open: " + request.filter);
  return NextAnswer();
}

std::optional<std::vector<std::string>> CFileScriptPrompts::AskOpenPaths(
    const CFileDialogRequest& request) {
  Log("open files: " + request.filter);
  const std::optional<std::string> line = NextAnswer();
  if (!line) {
    return std::nullopt;
  }
  std::vector<std::string> paths;
  for (const QString& path : QString::fromStdString(*line).split('|', Qt::SkipEmptyParts)) {
    paths.push_back(path.toStdString());
  }
  if (paths.empty()) {
    return std::nullopt;
  }
  return paths;
}

std::optional<std::string> CFileScriptPrompts::AskSavePath(const CFileDialogRequest& request) {
  Log("save: " + request.initialName);
  return NextAnswer();
}

std::optional<std::string> CFileScriptPrompts::AskFolderPath(const std::string& initial) {
  Log("folder: " + initial);
  return NextAnswer();
}

std::optional<QColor> CFileScriptPrompts::AskColor(const QColor& initial) {
  Log("colour: " + initial.name().toStdString());
  const std::optional<std::string> line = NextAnswer();
  if (!line) {
    return std::nullopt;
  }
  const QColor color = QColor::fromString(QString::fromStdString(*line));
  if (!color.isValid()) {
    return std::nullopt;
  }
  return color;
}

void CFileScriptPrompts::ShowAbout() {
  Log("about");
}

std::vector<CRecoveryChoice> CFileScriptPrompts::AskRecovery(
    const std::vector<CRecoveryOffer>& offers) {
  std::vector<CRecoveryChoice> choices;
  bool restoring = false;
  for (const CRecoveryOffer& offer : offers) {
    Log("recovery: " + offer.title + " | " + offer.documentPath + " | " + offer.time + " | " +
        (offer.problem.empty() ? "readable" : "无法读取"));
    const std::optional<std::string> line = NextLine();
    CRecoveryChoice choice = CRecoveryChoice::Keep;
    if (line == "restore" && offer.problem.empty() && !restoring) {
      choice = CRecoveryChoice::Restore;
      restoring = true;
    } else if (line == "delete") {
      choice = CRecoveryChoice::Delete;
    }
    choices.push_back(choice);
  }
  return choices;
}

int CFileScriptPrompts::RunDialog(QDialog& dialog) {
  Log("dialog: " + dialog.windowTitle().toStdString());
  return NextLine() == "ok" ? QDialog::Accepted : QDialog::Rejected;
}
