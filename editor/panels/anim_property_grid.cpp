#include "editor/panels/anim_property_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

#include "editor/doc/vello_editor.h"
#include "editor/panels/anim_property_pages.h"

namespace {

// Changes after which the page may show something else, or another page is due.
constexpr uint32_t kRebuildChanges = kChangeActor | kChangeTextures | kChangeModules |
                                     kChangeFrames | kChangeActions | kChangeActionKeys |
                                     kChangePlacements | kChangeSelection;

}  // namespace

CAnimPropertyGrid::CAnimPropertyGrid(CVelloEditor& editor, QWidget* parent)
    : UPropertyGrid(parent), m_Editor(editor) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  // The names are short and fixed: their column fits the longest one, the values take the rest.
  header()->setStretchLastSection(true);
  header()->setSectionResizeMode(kCaptionColumn, QHeaderView::ResizeToContents);
  header()->setSectionResizeMode(kValueColumn, QHeaderView::Stretch);
  SetValueChangedHandler([this](UPropertyGridItem* item) { OnItemCommitted(item); });
  m_Editor.AddListener(this);
  RefreshProperties();
}

CAnimPropertyGrid::~CAnimPropertyGrid() {
  m_Editor.RemoveListener(this);
}

void CAnimPropertyGrid::RefreshProperties() {
  const int scrolled = verticalScrollBar()->value();
  ResetContent();
  m_PageIndex = -1;
  const UObjActor* actor = m_Editor.Actor();
  if (actor == nullptr) {
    return;
  }
  m_PageMode = m_Editor.Mode();
  switch (m_PageMode) {
    case EditMode::Module:
      if (actor->modules.IsValidIndex(m_Editor.SelectedModule())) {
        m_PageIndex = m_Editor.SelectedModule();
        m_Module = m_Editor.ModuleFields(m_PageIndex);
        BuildModulePage(*this, m_Module);
      }
      break;
    case EditMode::Frame:
      if (const UObjFrame* frame = actor->frames.IsValidIndex(m_Editor.SelectedFrame())
                                       ? actor->frames[size_t(m_Editor.SelectedFrame())]
                                       : nullptr) {
        m_PageIndex = m_Editor.SelectedFrame();
        m_Frame = m_Editor.FrameFields(m_PageIndex, m_Editor.SelectedPlacement());
        BuildFramePage(*this, m_Frame, frame->placements.Num(),
                       m_Editor.DifferingPlacementFields());
      }
      break;
    case EditMode::Action:
      if (const UObjAction* action = actor->actions.IsValidIndex(m_Editor.SelectedAction())
                                         ? actor->actions[size_t(m_Editor.SelectedAction())]
                                         : nullptr) {
        m_PageIndex = m_Editor.SelectedAction();
        m_Action = m_Editor.ActionFields(m_PageIndex);
        BuildActionPage(*this, m_Action, action->keys.Num());
      }
      break;
  }
  ExpandAll();
  verticalScrollBar()->setValue(scrolled);
}

void CAnimPropertyGrid::OnEditorChanged(uint32_t changes) {
  if ((changes & kRebuildChanges) == 0) {
    return;
  }
  if (m_InCommit) {
    RebuildLater();
  } else {
    RefreshProperties();
  }
}

void CAnimPropertyGrid::OnItemCommitted(UPropertyGridItem* item) {
  if (m_PageIndex < 0) {
    return;
  }
  m_InCommit = true;
  switch (m_PageMode) {
    case EditMode::Module:
      m_Editor.SetModuleFields(m_PageIndex, m_Module);
      break;
    case EditMode::Frame:
      // With several placements selected, a field of theirs goes to all of them, alone.
      if (const QVariant field = item != nullptr ? item->data(0, Qt::UserRole) : QVariant();
          field.isValid() && m_Editor.SelectedPlacements().size() > 1) {
        m_Editor.SetSelectedPlacementsField(field.toUInt(), m_Frame.placementFields);
      } else {
        m_Editor.SetFrameFields(m_PageIndex, m_Frame);
      }
      break;
    case EditMode::Action:
      m_Editor.SetActionFields(m_PageIndex, m_Action);
      break;
  }
  m_InCommit = false;
}

void CAnimPropertyGrid::RebuildLater() {
  if (m_RebuildQueued) {
    return;
  }
  m_RebuildQueued = true;
  QTimer::singleShot(0, this, [this] {
    m_RebuildQueued = false;
    RefreshProperties();
  });
}
