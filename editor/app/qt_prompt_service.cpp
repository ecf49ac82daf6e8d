#include "editor/app/qt_prompt_service.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/app/input_dialog.h"
#include "editor/res/strings.h"
#include "editor_support/dialogs/message_box_hook.h"

namespace {

std::optional<std::string> RunFileDialog(const CFileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
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
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

UMessageAnswer CQtPromptService::ShowMessage(const UMessageRequest& request) {
  return ShowMessageBox(request, QApplication::activeWindow(), QString(res::kAppTitle));
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
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> CQtPromptService::AskSavePath(const CFileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
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
  dialog.setWindowTitle(QString("关于 ") + res::kAppTitle);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(res::kAppTitle, &dialog));
  layout->addWidget(new QLabel(QString("Version ") + res::kAppVersion, &dialog));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

int CQtPromptService::RunDialog(QDialog& dialog) {
  return dialog.exec();
}
