#include "editor/panels/anim_property_grid.h"

#include <QScrollBar>
#include <QTimer>

#include "editor/doc/vello_editor.h"
#include "editor/panels/anim_property_pages.h"
#include "editor/res/strings.h"

namespace {

// Changes after which the bound fields may have moved, or another page is due.
constexpr uint32_t kRebuildChanges = kChangeActor | kChangeTextures | kChangeModules |
                                     kChangeFrames | kChangeActions | kChangeActionKeys |
                                     kChangePlacements | kChangeSelection;

template <typename T>
T* Selected(UArray<T*>& list, int index) {
  return list.IsValidIndex(index) ? list[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

CAnimPropertyGrid::CAnimPropertyGrid(CVelloEditor& editor, QWidget* parent)
    : UPropertyGrid(parent), m_Editor(editor) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  SetValueChangedHandler([this](UPropertyGridItem* /*item*/) { OnItemCommitted(); });
  m_Editor.AddListener(this);
  RefreshProperties();
}

CAnimPropertyGrid::~CAnimPropertyGrid() {
  m_Editor.RemoveListener(this);
}

void CAnimPropertyGrid::RefreshProperties() {
  const int scrolled = verticalScrollBar()->value();
  ResetContent();
  m_PageChanges = 0;
  m_PageStep = nullptr;
  UObjActor* actor = m_Editor.actor;
  if (actor == nullptr) {
    return;
  }
  switch (m_Editor.mode) {
    case 0:
      if (UObjModule* module = Selected(actor->modules, m_Editor.selectedModule)) {
        BuildModulePage(*this, *module);
        m_PageChanges = kChangeModules;
        m_PageStep = res::kStepEditModule;
      }
      break;
    case 1:
      if (UObjFrame* frame = Selected(actor->frames, m_Editor.selectedFrame)) {
        BuildFramePage(*this, *frame, m_Editor.selectedPlacement);
        m_PageChanges = kChangeFrames | kChangePlacements;
        m_PageStep = res::kStepEditFrame;
      }
      break;
    case 2:
      if (UObjAction* action = Selected(actor->actions, m_Editor.selectedAction)) {
        BuildActionPage(*this, *action);
        m_PageChanges = kChangeActions;
        m_PageStep = res::kStepEditAction;
      }
      break;
    default:
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

void CAnimPropertyGrid::OnItemCommitted() {
  if (m_PageStep == nullptr) {
    return;
  }
  m_InCommit = true;
  m_Editor.ActorEdited(m_PageChanges, m_PageStep);
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
