#include "editor/panels/frame_module_panel.h"

#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"

namespace {

constexpr int kButtonStrip = 20;

}  // namespace

CFrameModulePanel::CFrameModulePanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_Editor(editor)
    , m_List({{"模块号", 100}}, this)
    , m_Up("上移", this)
    , m_Down("下移", this)
    , m_Delete("删除", this) {
  setWindowTitle("FML");
  setObjectName("FML");
  m_List.setObjectName("placementList");
  m_List.setAccessibleName(res::kAccessiblePlacementList);
  m_Up.setObjectName("moveUpButton");
  m_Down.setObjectName("moveDownButton");
  m_Delete.setObjectName("deleteButton");
  m_List.SetRowsSelectedHandler(
      [this](const std::vector<int>& rows, int current) { SelectPlacements(rows, current); });
  connect(&m_Up, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(&m_Down, &QPushButton::clicked, this, [this] { Move(1); });
  connect(&m_Delete, &QPushButton::clicked, this, [this] { m_Editor.DeletePlacement(); });
  setMinimumSize(60, 60);
  m_Editor.AddListener(this);
  Refresh();
}

CFrameModulePanel::~CFrameModulePanel() {
  m_Editor.RemoveListener(this);
}

void CFrameModulePanel::OnEditorChanged(uint32_t changes) {
  // A selection change may show another frame's placements.
  if ((changes & (kChangeActor | kChangeModules | kChangeFrames | kChangePlacements |
                  kChangeSelection)) != 0) {
    Refresh();
  }
}

void CFrameModulePanel::resizeEvent(QResizeEvent* /*event*/) {
  const int listHeight = std::max(0, height() - kButtonStrip);
  const int third = width() / 3;
  m_List.setGeometry(0, 0, width(), listHeight);
  m_Up.setGeometry(0, listHeight, third, kButtonStrip);
  m_Down.setGeometry(third, listHeight, third, kButtonStrip);
  m_Delete.setGeometry(2 * third, listHeight, width() - 2 * third, kButtonStrip);
}

void CFrameModulePanel::Refresh() {
  std::vector<QStringList> rows;
  const UObjFrame* frame =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(m_Editor.SelectedFrame());
  if (frame != nullptr) {
    for (const TObjFrame& placement : frame->placements) {
      rows.push_back({QString::number(placement.module)});
    }
  }
  // Picking a row reaches here from inside the list's own selection signal: the rows are kept
  // when their number is the same, so that signal never sees its items deleted.
  if (!m_List.RewriteRows(rows)) {
    m_List.SetRows(rows, -1);
  }
  m_List.SelectRows(m_Editor.SelectedPlacements(), m_Editor.SelectedPlacement());
}

void CFrameModulePanel::SelectPlacements(const std::vector<int>& rows, int current) {
  if (rows.size() == 1) {
    m_Editor.SelectPlacement(rows.front());
  } else {
    m_Editor.SetPlacementSelection(rows, current);
  }
}

void CFrameModulePanel::Move(int step) {
  const UObjFrame* frame =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(m_Editor.SelectedFrame());
  const int from = m_Editor.SelectedPlacement();
  const int to = from + step;
  // At either end there is no neighbour to exchange with: nothing moves, the selection stays.
  if (frame == nullptr || from < 0 || to < 0 || to >= frame->GetModuleSize()) {
    return;
  }
  m_Editor.SwapPlacements(m_Editor.SelectedFrame(), from, to);
}
