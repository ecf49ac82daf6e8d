// Undo and redo: recording each edit as a step of the history, and putting an entry back.
#include <bit>
#include <memory>
#include <utility>

#include "core/anim/obj_action.h"
#include "core/anim/obj_actor.h"
#include "editor/doc/stored_actor.h"
#include "editor/doc/vello_editor.h"

namespace {

// Kinds of nudge, kept apart in their merge keys, which lie above every NewMergeKey.
constexpr uint64_t kNudgeKeyBase = uint64_t{1} << 62;

bool SameBits(float a, float b) {
  return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

// The values of every placement that its stored form leaves out and a reader would not give back.
std::vector<CHiddenPlacement> HiddenPlacementValues(const UObjActor& actor) {
  std::vector<CHiddenPlacement> hidden;
  for (int f = 0; f < actor.frames.Num(); ++f) {
    const UObjFrame* frame = actor.frames[static_cast<size_t>(f)];
    for (int p = 0; frame != nullptr && p < frame->placements.Num(); ++p) {
      const TObjFrame& placement = frame->placements[static_cast<size_t>(p)];
      const WObjAffine& affine = placement.affine;
      const CHiddenPlacement values{
          f,
          p,
          (affine.ScaleXEnable & 1) != 0 ? 1.0f : placement.ScaleX,
          (affine.ScaleYEnable & 1) != 0 ? 1.0f : placement.ScaleY,
          (affine.RotateAngleEnable & 1) != 0 ? 0.0f : placement.RotateAngle,
          (affine.AlphaBlendEnable & 1) != 0 ? 1u : placement.AlphaValue};
      if (!SameBits(values.scaleX, 1.0f) || !SameBits(values.scaleY, 1.0f) ||
          !SameBits(values.rotateAngle, 0.0f) || values.alphaValue != 1u) {
        hidden.push_back(values);
      }
    }
  }
  return hidden;
}

void RestoreHiddenValues(UObjActor& actor, const std::vector<CHiddenPlacement>& hidden) {
  for (const CHiddenPlacement& values : hidden) {
    UObjFrame* frame = actor.GetFrame(values.frame);
    TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(values.placement);
    if (placement == nullptr) {
      continue;
    }
    const WObjAffine& affine = placement->affine;
    if ((affine.ScaleXEnable & 1) == 0) {
      placement->ScaleX = values.scaleX;
    }
    if ((affine.ScaleYEnable & 1) == 0) {
      placement->ScaleY = values.scaleY;
    }
    if ((affine.RotateAngleEnable & 1) == 0) {
      placement->RotateAngle = values.rotateAngle;
    }
    if ((affine.AlphaBlendEnable & 1) == 0) {
      placement->AlphaValue = values.alphaValue;
    }
  }
}

}  // namespace

std::vector<unsigned char> CVelloEditor::StoredActor() const {
  return actor == nullptr ? std::vector<unsigned char>() : EncodeActor(*actor);
}

CStoredForm CVelloEditor::CurrentStoredForm() {
  if (m_Run && !leftDown && !middleDown) {
    CloseRun();
  }
  if (m_Run || m_History.IsEmpty()) {
    return std::make_shared<const std::vector<unsigned char>>(StoredActor());
  }
  return m_History.State(m_History.Position()).stored;
}

CHistoryState CVelloEditor::CaptureState() const {
  CHistoryState state;
  state.stored = std::make_shared<const std::vector<unsigned char>>(StoredActor());
  if (actor != nullptr) {
    state.hidden = HiddenPlacementValues(*actor);
  }
  state.textures.reserve(m_TextureOwners.size());
  for (size_t i = 0; i < m_TextureOwners.size(); ++i) {
    state.textures.push_back({m_TextureOwners[i], m_TexturePaths[i]});
  }
  return state;
}

CEditSelection CVelloEditor::CurrentSelection() const {
  return {mode,          selectedTexture,     selectedModule,    selectedAction,
          selectedFrame, selectedActionFrame, selectedPlacement, shownFrame,
          selectedTag,   selectedPlacements};
}

std::shared_ptr<USurface> CVelloEditor::AdoptSurface(USurface* surface) {
  return std::shared_ptr<USurface>(surface, [this](USurface* owned) {
    if (owned == nullptr) {
      return;
    }
    // Surfaces free GL objects of the view's context, which a panel's event may have left.
    if (m_Window != nullptr) {
      m_Window->MakeContextCurrent();
    }
    owned->Release();
    delete owned;
  });
}

void CVelloEditor::SetTextures(const std::vector<CHistoryTexture>& textures) {
  textureSurfaces.clear();
  m_TextureOwners.clear();
  m_TexturePaths.clear();
  for (const CHistoryTexture& texture : textures) {
    textureSurfaces.push_back(texture.surface.get());
    m_TextureOwners.push_back(texture.surface);
    m_TexturePaths.push_back(texture.path);
  }
}

void CVelloEditor::StartHistory(const char* name, bool saved) {
  m_History.Reset(CaptureState(), name, saved);
  m_Modified = !saved;
  m_SettledSelection = CurrentSelection();
  ++m_EditSerial;
}

void CVelloEditor::Changed(uint32_t changes, const char* step, uint64_t mergeKey) {
  if (m_Run) {
    RecordRunBeneath();
    changes |= kChangeHistory;
  }
  const CEditSelection after = CurrentSelection();
  if (actor != nullptr &&
      m_History.Record(step, mergeKey, changes, m_SettledSelection, after, CaptureState())) {
    ++m_EditSerial;
    changes |= kChangeHistory;
  }
  const bool was = m_Modified;
  m_Modified = !m_History.IsAtSaved();
  m_SettledSelection = after;
  m_Recording = true;
  Notify(changes | (was != m_Modified ? static_cast<uint32_t>(kChangeModified) : 0u));
  m_Recording = false;
}

void CVelloEditor::ChangedBlend(uint32_t changes, const char* step, uint64_t mergeKey) {
  if (actor != nullptr) {
    actor->SetIntroploate();
    // A last key has nothing to blend toward. A bit left from before it became last (its
    // successor deleted) would be saved but never read back, so a redo or a reopen would differ.
    for (UObjAction* action : actor->actions) {
      if (action != nullptr && !action->keys.empty()) {
        action->keys.back().flags &= ~kKeyBlendsToNext;
      }
    }
  }
  Changed(changes, step, mergeKey);
}

void CVelloEditor::RunEdited(uint32_t changes, const char* step, uint64_t mergeKey) {
  if (m_Run && (m_Run->mergeKey != mergeKey || m_Run->frame != selectedFrame)) {
    RecordRunBeneath();
    changes |= kChangeHistory;
  }
  const UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  if (!m_Run) {
    m_Run = CEditRun{step, mergeKey, 0, m_SettledSelection, {}, selectedFrame, nullptr};
    changes |= kChangeHistory;
  }
  m_Run->changes |= changes;
  m_Run->after = CurrentSelection();
  m_Run->edited = std::make_shared<const UObjFrame>(*frame);
  ++m_EditSerial;
  if (!m_Modified) {
    m_Modified = true;
    changes |= kChangeModified;
  }
  m_Recording = true;
  Notify(changes);
  m_Recording = false;
}

void CVelloEditor::CloseRunUnless(uint64_t mergeKey) {
  if (m_Run && m_Run->mergeKey != mergeKey) {
    CloseRun();
  }
}

void CVelloEditor::CloseRun() {
  if (m_Run) {
    m_Recording = true;
    Notify(RecordRun());
    m_Recording = false;
  }
}

uint32_t CVelloEditor::RecordRun() {
  if (!m_Run) {
    return 0;
  }
  const CEditRun run = std::move(*m_Run);
  m_Run.reset();
  // The run's edits told the serial already.
  m_History.Record(run.step, run.mergeKey, run.changes, run.before, run.after, CaptureState());
  m_SettledSelection = run.after;
  const bool was = m_Modified;
  m_Modified = !m_History.IsAtSaved();
  return kChangeHistory | (was != m_Modified ? static_cast<uint32_t>(kChangeModified) : 0u);
}

void CVelloEditor::RecordRunBeneath() {
  const CEditRun run = std::move(*m_Run);
  m_Run.reset();
  if (m_History.IsEmpty()) {
    return;
  }
  // The current entry is the actor before the run (or its last recorded part): the run only
  // changed its frame.
  const CHistoryState& current = m_History.State(m_History.Position());
  const std::unique_ptr<UObjActor> ran = ReadStoredActor(*current.stored);
  if (ran == nullptr || !ran->frames.IsValidIndex(run.frame)) {
    return;  // the history wrote the entry, so it reads back; the run is lost otherwise
  }
  RestoreHiddenValues(*ran, current.hidden);
  UObjFrame*& frame = ran->frames[static_cast<size_t>(run.frame)];
  delete frame;
  frame = new UObjFrame(*run.edited);
  CHistoryState state{std::make_shared<const std::vector<unsigned char>>(EncodeActor(*ran)),
                      HiddenPlacementValues(*ran), current.textures};
  m_History.Record(run.step, run.mergeKey, run.changes, run.before, run.after, std::move(state));
  m_SettledSelection = run.after;
}

bool CVelloEditor::RunAddsEntry() const {
  return m_Run && !m_History.WouldMerge(m_Run->mergeKey);
}

uint64_t CVelloEditor::NudgeKey(int kind) const {
  // Frame and placement indices fit 16 bits each in a document.
  return kNudgeKeyBase | (uint64_t(kind) << 40) |
         (uint64_t(uint32_t(selectedFrame) & 0xFFFFu) << 16) |
         (uint32_t(selectedPlacement) & 0xFFFFu);
}

int CVelloEditor::HistoryPosition() const {
  return m_History.Position() + (RunAddsEntry() ? 1 : 0);
}

int CVelloEditor::HistorySize() const {
  // A step recorded now drops the redo entries.
  return m_Run ? HistoryPosition() + 1 : m_History.Size();
}

bool CVelloEditor::CanUndo() const {
  return HistoryPosition() > 0;
}

bool CVelloEditor::CanRedo() const {
  return HistoryPosition() + 1 < HistorySize();
}

std::string CVelloEditor::UndoName() const {
  return CanUndo() ? HistoryName(HistoryPosition()) : std::string();
}

std::string CVelloEditor::RedoName() const {
  return CanRedo() ? HistoryName(HistoryPosition() + 1) : std::string();
}

std::string CVelloEditor::HistoryName(int entry) const {
  if (RunAddsEntry() && entry == HistoryPosition()) {
    return m_Run->step;
  }
  return entry >= 0 && entry < HistorySize() ? m_History.Name(entry) : std::string();
}

void CVelloEditor::Undo() {
  CloseRun();
  if (m_History.CanUndo()) {
    JumpToHistory(m_History.Position() - 1);
  }
}

void CVelloEditor::Redo() {
  CloseRun();
  if (m_History.CanRedo()) {
    JumpToHistory(m_History.Position() + 1);
  }
}

void CVelloEditor::JumpToHistory(int entry) {
  if (actor == nullptr || entry < 0 || entry >= HistorySize() || entry == HistoryPosition()) {
    return;
  }
  // A run that came back to where it started makes no entry: the one it would have made is gone,
  // those before it keep their numbers.
  CloseRun();
  if (entry >= m_History.Size() || entry == m_History.Position()) {
    return;
  }
  const int from = m_History.Position();
  const uint32_t changes = m_History.ChangesBetween(from, entry);
  const CEditSelection selection = m_History.MoveTo(entry);
  if (!RestoreEntry(entry, selection, changes)) {
    // The entry could not be read back (it always can: the history wrote it); stay where we were.
    m_History.MoveTo(from);
  }
}

bool CVelloEditor::RestoreEntry(int entry, const CEditSelection& selection, uint32_t changes) {
  const CHistoryState& state = m_History.State(entry);
  std::unique_ptr<UObjActor> restored = ReadStoredActor(*state.stored);
  if (restored == nullptr) {
    return false;
  }
  RestoreHiddenValues(*restored, state.hidden);
  // Blending is the user's setting, not part of the stored form.
  restored->interpolate = actor->interpolate;
  actor->Destroy();
  delete actor;
  actor = restored.release();
  SetTextures(state.textures);
  isPlaying = false;
  leftDown = false;
  middleDown = false;
  bandDragging = false;
  m_DragKey = 0;

  // The selection comes back where it still names something.
  const auto valid = [](int32_t index, int count) {
    return index >= 0 && index < count ? index : -1;
  };
  mode = selection.mode;
  selectedTexture = valid(selection.texture, actor->textures.Num());
  selectedModule = valid(selection.module, actor->modules.Num());
  selectedAction = valid(selection.action, actor->actions.Num());
  selectedFrame = valid(selection.frame, actor->frames.Num());
  shownFrame = valid(selection.shownFrame, actor->frames.Num());
  const UObjAction* action = ActionAt(selectedAction);
  selectedActionFrame = action == nullptr ? -1 : valid(selection.actionFrame, action->keys.Num());
  const UObjFrame* frame = EditedFrame();
  ClearPlacementSelection();
  ClearTagSelection();
  if (frame != nullptr) {
    SetPlacementSet(selection.placements, selection.placement);
    selectedTag = valid(selection.tag, frame->tags.Num());
  }
  m_Modified = !m_History.IsAtSaved();
  ++m_EditSerial;
  // Views rebuild what the steps changed (the actor is a new object, but views keep indices into
  // it, never pointers); a texture's picture is only read again when a step changed textures.
  Notify(changes | kChangeSelection | kChangePlayTime | kChangeModified | kChangeTools |
         kChangeHistory);
  return true;
}
