#pragma once

#include <QWidget>
#include <cstdint>

#include "editor/doc/editor_listener.h"

class CModuleCutView;
class CVelloEditor;
class QComboBox;
class QPushButton;

// The module cutting pane: the cutting view above a strip of five buttons ("放大", "缩小",
// "添加", "删除", "自动切割") and the cut grid's choice, each a sixth of the width. "添加" cuts the
// band out of the selected texture as a new module and is enabled only while there are both;
// "删除" deletes the selected module; "自动切割" opens the slicing dialog on the selected texture.
// The cut grid (1, 2, 4, 8 or 16 texels) is what the band snaps to, kept between starts.
class CModuleCutPanel : public QWidget, public CEditorListener {
 public:
  static constexpr int kButtonHeight = 25;
  static constexpr int kDefaultCutGrid = 8;
  // Where the cut grid is kept in the settings.
  static constexpr char kCutGridKey[] = "Module Cut/Grid";

  CModuleCutPanel(CVelloEditor& editor, QWidget* parent);
  ~CModuleCutPanel() override;
  CModuleCutPanel(const CModuleCutPanel&) = delete;
  CModuleCutPanel& operator=(const CModuleCutPanel&) = delete;

  void OnEditorChanged(uint32_t changes) override;

  CModuleCutView& View() { return *m_View; }
  QComboBox& CutGridChoice() { return *m_CutGrid; }
  // "自动切割" on the selected texture, previewed in this pane's view.
  void AutoSlice();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddModule();
  void DeleteModule();
  // True when the selected texture can take a module cut by the band.
  bool CanAddModule() const;
  void UpdateButtons();
  // Takes the cut grid of item `index` and keeps it in the settings.
  void ChooseCutGrid(int index);

  CVelloEditor& m_Editor;
  CModuleCutView* m_View;
  QPushButton* m_ZoomIn;
  QPushButton* m_ZoomOut;
  QPushButton* m_Add;
  QPushButton* m_Delete;
  QPushButton* m_AutoSlice;
  QComboBox* m_CutGrid;
};
