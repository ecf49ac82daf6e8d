#include "editor/app/qt_prompt_service.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/app/input_dialog.h"
#include "editor/app/recovery_dialog.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor_support/dialogs/message_box_hook.h"

namespace {

std::optional<std::vector<std::string>> RunFileDialog(const CFileDialogRequest& request,
                                                      QFileDialog::AcceptMode mode,
                                                      QFileDialog::FileMode fileMode) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(mode);
  dialog.setFileMode(fileMode);
  dialog.setNameFilters(QtNameFilters(request.filter));
  QString suffix = QString::fromStdString(request.defaultExtension);
  if (suffix.startsWith('.')) {
    suffix.remove(0, 1);
  }
  dialog.setDefaultSuffix(suffix);
  if (!request.initialName.empty()) {
    dialog.selectFile(QString::fromStdString(request.initialName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  std::vector<std::string> paths;
  for (const QString& file : dialog.selectedFiles()) {
    paths.push_back(file.toStdString());
  }
  return paths;
}

std::optional<std::string> FirstPath(const std::optional<std::vector<std::string>>& paths) {
  if (!paths) {
    return std::nullopt;
  }
  return paths->front();
}

}  // namespace

UMessageAnswer CQtPromptService::ShowMessage(const UMessageRequest& request) {
  // The libraries' messages and the editor's fixed ones are source texts; the editor's built
  // ones arrive translated, and a text without a translation shows as it is.
  UMessageRequest shown = request;
  shown.text = UiText::Utf8(request.text);
  shown.caption = UiText::Utf8(request.caption);
  return ShowMessageBox(shown, QApplication::activeWindow(), QString(res::kAppTitle));
}

std::optional<std::string> CQtPromptService::AskText(const std::string& initialUtf8,
                                                     const TextCheck& check) {
  CInputDlg dialog(QString::fromStdString(initialUtf8), check, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.Text().toStdString();
}

std::optional<std::string> CQtPromptService::AskOpenPath(const CFileDialogRequest& request) {
  return FirstPath(RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

std::optional<std::vector<std::string>> CQtPromptService::AskOpenPaths(
    const CFileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<std::string> CQtPromptService::AskSavePath(const CFileDialogRequest& request) {
  return FirstPath(RunFileDialog(request, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

std::optional<std::string> CQtPromptService::AskFolderPath(const std::string& initial) {
  const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(),
                                                           QString::fromStdString(initial));
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  return folder.toStdString();
}

std::optional<QColor> CQtPromptService::AskColor(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
  if (!chosen.isValid()) {
    return std::nullopt;
  }
  return chosen;
}

void CQtPromptService::ShowAbout() {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(UiText::tr("关于 ") + res::kAppTitle);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(res::kAppTitle, &dialog));
  layout->addWidget(new QLabel(UiText::tr("Version ") + res::kAppVersion, &dialog));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

std::vector<CRecoveryChoice> CQtPromptService::AskRecovery(
    const std::vector<CRecoveryOffer>& offers) {
  CRecoveryDialog dialog(offers, QApplication::activeWindow());
  dialog.exec();
  return dialog.Choices();
}

int CQtPromptService::RunDialog(QDialog& dialog) {
  return dialog.exec();
}
