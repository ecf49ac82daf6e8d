#include "editor/panels/action_panel.h"

#include <QDialog>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <string>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/action_settings_dialog.h"
#include "editor/res/strings.h"
#include "editor/services/prompt_service.h"

namespace {

// The list leaves this much below it; the buttons sit on the lowest kButtonHeight pixels.
constexpr int kBottomMargin = 40;
constexpr int kButtonHeight = 20;

}  // namespace

CActionListCtrl::CActionListCtrl(const CVelloEditor& editor, QWidget* parent)
    : CReportList({{"动作名", 100}, {"帧数", 40}}, parent), m_Editor(editor) {
  setObjectName("actionList");
  setAccessibleName(res::kAccessibleActionList);
}

void CActionListCtrl::Refresh() {
  std::vector<QStringList> rows;
  if (m_Editor.Actor() != nullptr) {
    const auto& actions = m_Editor.Actor()->actions;
    for (int i = 0; i < actions.Num(); ++i) {
      const UObjAction* action = actions[static_cast<size_t>(i)];
      rows.push_back({MarkedText(QString::fromStdString(ShownName(action->name)),
                                 i == m_Editor.SelectedAction()),
                      QString::number(action->keys.Num())});
    }
  }
  SetRows(rows, m_Editor.SelectedAction());
}

CActionPanel::CActionPanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_Editor(editor)
    , m_List(new CActionListCtrl(editor, this))
    , m_New(new QPushButton(QString::fromUtf8("新建"), this))
    , m_Delete(new QPushButton(QString::fromUtf8("删除"), this)) {
  setWindowTitle("AL");
  m_New->setObjectName("newButton");
  m_Delete->setObjectName("deleteButton");
  connect(m_New, &QPushButton::clicked, this, &CActionPanel::NewAction);
  connect(m_Delete, &QPushButton::clicked, this, &CActionPanel::DeleteAction);
  m_List->SetRowSelectedHandler([this](int row) { m_Editor.SelectAction(row); });
  m_List->SetRowDoubleClickedHandler([this](int /*row*/) { EditAction(); });
  m_Editor.AddListener(this);
  m_List->Refresh();
}

CActionPanel::~CActionPanel() {
  m_Editor.RemoveListener(this);
}

void CActionPanel::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeActions | kChangeActionKeys | kChangeSelection)) != 0) {
    m_List->Refresh();
  }
}

void CActionPanel::resizeEvent(QResizeEvent* event) {
  const int width = event->size().width();
  const int height = event->size().height();
  m_List->setGeometry(0, 0, width, std::max(0, height - kBottomMargin));
  const int half = width / 2;
  m_New->setGeometry(0, height - kButtonHeight, half, kButtonHeight);
  m_Delete->setGeometry(half, height - kButtonHeight, half, kButtonHeight);
}

void CActionPanel::NewAction() {
  if (m_Editor.Actor() == nullptr) {
    return;
  }
  const std::string proposed = "newAction " + std::to_string(m_Editor.Actor()->actions.Num());
  const auto name = Prompts().AskTypedText(proposed, TypedTextKind::Name);
  if (!name) {
    return;
  }
  m_Editor.CreateAction(*name);
  // The new action starts unselected, and so do the key and the frame edited before it.
  m_Editor.SelectAction(-1);
  m_Editor.SelectFrame(-1);
}

void CActionPanel::DeleteAction() {
  m_Editor.DeleteAction(m_Editor.SelectedAction());
}

void CActionPanel::EditAction() {
  const int index = m_Editor.SelectedAction();
  if (m_Editor.Actor() == nullptr || !m_Editor.Actor()->actions.IsValidIndex(index)) {
    return;
  }
  CActionSettingsDlg dialog(QString::fromStdString(ShownName(
                                m_Editor.Actor()->actions[static_cast<size_t>(index)]->name)),
                            this);
  // Checked again: the action list may have changed while the dialog was open.
  if (Prompts().RunDialog(dialog) != QDialog::Accepted || m_Editor.Actor() == nullptr ||
      !m_Editor.Actor()->actions.IsValidIndex(index)) {
    return;
  }
  m_Editor.RenameAction(index, dialog.Name().toStdString());
}
