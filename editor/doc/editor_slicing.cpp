// Adding the modules that automatic slicing found, as one step of the history.
#include <QString>
#include <cstdint>
#include <unordered_set>

#include "core/anim/obj_module.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// A module's four 16-bit edges as one key.
uint64_t ShapeKey(int left, int top, int right, int bottom) {
  return static_cast<uint64_t>(left) << 48 | static_cast<uint64_t>(top) << 32 |
         static_cast<uint64_t>(right) << 16 | static_cast<uint64_t>(bottom);
}

bool FitsModule(const URect& shape) {
  return shape.left >= 0 && shape.top >= 0 && shape.right > shape.left &&
         shape.bottom > shape.top && shape.right <= 0xFFFF && shape.bottom <= 0xFFFF;
}

}  // namespace

std::vector<URect> CVelloEditor::NewSlicedModules(int texture,
                                                  const std::vector<URect>& shapes) const {
  std::vector<URect> added;
  // 65535 reads back as "no texture"; texture indices stop one short of it.
  if (actor == nullptr || !actor->textures.IsValidIndex(texture) || texture >= 0xFFFF) {
    return added;
  }
  std::unordered_set<uint64_t> taken;
  for (const UObjModule* module : actor->modules) {
    if (module != nullptr && module->texture == texture) {
      taken.insert(ShapeKey(module->left, module->top, module->right, module->bottom));
    }
  }
  for (const URect& shape : shapes) {
    if (FitsModule(shape) &&
        taken.insert(ShapeKey(shape.left, shape.top, shape.right, shape.bottom)).second) {
      added.push_back(shape);
    }
  }
  return added;
}

int CVelloEditor::AddSlicedModules(int texture, const std::vector<URect>& shapes) {
  int count = 0;
  for (const URect& shape : NewSlicedModules(texture, shapes)) {
    // Placements name modules by a 16-bit index.
    if (actor->modules.Num() >= 0xFFFF) {
      break;
    }
    auto* module = new UObjModule;
    module->texture = static_cast<uint16_t>(texture);
    module->Attribute = 0;
    module->left = static_cast<uint16_t>(shape.left);
    module->top = static_cast<uint16_t>(shape.top);
    module->right = static_cast<uint16_t>(shape.right);
    module->bottom = static_cast<uint16_t>(shape.bottom);
    actor->AddModule(module);
    ++count;
  }
  if (count > 0) {
    Changed(kChangeModules, res::kStepAutoSlice);
    Status(StatusPane::Prompt, UiText::tr(res::kAutoSliceAdded).arg(count).toStdString());
  } else {
    Status(StatusPane::Prompt, UiText::Utf8(res::kAutoSliceNothingNew));
  }
  return count;
}
