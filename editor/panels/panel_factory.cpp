#include "editor/panels/panel_factory.h"

#include "editor/app/dock_panes.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/anim_property_grid.h"
#include "editor/panels/panel_placeholder.h"
#include "editor_support/property_grid/property_grid.h"

QWidget* MakePanel(const CPaneInfo& pane, CVelloEditor& editor, QWidget* parent) {
  static_cast<void>(editor);
  switch (pane.id) {
    case 4005: {
      auto* grid = new CAnimPropertyGrid(editor, parent);
      grid->setObjectName("propertyGrid");
      return grid;
    }
    default:
      return new CPanelPlaceholder(QString::fromUtf8(pane.windowTitle), pane.bordered, parent);
  }
}
