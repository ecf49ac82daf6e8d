// Edits of a record's fields as the property pages, the lists' rename commands, the cutting view
// and the tag dialog make them: each is one named step, told to every listener.
#include <cstdint>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"

namespace {

template <typename T>
T* At(const UArray<T*>& list, int index) {
  return list.IsValidIndex(index) ? list[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

CModuleFields CVelloEditor::ModuleFields(int index) const {
  const UObjModule* module = actor == nullptr ? nullptr : At(actor->modules, index);
  if (module == nullptr) {
    return {};
  }
  return {module->Attribute, module->left, module->top, module->right, module->bottom};
}

void CVelloEditor::SetModuleFields(int index, const CModuleFields& fields) {
  UObjModule* module = actor == nullptr ? nullptr : At(actor->modules, index);
  if (module == nullptr || fields.right < fields.left || fields.bottom < fields.top) {
    return;
  }
  module->Attribute = fields.attribute;
  module->left = fields.left;
  module->top = fields.top;
  module->right = fields.right;
  module->bottom = fields.bottom;
  FieldsEdited(kChangeModules, res::kStepEditModule);
}

CFrameFields CVelloEditor::FrameFields(int index, int placement) const {
  const UObjFrame* frame = actor == nullptr ? nullptr : actor->GetFrame(index);
  if (frame == nullptr) {
    return {};
  }
  CFrameFields fields{frame->name, frame->origin, frame->collision, -1, {}};
  if (const TObjFrame* placed = frame->GetModule(placement)) {
    fields.placement = placement;
    fields.placementFields = *placed;
  }
  return fields;
}

void CVelloEditor::SetFrameFields(int index, const CFrameFields& fields) {
  UObjFrame* frame = actor == nullptr ? nullptr : actor->GetFrame(index);
  if (frame == nullptr) {
    return;
  }
  TObjFrame* placed = frame->GetModule(fields.placement);
  // The module a placement shows is chosen by placing, never typed.
  if (placed != nullptr && placed->module != fields.placementFields.module) {
    return;
  }
  frame->name = fields.name;
  frame->origin = fields.origin;
  frame->collision = fields.collision;
  if (placed != nullptr) {
    *placed = fields.placementFields;
  }
  FieldsEdited(kChangeFrames | kChangePlacements, res::kStepEditFrame);
}

CActionFields CVelloEditor::ActionFields(int index) const {
  const UObjAction* action = actor == nullptr ? nullptr : At(actor->actions, index);
  if (action == nullptr) {
    return {};
  }
  return {action->name, action->speed};
}

void CVelloEditor::SetActionFields(int index, const CActionFields& fields) {
  UObjAction* action = actor == nullptr ? nullptr : At(actor->actions, index);
  if (action == nullptr) {
    return;
  }
  action->name = fields.name;
  action->speed = fields.speed;
  FieldsEdited(kChangeActions, res::kStepEditAction);
}

void CVelloEditor::RenameFrame(int index, const std::string& utf8Name) {
  UObjFrame* frame = actor == nullptr ? nullptr : actor->GetFrame(index);
  if (frame != nullptr) {
    frame->name = StoredName(utf8Name);
    FieldsEdited(kChangeFrames, res::kStepRenameFrame);
  }
}

void CVelloEditor::RenameAction(int index, const std::string& utf8Name) {
  UObjAction* action = actor == nullptr ? nullptr : At(actor->actions, index);
  if (action != nullptr) {
    action->name = StoredName(utf8Name);
    FieldsEdited(kChangeActions, res::kStepRenameAction);
  }
}

void CVelloEditor::ReshapeModule(int index, const URect& shape, uint64_t mergeKey) {
  UObjModule* module = actor == nullptr ? nullptr : At(actor->modules, index);
  if (module == nullptr || shape.left < 0 || shape.top < 0 || shape.right > UINT16_MAX ||
      shape.bottom > UINT16_MAX || shape.GetWidth() <= 0 || shape.GetHeight() <= 0) {
    return;
  }
  module->left = static_cast<uint16_t>(shape.left);
  module->top = static_cast<uint16_t>(shape.top);
  module->right = static_cast<uint16_t>(shape.right);
  module->bottom = static_cast<uint16_t>(shape.bottom);
  FieldsEdited(kChangeModules, res::kStepReshapeModule, mergeKey);
}

void CVelloEditor::SetTag(int frameIndex, int tagIndex, const TFrameTag& fields,
                          uint64_t mergeKey) {
  UObjFrame* frame = actor == nullptr ? nullptr : actor->GetFrame(frameIndex);
  if (frame == nullptr || !frame->tags.IsValidIndex(tagIndex)) {
    return;
  }
  frame->tags[static_cast<size_t>(tagIndex)] = fields;
  FieldsEdited(kChangeTags, res::kStepEditTag, mergeKey);
}

void CVelloEditor::FieldsEdited(uint32_t changes, const char* step, uint64_t mergeKey) {
  // An edit of the selected placement (its position, scale or turn) moves its box.
  SelectedPlacementBox(&placementRect, &placementAngle);
  ChangedBlend(changes, step, mergeKey);
}

void CVelloEditor::ActorEdited(uint32_t changes, const std::string& stepName, uint64_t mergeKey) {
  if (actor != nullptr) {
    FieldsEdited(changes, stepName.c_str(), mergeKey);
  }
}
