#include "editor/app/input_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/res/strings.h"

CInputDlg::CInputDlg(const QString& initialText, CPromptService::TextCheck check, QWidget* parent)
    : QDialog(parent), m_Check(std::move(check)), m_Edit(new QLineEdit(initialText, this)) {
  setWindowTitle(res::kInputTitle);
  m_Edit->setObjectName("inputEdit");
  m_Edit->setAccessibleName(res::kAccessibleInputField);
  m_Edit->selectAll();
  auto* ok = new QPushButton(res::kOk, this);
  auto* cancel = new QPushButton(res::kCancel, this);
  ok->setObjectName("okButton");
  cancel->setObjectName("cancelButton");
  // Neither button is a default button, so Enter in the line does not close the dialog.
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &CInputDlg::TryAccept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_Edit);
  layout->addLayout(buttons);
  m_Edit->setFocus();
}

QString CInputDlg::Text() const {
  return m_Edit->text();
}

void CInputDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void CInputDlg::TryAccept() {
  const std::string problem = m_Check ? m_Check(Text().toStdString()) : std::string();
  if (!problem.empty()) {
    Prompts().Tell(problem, UMessageIcon::Warning);
    m_Edit->setFocus();
    return;
  }
  accept();
}
