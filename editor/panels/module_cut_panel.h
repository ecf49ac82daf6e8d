#pragma once

#include <QWidget>
#include <cstdint>

#include "editor/doc/editor_listener.h"

class CModuleCutView;
class CVelloEditor;
class QPushButton;

// The module cutting pane: the cutting view above a strip of four buttons ("放大", "缩小",
// "添加", "删除"), each a quarter of the width. "添加" cuts the band out of the selected texture as
// a new module and is enabled only while there are both; "删除" deletes the selected module.
class CModuleCutPanel : public QWidget, public CEditorListener {
 public:
  static constexpr int kButtonHeight = 25;

  CModuleCutPanel(CVelloEditor& editor, QWidget* parent);
  ~CModuleCutPanel() override;
  CModuleCutPanel(const CModuleCutPanel&) = delete;
  CModuleCutPanel& operator=(const CModuleCutPanel&) = delete;

  void OnEditorChanged(uint32_t changes) override;

  CModuleCutView& View() { return *m_View; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddModule();
  void DeleteModule();
  // True when the selected texture can take a module cut by the band.
  bool CanAddModule() const;
  void UpdateButtons();

  CVelloEditor& m_Editor;
  CModuleCutView* m_View;
  QPushButton* m_ZoomIn;
  QPushButton* m_ZoomOut;
  QPushButton* m_Add;
  QPushButton* m_Delete;
};
