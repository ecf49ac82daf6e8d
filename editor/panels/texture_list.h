#pragma once

#include <QMenu>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;
class QAction;

// The actor's textures: file name, "width height" and the surface's bits per pixel; a texture
// whose file was not found shows grey, marked "（缺失）". Selecting a row shows that texture in the
// cutting view; the context menu adds, replaces, deletes and relinks textures.
class CTextureListCtrl : public CReportList, public CEditorListener {
 public:
  static constexpr int kAddTexture = 1040;
  static constexpr int kReplaceTexture = 1041;
  static constexpr int kDeleteTexture = 1042;
  static constexpr int kAutoSlice = 1045;
  static constexpr int kLocateTexture = 1043;

  CTextureListCtrl(CVelloEditor& editor, QWidget* parent);
  ~CTextureListCtrl() override;

  void OnEditorChanged(uint32_t changes) override;

  // The context menu, its items enabled for the present state.
  QMenu* ContextMenu();
  // "添加贴图": every image chosen in the open dialog becomes a texture.
  void AddTextures();
  // "置换贴图": the selected texture takes the image chosen.
  void ReplaceTexture();
  // "删除贴图": the selected texture goes, with every module cut from it.
  void DeleteTexture();
  // "自动切割": slices the selected texture into modules, previewed in the window's cutting view.
  void AutoSlice();
  // "定位…": the selected texture, whose file was not found, takes the image chosen (one step, as
  // a replacement is).
  void LocateTexture();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refresh();

  CVelloEditor& m_Editor;
  QMenu m_Menu{this};
  QAction* m_Add;
  QAction* m_Replace;
  QAction* m_Delete;
  QAction* m_AutoSlice;
  QAction* m_Locate;
};
