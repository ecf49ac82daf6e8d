#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// "动作设置": the action's name in one field labelled "动作", with "确定" and "取消". "确定" takes
// the name only when it can be stored as a name; otherwise the problem is shown and the dialog
// stays open.
class CActionSettingsDlg : public QDialog {
 public:
  CActionSettingsDlg(const QString& name, QWidget* parent);

  QString Name() const;
  QLineEdit* Edit() const { return m_Edit; }

 private:
  void TryAccept();

  QLineEdit* m_Edit;
};
