#include "editor/panels/panel_factory.h"

#include "editor/app/dock_panes.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/action_frame_panel.h"
#include "editor/panels/action_panel.h"
#include "editor/panels/anim_property_grid.h"
#include "editor/panels/frame_module_panel.h"
#include "editor/panels/frame_panel.h"
#include "editor/panels/frame_tag_list.h"
#include "editor/panels/history_panel.h"
#include "editor/panels/module_cut_panel.h"
#include "editor/panels/module_list.h"
#include "editor/panels/texture_list.h"
#include "editor/view/action_frame_editor.h"

QWidget* MakePanel(const CPaneInfo& pane, CVelloEditor& editor, QWidget* parent) {
  switch (pane.id) {
    case 4000:
      return new CModuleCutPanel(editor, parent);
    case 4001:
      return new CModuleListCtrl(editor, parent);
    case 4002:
      return new CFramePanel(editor, parent);
    case 4003:
      return new CActionPanel(editor, parent);
    case 4004:
      return new CActionFramePanel(editor, parent);
    case 4005: {
      auto* grid = new CAnimPropertyGrid(editor, parent);
      grid->setObjectName("propertyGrid");
      return grid;
    }
    case 4006:
      return new CFrameModulePanel(editor, parent);
    case 4007:
      return new CTextureListCtrl(editor, parent);
    case 4008:
      return new MyActionFrameEditor(editor, parent);
    case 4009:
      return new CFrameTagListCtrl(editor, parent);
    case 4010:
      return new CHistoryPanel(editor, parent);
    default:
      return nullptr;
  }
}
