#include "editor/app/qt_prompt_service.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "editor/app/input_dialog.h"
#include "editor/res/strings.h"

namespace {

QMessageBox::StandardButtons ButtonsFor(UMessageButtons buttons) {
  switch (buttons) {
    case UMessageButtons::Ok:
      return QMessageBox::Ok;
    case UMessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case UMessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case UMessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(UMessageIcon icon) {
  switch (icon) {
    case UMessageIcon::Information:
      return QMessageBox::Information;
    case UMessageIcon::Warning:
      return QMessageBox::Warning;
    case UMessageIcon::Error:
      return QMessageBox::Critical;
    case UMessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

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
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return SafeAnswer(request.buttons);
  }
  const QString caption =
      request.caption.empty() ? QString(res::kAppTitle) : QString::fromStdString(request.caption);
  QMessageBox box(IconFor(request.icon), caption, QString::fromStdString(request.text),
                  ButtonsFor(request.buttons), QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Ok:
      return UMessageAnswer::Ok;
    case QMessageBox::Cancel:
      return UMessageAnswer::Cancel;
    case QMessageBox::Yes:
      return UMessageAnswer::Yes;
    case QMessageBox::No:
      return UMessageAnswer::No;
    default:
      return SafeAnswer(request.buttons);
  }
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
