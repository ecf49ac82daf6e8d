#pragma once

#include <QDialog>
#include <QString>

#include "editor/services/prompt_service.h"

class QLineEdit;

// The one-line input dialog "请输入" with "确定" and "取消". Only the buttons close it: Enter and
// Escape stay with the focused control. "确定" takes the text only when the check finds no
// problem; otherwise the problem is shown and the dialog stays open.
class CInputDlg : public QDialog {
 public:
  CInputDlg(const QString& initialText, CPromptService::TextCheck check, QWidget* parent);

  QString Text() const;
  QLineEdit* Edit() const { return m_Edit; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void TryAccept();

  CPromptService::TextCheck m_Check;
  QLineEdit* m_Edit;
};
