#include "editor/app/customize_commands_page.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/app/tool_bar_buttons.h"
#include "editor/res/ui_text.h"

namespace {

constexpr char kCategoriesLabel[] = QT_TRANSLATE_NOOP("Quillet", "类别:");
constexpr char kCommandsLabel[] = QT_TRANSLATE_NOOP("Quillet", "命令:");
constexpr char kToolBarLabel[] = QT_TRANSLATE_NOOP("Quillet", "工具栏:");
constexpr char kAllCommands[] = QT_TRANSLATE_NOOP("Quillet", "所有命令");
constexpr char kAddText[] = QT_TRANSLATE_NOOP("Quillet", "添加");
constexpr char kRemoveText[] = QT_TRANSLATE_NOOP("Quillet", "删除");
constexpr char kSeparatorText[] = QT_TRANSLATE_NOOP("Quillet", "—— 分隔符 ——");

constexpr QSize kIconSize(16, 16);

// A row with the command's icon, or an empty one of the same size so that every name starts at
// the same place; the prompt says more when the pointer rests on the row.
QListWidgetItem* CommandRow(QAction* action, QListWidget* list) {
  QIcon icon = action->icon();
  if (icon.isNull()) {
    QPixmap blank(kIconSize);
    blank.fill(Qt::transparent);
    icon = QIcon(blank);
  }
  auto* row = new QListWidgetItem(icon, action->toolTip(), list);
  row->setToolTip(action->statusTip());
  return row;
}

QListWidget* CommandListWidget(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setIconSize(kIconSize);
  list->setUniformItemSizes(true);
  return list;
}

}  // namespace

CCustomizeCommandsPage::CCustomizeCommandsPage(const std::vector<QToolBar*>& toolBars,
                                               std::vector<CCommandCategory> menus,
                                               std::vector<QAction*> allCommands, QWidget* parent)
    : QWidget(parent)
    , m_Categories(std::move(menus))
    , m_CategoryList(new QListWidget(this))
    , m_CommandList(CommandListWidget("commandList", this))
    , m_ToolBarChoice(new QComboBox(this))
    , m_ButtonList(CommandListWidget("buttonList", this))
    , m_Add(new QPushButton(UiText::tr(kAddText), this))
    , m_Remove(new QPushButton(UiText::tr(kRemoveText), this)) {
  m_Categories.push_back({UiText::tr(kAllCommands), std::move(allCommands)});
  m_CategoryList->setObjectName("categoryList");
  m_ToolBarChoice->setObjectName("toolBarChoice");
  for (const CCommandCategory& category : m_Categories) {
    m_CategoryList->addItem(category.name);
  }
  for (QToolBar* bar : toolBars) {
    m_ToolBarChoice->addItem(bar->windowTitle());
    m_Buttons.push_back(ToolBarButtons(*bar));
  }

  auto* side_buttons = new QVBoxLayout;
  side_buttons->addStretch();
  side_buttons->addWidget(m_Add);
  side_buttons->addWidget(m_Remove);
  side_buttons->addStretch();
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(UiText::tr(kCategoriesLabel), this), 0, 0);
  layout->addWidget(new QLabel(UiText::tr(kCommandsLabel), this), 0, 1);
  auto* bar_row = new QHBoxLayout;
  bar_row->addWidget(new QLabel(UiText::tr(kToolBarLabel), this));
  bar_row->addWidget(m_ToolBarChoice, 1);
  layout->addLayout(bar_row, 0, 3);
  layout->addWidget(m_CategoryList, 1, 0);
  layout->addWidget(m_CommandList, 1, 1);
  layout->addLayout(side_buttons, 1, 2);
  layout->addWidget(m_ButtonList, 1, 3);
  layout->setColumnStretch(0, 2);
  layout->setColumnStretch(1, 3);
  layout->setColumnStretch(3, 3);

  connect(m_CategoryList, &QListWidget::currentRowChanged, this,
          [this](int row) { ShowCategory(row); });
  connect(m_CommandList, &QListWidget::currentRowChanged, this, [this] { UpdateButtonStates(); });
  connect(m_ToolBarChoice, &QComboBox::currentIndexChanged, this, [this] { ShowButtons(-1); });
  connect(m_ButtonList, &QListWidget::currentRowChanged, this, [this] { UpdateButtonStates(); });
  connect(m_Add, &QPushButton::clicked, this, [this] { AddChosenCommand(); });
  connect(m_Remove, &QPushButton::clicked, this, [this] { RemoveChosenButton(); });
  m_CategoryList->setCurrentRow(0);
  ShowButtons(-1);
}

void CCustomizeCommandsPage::ShowCategory(int row) {
  m_CommandList->clear();
  if (row >= 0 && row < static_cast<int>(m_Categories.size())) {
    for (QAction* action : m_Categories[row].commands) {
      CommandRow(action, m_CommandList);
    }
  }
  UpdateButtonStates();
}

void CCustomizeCommandsPage::ShowButtons(int chosenRow) {
  m_ButtonList->clear();
  if (const std::vector<QAction*>* buttons = ChosenToolBar()) {
    for (QAction* action : *buttons) {
      if (action == nullptr) {
        new QListWidgetItem(UiText::tr(kSeparatorText), m_ButtonList);
      } else {
        // Commands hidden in the command bars keep their place but are not offered.
        CommandRow(action, m_ButtonList)->setHidden(!action->isVisible());
      }
    }
  }
  m_ButtonList->setCurrentRow(std::min(chosenRow, m_ButtonList->count() - 1));
  UpdateButtonStates();
}

void CCustomizeCommandsPage::UpdateButtonStates() {
  const std::vector<QAction*>* buttons = ChosenToolBar();
  QAction* command = ChosenCommand();
  m_Add->setEnabled(buttons != nullptr && command != nullptr &&
                    std::find(buttons->begin(), buttons->end(), command) == buttons->end());
  const QListWidgetItem* button = m_ButtonList->currentItem();
  m_Remove->setEnabled(button != nullptr && !button->isHidden());
}

QAction* CCustomizeCommandsPage::ChosenCommand() const {
  const int category = m_CategoryList->currentRow();
  const int command = m_CommandList->currentRow();
  if (category < 0 || category >= static_cast<int>(m_Categories.size()) || command < 0 ||
      command >= static_cast<int>(m_Categories[category].commands.size())) {
    return nullptr;
  }
  return m_Categories[category].commands[command];
}

std::vector<QAction*>* CCustomizeCommandsPage::ChosenToolBar() {
  const int index = m_ToolBarChoice->currentIndex();
  return index >= 0 && index < static_cast<int>(m_Buttons.size()) ? &m_Buttons[index] : nullptr;
}

void CCustomizeCommandsPage::AddChosenCommand() {
  std::vector<QAction*>* buttons = ChosenToolBar();
  QAction* command = ChosenCommand();
  if (buttons == nullptr || command == nullptr ||
      std::find(buttons->begin(), buttons->end(), command) != buttons->end()) {
    return;
  }
  const int after = m_ButtonList->currentRow();
  const int at = after < 0 ? static_cast<int>(buttons->size()) : after + 1;
  buttons->insert(buttons->begin() + at, command);
  ShowButtons(at);
}

void CCustomizeCommandsPage::RemoveChosenButton() {
  std::vector<QAction*>* buttons = ChosenToolBar();
  const int row = m_ButtonList->currentRow();
  if (buttons == nullptr || row < 0 || row >= static_cast<int>(buttons->size()) ||
      m_ButtonList->item(row)->isHidden()) {
    return;
  }
  buttons->erase(buttons->begin() + row);
  ShowButtons(row);
}
