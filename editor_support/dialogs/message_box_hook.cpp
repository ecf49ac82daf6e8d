#include "editor_support/dialogs/message_box_hook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

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

}  // namespace

UMessageAnswer ShowMessageBox(const UMessageRequest& request, QWidget* parent,
                              const QString& defaultCaption) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return SafeAnswer(request.buttons);
  }
  const QString caption =
      request.caption.empty() ? defaultCaption : QString::fromStdString(request.caption);
  QMessageBox box(IconFor(request.icon), caption, QString::fromStdString(request.text),
                  ButtonsFor(request.buttons), parent);
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

UMessageHook InstallMessageBoxHook(QWidget* parent) {
  // The parent may go before the hook does; a guarded pointer turns it into null then.
  QPointer<QWidget> guarded_parent(parent);
  return SetMessageHook([guarded_parent](const UMessageRequest& request) {
    return ShowMessageBox(request, guarded_parent.data(), QApplication::applicationDisplayName());
  });
}
