#include "editor/app/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/app/tool_bar_buttons.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

CCustomizeDialog::CCustomizeDialog(const std::vector<QToolBar*>& toolBars,
                                   std::vector<CCommandCategory> menus,
                                   std::vector<QAction*> allCommands, QWidget* parent)
    : QDialog(parent)
    , m_ToolBars(toolBars)
    , m_Pages(new QTabWidget(this))
    , m_ToolBarList(new QListWidget(this))
    , m_CommandsPage(
          new CCustomizeCommandsPage(toolBars, std::move(menus), std::move(allCommands), this)) {
  setWindowTitle(UiText::tr("Customize"));
  m_ToolBarList->setObjectName("toolBarList");
  for (const QToolBar* bar : m_ToolBars) {
    auto* row = new QListWidgetItem(bar->windowTitle(), m_ToolBarList);
    row->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    row->setCheckState(bar->isHidden() ? Qt::Unchecked : Qt::Checked);
  }

  m_Pages->addTab(m_ToolBarList, UiText::tr("Toolbars"));
  m_Pages->addTab(m_CommandsPage, UiText::tr("Commands"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(UiText::tr(res::kOk));
  buttons->button(QDialogButtonBox::Cancel)->setText(UiText::tr(res::kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_Pages);
  layout->addWidget(buttons);
  resize(640, 420);
}

void CCustomizeDialog::Apply() const {
  for (int i = 0; i < static_cast<int>(m_ToolBars.size()); ++i) {
    QToolBar& bar = *m_ToolBars[i];
    if (i < m_ToolBarList->count()) {
      bar.setVisible(m_ToolBarList->item(i)->checkState() == Qt::Checked);
    }
    const std::vector<QAction*>& buttons = m_CommandsPage->Buttons(i);
    if (buttons != ToolBarButtons(bar)) {
      SetToolBarButtons(bar, buttons);
    }
  }
}
