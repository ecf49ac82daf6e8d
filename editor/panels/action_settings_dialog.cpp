#include "editor/panels/action_settings_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"
#include "editor/services/typed_text.h"

CActionSettingsDlg::CActionSettingsDlg(const QString& name, QWidget* parent)
    : QDialog(parent), m_Edit(new QLineEdit(name, this)) {
  setWindowTitle(UiText::tr("动作设置"));
  m_Edit->setObjectName("actionNameEdit");
  m_Edit->selectAll();
  auto* label = new QLabel(UiText::tr("动作", "the field of an action's name"), this);
  label->setBuddy(m_Edit);
  auto* ok = new QPushButton(UiText::tr(res::kOk), this);
  auto* cancel = new QPushButton(UiText::tr(res::kCancel), this);
  ok->setObjectName("okButton");
  cancel->setObjectName("cancelButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &CActionSettingsDlg::TryAccept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* field = new QHBoxLayout;
  field->addWidget(label);
  field->addWidget(m_Edit);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(field);
  layout->addLayout(buttons);
  m_Edit->setFocus();
}

QString CActionSettingsDlg::Name() const {
  return m_Edit->text();
}

void CActionSettingsDlg::TryAccept() {
  const std::string problem = TypedTextProblem(Name().toStdString(), TypedTextKind::Name);
  if (!problem.empty()) {
    Prompts().Tell(problem, UMessageIcon::Warning);
    m_Edit->setFocus();
    return;
  }
  accept();
}
