#pragma once

#include <QDialog>
#include <vector>

#include "core/foundation/rect.h"
#include "drivers/gdi/raster_picture.h"

class CModuleCutView;
class CVelloEditor;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

// "自动切割": finds module rectangles in one texture, by a grid (cell size, offset, spacing,
// leaving out empty cells) or by opaque regions (merge distance, smallest size), and previews
// them in the cutting view while the values change. "添加" accepts; the caller adds Shapes().
// The dialog decodes the texture's file itself, so it works with or without a cutting view.
class CAutoSliceDialog : public QDialog {
 public:
  CAutoSliceDialog(CVelloEditor& editor, int texture, CModuleCutView* preview, QWidget* parent);
  ~CAutoSliceDialog() override;
  CAutoSliceDialog(const CAutoSliceDialog&) = delete;
  CAutoSliceDialog& operator=(const CAutoSliceDialog&) = delete;

  // False when the texture's file could not be read: there is nothing to slice.
  bool HasImage() const { return !m_Picture.IsNull(); }
  // The rectangles found with the values shown, modules already cut included.
  const std::vector<URect>& Shapes() const { return m_Shapes; }

  // The fields, for the tests that drive the dialog.
  QTabWidget* Modes() const { return m_Modes; }
  QSpinBox* CellWidth() const { return m_CellWidth; }
  QSpinBox* CellHeight() const { return m_CellHeight; }
  QSpinBox* MergeDistance() const { return m_MergeDistance; }
  QSpinBox* MinSize() const { return m_MinSize; }
  QCheckBox* SkipEmpty() const { return m_SkipEmpty; }
  QLabel* Summary() const { return m_Summary; }

 private:
  QSpinBox* AddField(QWidget* page, const char* label, int value, int minimum);
  // Slices again with the values shown and shows the result.
  void Slice();

  CVelloEditor& m_Editor;
  int m_Texture;
  CModuleCutView* m_Preview;
  URasterPicture m_Picture;
  std::vector<URect> m_Shapes;
  QTabWidget* m_Modes;
  QSpinBox* m_CellWidth;
  QSpinBox* m_CellHeight;
  QSpinBox* m_OffsetX;
  QSpinBox* m_OffsetY;
  QSpinBox* m_SpacingX;
  QSpinBox* m_SpacingY;
  QCheckBox* m_SkipEmpty;
  QSpinBox* m_MergeDistance;
  QSpinBox* m_MinSize;
  QLabel* m_Summary;
  QPushButton* m_Add;
};

// Runs "自动切割" on the selected texture through the prompt service, previewing in `preview`
// (may be null), and adds what the dialog found when it is accepted. Does nothing without a
// selected texture; says so when its file cannot be read.
void RunAutoSlice(CVelloEditor& editor, CModuleCutView* preview, QWidget* parent);
