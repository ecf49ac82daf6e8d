#include "editor/app/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/res/strings.h"

CCustomizeDialog::CCustomizeDialog(const std::vector<QToolBar*>& toolBars,
                                   const std::vector<QAction*>& commands, QWidget* parent)
    : QDialog(parent), m_ToolBars(toolBars), m_ToolBarList(new QListWidget(this)) {
  setWindowTitle("Customize");
  m_ToolBarList->setObjectName("toolBarList");
  for (const QToolBar* bar : m_ToolBars) {
    auto* row = new QListWidgetItem(bar->windowTitle(), m_ToolBarList);
    row->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    row->setCheckState(bar->isHidden() ? Qt::Unchecked : Qt::Checked);
  }

  auto* command_list = new QListWidget(this);
  command_list->setObjectName("commandList");
  for (const QAction* action : commands) {
    auto* row = new QListWidgetItem(
        action->icon(), QString("%1  %2").arg(action->data().toInt()).arg(action->toolTip()),
        command_list);
    row->setFlags(Qt::ItemIsEnabled);
  }

  auto* tabs = new QTabWidget(this);
  tabs->addTab(m_ToolBarList, "Toolbars");
  tabs->addTab(command_list, "Commands");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(res::kOk);
  buttons->button(QDialogButtonBox::Cancel)->setText(res::kCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  resize(360, 420);
}

void CCustomizeDialog::Apply() const {
  for (int i = 0; i < m_ToolBarList->count() && i < static_cast<int>(m_ToolBars.size()); ++i) {
    m_ToolBars[i]->setVisible(m_ToolBarList->item(i)->checkState() == Qt::Checked);
  }
}
