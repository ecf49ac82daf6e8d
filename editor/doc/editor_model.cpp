// Editing operations on modules, frames, actions, keys, placements and tags. Each checks the
// indices it is given, keeps the selections pointing at what they pointed at, and tells the
// listeners.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "core/foundation/saturate.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/placement_fields.h"
#include "editor/doc/vello_editor.h"

namespace {

// A selection after item `removed` left its list: -1 when it was that item, one lower when it
// came after it.
int32_t AfterRemoval(int32_t selection, int removed) {
  if (selection == removed) {
    return -1;
  }
  return selection > removed ? selection - 1 : selection;
}

int16_t Moved(int16_t value, int delta) {
  return SaturateCast<int16_t>(int64_t{value} + delta);
}

}  // namespace

UObjFrame* CVelloEditor::EditedFrame() {
  return actor == nullptr ? nullptr : actor->GetFrame(selectedFrame);
}

const UObjFrame* CVelloEditor::EditedFrame() const {
  return actor == nullptr || !actor->frames.IsValidIndex(selectedFrame)
             ? nullptr
             : actor->frames[static_cast<size_t>(selectedFrame)];
}

UObjAction* CVelloEditor::ActionAt(int index) {
  return actor == nullptr || !actor->actions.IsValidIndex(index)
             ? nullptr
             : actor->actions[static_cast<size_t>(index)];
}

int CVelloEditor::CreateModule(const UObjModule& module) {
  if (actor == nullptr) {
    return -1;
  }
  const int index = actor->AddModule(new UObjModule(module));
  Changed(kChangeModules, res::kStepAddModule);
  return index;
}

void CVelloEditor::InsertModule(int index, const UObjModule& module) {
  if (actor == nullptr || index < 0 || index > actor->modules.Num()) {
    return;
  }
  actor->InsModule(index, new UObjModule(module));
  // Placements name their modules by index.
  for (UObjFrame* frame : actor->frames) {
    if (frame == nullptr) {
      continue;
    }
    for (TObjFrame& placement : frame->placements) {
      if (placement.module >= index && placement.module < UINT16_MAX) {
        ++placement.module;
      }
    }
  }
  if (selectedModule >= index) {
    ++selectedModule;
  }
  ChangedBlend(kChangeModules | kChangePlacements | kChangeSelection, res::kStepAddModule);
}

void CVelloEditor::RemoveModuleAt(int index) {
  const UObjFrame* frame = EditedFrame();
  const int placementsBefore = frame == nullptr ? 0 : frame->GetModuleSize();
  if (actor->DelModule(index) == 0) {
    return;
  }
  selectedModule = AfterRemoval(selectedModule, index);
  // The selected placement may have gone with the module, or moved down the list.
  if (frame != nullptr && frame->GetModuleSize() != placementsBefore) {
    ClearPlacementSelection();
  }
}

void CVelloEditor::DeleteModule(int index) {
  if (actor == nullptr || !actor->modules.IsValidIndex(index)) {
    return;
  }
  RemoveModuleAt(index);
  ChangedBlend(kChangeModules | kChangePlacements | kChangeSelection, res::kStepDeleteModule);
}

void CVelloEditor::SelectModule(int index) {
  if (actor == nullptr || (index != -1 && !actor->modules.IsValidIndex(index))) {
    return;
  }
  selectedModule = index;
  mode = EditMode::Module;
  Notify(kChangeSelection);
}

int CVelloEditor::CreateFrame(const std::string& utf8Name) {
  if (actor == nullptr) {
    return -1;
  }
  auto* frame = new UObjFrame();
  frame->name = StoredName(utf8Name);
  const int index = actor->AddFrame(frame);
  SetFrameSelection(index);
  ChangedBlend(kChangeFrames | kChangeSelection, res::kStepAddFrame);
  return index;
}

int CVelloEditor::CopyFrame(const std::string& utf8Name) {
  const UObjFrame* source = EditedFrame();
  if (source == nullptr) {
    return -1;
  }
  // The copy constructor takes the tags too; assignment would leave them behind.
  auto* frame = new UObjFrame(*source);
  frame->name = StoredName(utf8Name);
  const int index = actor->AddFrame(frame);
  SetFrameSelection(index);
  ChangedBlend(kChangeFrames | kChangeSelection, res::kStepCopyFrame);
  return index;
}

void CVelloEditor::DeleteFrame(int index) {
  if (actor == nullptr || !actor->frames.IsValidIndex(index)) {
    return;
  }
  UObjAction* selected = ActionAt(selectedAction);
  const int keysBefore = selected == nullptr ? 0 : selected->keys.Num();
  for (UObjAction* action : actor->actions) {
    if (action != nullptr) {
      action->DelOneFrame(static_cast<uint32_t>(index));
    }
  }
  actor->DelFrame(index);
  if (selected != nullptr && selected->keys.Num() != keysBefore) {
    selectedActionFrame = -1;
  }
  if (selectedFrame == index) {
    ClearPlacementSelection();
    ClearTagSelection();
  }
  selectedFrame = AfterRemoval(selectedFrame, index);
  shownFrame = AfterRemoval(shownFrame, index);
  tagFrame = AfterRemoval(tagFrame, index);
  ChangedBlend(kChangeFrames | kChangeActions | kChangeActionKeys | kChangeSelection,
               res::kStepDeleteFrame);
}

void CVelloEditor::SelectFrame(int index) {
  if (actor == nullptr || (index != -1 && !actor->frames.IsValidIndex(index))) {
    return;
  }
  SetFrameSelection(index);
  Notify(kChangeSelection);
}

void CVelloEditor::SetFrameSelection(int index) {
  selectedFrame = index;
  if (index != -1) {
    shownFrame = index;
  }
  mode = EditMode::Frame;
  ClearPlacementSelection();
  ClearTagSelection();
}

int CVelloEditor::CreateAction(const std::string& utf8Name) {
  if (actor == nullptr) {
    return -1;
  }
  auto* action = new UObjAction();
  action->name = StoredName(utf8Name);
  action->speed = 0;
  const int index = actor->AddAction(action);
  Changed(kChangeActions, res::kStepAddAction);
  return index;
}

void CVelloEditor::DeleteAction(int index) {
  if (actor == nullptr || !actor->actions.IsValidIndex(index)) {
    return;
  }
  actor->DelAction(index);
  if (selectedAction == index) {
    // The played action is gone.
    isPlaying = false;
    selectedActionFrame = -1;
  }
  selectedAction = AfterRemoval(selectedAction, index);
  Changed(kChangeActions | kChangeActionKeys | kChangeSelection | kChangeTools,
          res::kStepDeleteAction);
}

void CVelloEditor::SelectAction(int index) {
  if (actor == nullptr || (index != -1 && !actor->actions.IsValidIndex(index))) {
    return;
  }
  selectedAction = index;
  selectedActionFrame = -1;
  mode = EditMode::Action;
  isPlaying = false;
  Notify(kChangeSelection | kChangeTools);
}

void CVelloEditor::SelectActionFrame(int index) {
  const UObjAction* action = ActionAt(selectedAction);
  if (action == nullptr || (index != -1 && !action->keys.IsValidIndex(index))) {
    return;
  }
  selectedActionFrame = index;
  isPlaying = false;
  mode = EditMode::Frame;
  if (index != -1) {
    const TActionFrame& key = action->keys[static_cast<size_t>(index)];
    playTime = static_cast<float>(key.time);
    if (actor->frames.IsValidIndex(static_cast<int>(key.frame))) {
      selectedFrame = static_cast<int32_t>(key.frame);
      shownFrame = selectedFrame;
      ClearPlacementSelection();
      ClearTagSelection();
    }
  }
  Notify(kChangeSelection | kChangePlayTime | kChangeTools);
}

void CVelloEditor::InsertActionKey(int action, uint32_t time, uint32_t frame) {
  UObjAction* target = ActionAt(action);
  if (target == nullptr || frame >= static_cast<uint32_t>(actor->frames.Num())) {
    return;
  }
  TActionFrame key;
  key.time = time;
  key.frame = frame;
  // The key goes after every key at or before its time; a selected key after it moves up.
  const auto position = std::count_if(target->keys.begin(), target->keys.end(),
                                      [time](const TActionFrame& k) { return k.time <= time; });
  target->InsFrame(key);
  if (action == selectedAction && selectedActionFrame >= position) {
    ++selectedActionFrame;
  }
  ChangedBlend(kChangeActionKeys | kChangeSelection, res::kStepInsertKey);
}

void CVelloEditor::InsertEmptyTime(uint32_t time) {
  UObjAction* action = ActionAt(selectedAction);
  if (action == nullptr || time > static_cast<uint32_t>(INT_MAX)) {
    return;
  }
  action->InsertActionEmptyFrame(static_cast<int>(time));
  ChangedBlend(kChangeActionKeys, res::kStepInsertTime);
}

void CVelloEditor::DeleteEmptyTime(uint32_t time) {
  UObjAction* action = ActionAt(selectedAction);
  if (action == nullptr || time > static_cast<uint32_t>(INT_MAX)) {
    return;
  }
  action->DeleteActionEmptyFrame(static_cast<int>(time));
  ChangedBlend(kChangeActionKeys, res::kStepDeleteTime);
}

bool CVelloEditor::MoveActionKey(int index, uint32_t time) {
  UObjAction* action = ActionAt(selectedAction);
  if (action == nullptr || action->MoveFrame(index, time) == 0) {
    return false;
  }
  if (selectedActionFrame == index) {
    // The moved key is the only one at its new time; the selection follows it there.
    for (int i = 0; i < action->keys.Num(); ++i) {
      if (action->keys[static_cast<size_t>(i)].time == time) {
        selectedActionFrame = i;
      }
    }
  } else {
    selectedActionFrame = -1;
  }
  ChangedBlend(kChangeActionKeys | kChangeFrames | kChangeSelection, res::kStepMoveKey);
  return true;
}

void CVelloEditor::DeleteActionKey(int action, int index) {
  UObjAction* target = ActionAt(action);
  if (target == nullptr || target->DelKey(index) == 0) {
    return;
  }
  if (action == selectedAction) {
    selectedActionFrame = AfterRemoval(selectedActionFrame, index);
  }
  ChangedBlend(kChangeActionKeys | kChangeSelection, res::kStepDeleteKey);
}

void CVelloEditor::PlaceModule() {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr || !actor->modules.IsValidIndex(selectedModule) ||
      selectedModule > UINT16_MAX) {
    return;
  }
  PlaceModuleAt(*frame, static_cast<uint16_t>(selectedModule), 0, 0);
  ChangedBlend(kChangePlacements, res::kStepPlaceModule);
}

void CVelloEditor::DeletePlacement() {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr || frame->GetModule(selectedPlacement) == nullptr) {
    return;
  }
  if (selectedPlacements.size() > 1) {
    DeleteSelectedPlacements();
    return;
  }
  frame->DelModule(selectedPlacement);
  ClearPlacementSelection();
  ChangedBlend(kChangePlacements | kChangeSelection, res::kStepDeletePlacement);
}

void CVelloEditor::SwapPlacements(int frameIndex, int a, int b) {
  UObjFrame* frame = actor == nullptr ? nullptr : actor->GetFrame(frameIndex);
  if (frame == nullptr || a == b || frame->GetModule(a) == nullptr ||
      frame->GetModule(b) == nullptr) {
    return;
  }
  std::swap(*frame->GetModule(a), *frame->GetModule(b));
  if (frameIndex == selectedFrame) {
    // The selection stays on the placement it named.
    std::vector<int32_t> swapped = selectedPlacements;
    for (int32_t& index : swapped) {
      index = index == a ? b : (index == b ? a : index);
    }
    SetPlacementSet(swapped,
                    selectedPlacement == a ? b : (selectedPlacement == b ? a : selectedPlacement));
  }
  ChangedBlend(kChangePlacements | kChangeSelection, res::kStepReorderPlacements);
}

void CVelloEditor::SelectPlacement(int index) {
  const UObjFrame* frame = EditedFrame();
  if (frame == nullptr || (index != -1 && frame->GetModule(index) == nullptr)) {
    return;
  }
  // Editing a placement edits the frame: playback stops and the frame page shows, with the
  // placement's box (and its rotation) as a pick in the view would give.
  Stop();
  mode = EditMode::Frame;
  SetPlacementSet({index}, index);
  Notify(kChangeSelection);
}

void CVelloEditor::NudgePlacement(int dx, int dy) {
  UObjFrame* frame = EditedFrame();
  TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(selectedPlacement);
  if (placement == nullptr) {
    return;
  }
  const uint64_t key = NudgeKey(0);
  CloseRunUnless(key);
  MoveSelectedPlacements(dx, dy);
  RunEdited(kChangePlacements, res::kStepMovePlacement, key);
}

void CVelloEditor::NudgeFrame(int dx, int dy) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  const uint64_t key = NudgeKey(1);
  CloseRunUnless(key);
  for (TObjFrame& placement : frame->placements) {
    placement.x = Moved(placement.x, dx);
    placement.y = Moved(placement.y, dy);
  }
  SelectedPlacementBox(&placementRect, &placementAngle);
  RunEdited(kChangePlacements, res::kStepMoveFrame, key);
}

void CVelloEditor::RotatePlacement() {
  UObjFrame* frame = EditedFrame();
  TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(selectedPlacement);
  if (placement == nullptr) {
    return;
  }
  if (selectedPlacements.size() > 1) {
    TurnPlacementGroup();
    return;
  }
  placement->affine.Rotate = (placement->affine.Rotate + 1) & 3u;
  SelectedPlacementBox(&placementRect, &placementAngle);
  ChangedBlend(kChangePlacements, res::kStepRotate);
}

void CVelloEditor::CreateTag(int clientX, int clientY) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  const int zoom = viewCanvas.GetZoom();
  frame->AddTag(clientX / zoom - frame->origin.x - centre.x,
                clientY / zoom - frame->origin.y - centre.y);
  draggedTag = -1;
  Changed(kChangeTags | kChangeSelection, res::kStepAddTag);
}

void CVelloEditor::DeleteTag(int index) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr || !frame->tags.IsValidIndex(index)) {
    return;
  }
  frame->DelTag(index);
  selectedTag = AfterRemoval(selectedTag, index);
  draggedTag = -1;
  Changed(kChangeTags | kChangeSelection, res::kStepDeleteTag);
}

void CVelloEditor::SelectTag(int index) {
  const UObjFrame* frame = EditedFrame();
  if (frame == nullptr || (index != -1 && !frame->tags.IsValidIndex(index))) {
    return;
  }
  selectedTag = index;
  draggedTag = index;
  tagFrame = selectedFrame;
  Notify(kChangeSelection);
}
