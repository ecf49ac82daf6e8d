#include "editor/panels/panel_factory.h"

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
#include "editor/res/pane_table.h"
#include "editor/res/strings.h"
#include "editor/view/action_frame_editor.h"

QWidget* MakePanel(const CPaneInfo& pane, CVelloEditor& editor, QWidget* parent) {
  switch (pane.id) {
    case pane::kModuleCut:
      return new CModuleCutPanel(editor, parent);
    case pane::kModuleList:
      return new CModuleListCtrl(editor, parent);
    case pane::kFrames:
      return new CFramePanel(editor, parent);
    case pane::kActions:
      return new CActionPanel(editor, parent);
    case pane::kActionFrames:
      return new CActionFramePanel(editor, parent);
    case pane::kProperties: {
      auto* grid = new CAnimPropertyGrid(editor, parent);
      grid->setObjectName("propertyGrid");
      grid->setAccessibleName(res::kAccessibleProperties);
      return grid;
    }
    case pane::kFrameModules:
      return new CFrameModulePanel(editor, parent);
    case pane::kTextures:
      return new CTextureListCtrl(editor, parent);
    case pane::kTimeline:
      return new MyActionFrameEditor(editor, parent);
    case pane::kFrameTags:
      return new CFrameTagListCtrl(editor, parent);
    case pane::kHistory:
      return new CHistoryPanel(editor, parent);
    default:
      return nullptr;
  }
}
