#include "editor/panels/frame_panel.h"

#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <string>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"
#include "editor/services/prompt_service.h"

namespace {

constexpr int kButtonStrip = 20;

}  // namespace

CFrameListCtrl::CFrameListCtrl(const CVelloEditor& editor, QWidget* parent)
    : CReportList({{"编号", 40}, {"名字", 100}, {"模块数", 50}}, parent), m_Editor(editor) {
  setObjectName("frameList");
  setAccessibleName(res::kAccessibleFrameList);
}

void CFrameListCtrl::Refresh() {
  std::vector<QStringList> rows;
  if (m_Editor.Actor() != nullptr) {
    const auto& frames = m_Editor.Actor()->frames;
    for (int i = 0; i < frames.Num(); ++i) {
      const UObjFrame* frame = frames[static_cast<size_t>(i)];
      rows.push_back({MarkedIndex(i, i == m_Editor.SelectedFrame()),
                      QString::fromStdString(ShownName(frame->name)),
                      QString::number(frame->GetModuleSize())});
    }
  }
  SetRows(rows, m_Editor.SelectedFrame());
}

CFramePanel::CFramePanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent), m_Editor(editor), m_List(new CFrameListCtrl(editor, this)) {
  setWindowTitle("FL");
  const char* captions[4] = {"添加", "添加拷贝", "删除", "选项"};
  const char* names[4] = {"addButton", "addCopyButton", "deleteButton", "optionsButton"};
  for (int i = 0; i < 4; ++i) {
    m_Buttons[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
    m_Buttons[i]->setObjectName(names[i]);
  }
  connect(m_Buttons[0], &QPushButton::clicked, this, &CFramePanel::AddFrame);
  connect(m_Buttons[1], &QPushButton::clicked, this, &CFramePanel::AddCopy);
  connect(m_Buttons[2], &QPushButton::clicked, this, &CFramePanel::DeleteFrame);
  // "选项" has nothing to offer yet; it shows so, rather than doing nothing when pressed.
  m_Buttons[3]->setEnabled(false);

  m_List->SetRowSelectedHandler([this](int row) { m_Editor.SelectFrame(row); });
  m_List->SetRowDoubleClickedHandler([this](int /*row*/) { RenameFrame(); });
  m_Editor.AddListener(this);
  m_List->Refresh();
}

CFramePanel::~CFramePanel() {
  m_Editor.RemoveListener(this);
}

void CFramePanel::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeFrames | kChangePlacements | kChangeSelection)) != 0) {
    m_List->Refresh();
  }
}

void CFramePanel::resizeEvent(QResizeEvent* event) {
  const int width = event->size().width();
  const int height = event->size().height();
  const int listHeight = std::max(0, height - kButtonStrip);
  m_List->setGeometry(0, 0, width, listHeight);
  const int quarter = width / 4;
  for (int i = 0; i < 4; ++i) {
    m_Buttons[i]->setGeometry(i * quarter, listHeight, quarter, kButtonStrip);
  }
}

std::string CFramePanel::ProposedName() const {
  const int count = m_Editor.Actor() == nullptr ? 0 : m_Editor.Actor()->frames.Num();
  return "Frame " + std::to_string(count);
}

void CFramePanel::AddFrame() {
  if (m_Editor.Actor() == nullptr) {
    return;
  }
  if (const auto name = Prompts().AskTypedText(ProposedName(), TypedTextKind::Name)) {
    m_Editor.CreateFrame(*name);
  }
}

void CFramePanel::AddCopy() {
  // Without a selected frame there is nothing to copy, so nothing is asked.
  if (m_Editor.Actor() == nullptr ||
      !m_Editor.Actor()->frames.IsValidIndex(m_Editor.SelectedFrame())) {
    return;
  }
  if (const auto name = Prompts().AskTypedText(ProposedName(), TypedTextKind::Name)) {
    m_Editor.CopyFrame(*name);
  }
}

void CFramePanel::DeleteFrame() {
  const int index = m_Editor.SelectedFrame();
  if (m_Editor.Actor() == nullptr || !m_Editor.Actor()->frames.IsValidIndex(index)) {
    return;
  }
  const UObjFrame* frame = m_Editor.Actor()->frames[static_cast<size_t>(index)];
  UMessageRequest question;
  question.text = "确定要删除名为[ " + ShownName(frame->name) + " ]的帧吗?";
  question.caption = "警告";
  question.buttons = UMessageButtons::YesNoCancel;
  question.icon = UMessageIcon::Warning;
  if (Prompts().ShowMessage(question) == UMessageAnswer::Yes) {
    m_Editor.DeleteFrame(index);
  }
}

void CFramePanel::RenameFrame() {
  const int index = m_Editor.SelectedFrame();
  if (m_Editor.Actor() == nullptr || !m_Editor.Actor()->frames.IsValidIndex(index)) {
    return;
  }
  const std::string current = ShownName(m_Editor.Actor()->frames[static_cast<size_t>(index)]->name);
  const auto name = Prompts().AskTypedText(current, TypedTextKind::Name);
  // Checked again: the frame list may have changed while the dialog was open.
  if (!name || m_Editor.Actor() == nullptr || !m_Editor.Actor()->frames.IsValidIndex(index)) {
    return;
  }
  m_Editor.RenameFrame(index, *name);
}
