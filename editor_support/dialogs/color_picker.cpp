#include "editor_support/dialogs/color_picker.h"

#include <QColorDialog>
#include <utility>

namespace {

bool PickWithColorDialog(const QColor& initial, QWidget* parent, QColor* picked) {
  const QColor color = QColorDialog::getColor(initial, parent);
  if (!color.isValid()) {
    return false;
  }
  *picked = color;
  return true;
}

UColorPickHook& InstalledHook() {
  static UColorPickHook hook = PickWithColorDialog;
  return hook;
}

}  // namespace

UColorPickHook SetColorPickHook(UColorPickHook hook) {
  if (!hook) {
    hook = PickWithColorDialog;
  }
  return std::exchange(InstalledHook(), std::move(hook));
}

bool PickColor(const QColor& initial, QWidget* parent, QColor* picked) {
  return picked != nullptr && InstalledHook()(initial, parent, picked);
}
