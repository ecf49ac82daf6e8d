#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/canvas/memory_window_host.h"
#include "drivers/gdi/canvas_gdi.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "editor/panels/cut_band.h"

class CVelloEditor;
class USurface;

// The view of the module cutting panel: the selected texture, drawn by the GDI-style driver from
// its own copy of the image, zoomed and panned, with the modules cut from it, the rubber band
// that marks a new module or reshapes the module pressed on, the cut grid when zoomed in, and the
// rectangles automatic slicing proposes. The driver presents into a window in memory whose
// picture this widget paints; the back buffer grows with the widget. It draws in device pixels,
// so on a high-density screen a texel at zoom 1 covers one logical pixel, nearest-neighbour, and
// outlines stay one device pixel thin. It repaints on changes and on its input, and every 30 ms
// only while the band shows, whose colour pulses.
//
// The wheel zooms about the pointer; the middle button, or the left one with Space held, pans.
class CModuleCutView : public QWidget {
 public:
  static constexpr int kRefreshMs = 30;
  static constexpr uint32_t kModuleColour = 0x00FF00;
  static constexpr uint32_t kImageFrameColour = 0xFFFFFFFF;
  static constexpr uint32_t kGridColour = 0x707070;
  static constexpr uint32_t kPreviewColour = 0x00FFFF;
  // The cut grid is drawn from this zoom on.
  static constexpr int kGridZoom = 4;

  CModuleCutView(CVelloEditor& editor, QWidget* parent);
  ~CModuleCutView() override;
  CModuleCutView(const CModuleCutView&) = delete;
  CModuleCutView& operator=(const CModuleCutView&) = delete;

  // Shows the image in the file at `path`, none when it is empty or cannot be read. The band is
  // kept for the same file (reloaded after a replacement) and dropped for another one.
  void ShowTexture(const std::string& path);
  const std::string& ShownTexture() const { return m_ShownPath; }
  CVelloEditor& Editor() const { return m_Editor; }
  bool HasImage() const { return m_Surface != nullptr; }

  // One zoom step, within 1 to 8; the band keeps marking the same image pixels.
  void ZoomIn();
  void ZoomOut();
  int Zoom() const { return m_Zoom; }
  // Device pixels one texel covers: the zoom times the screen's pixel density.
  int Scale() const;
  // The texel under a point of the widget (logical pixels), relative to the image's top left.
  UPoint TexelAt(QPointF point) const;

  // Image pixels in one snap cell of the band (1, 2, 4, 8 or 16).
  void SetCutGrid(int texels);
  int CutGrid() const { return m_Band.Cell(); }

  // Rectangles in texture pixels outlined over the image until cleared.
  void SetPreview(std::vector<URect> shapes);
  const std::vector<URect>& Preview() const { return m_Preview; }

  // Follows the editor context: a structural change forgets the module being reshaped, a change
  // of texture or selection shows the selected texture.
  void EditorChanged(uint32_t changes);

  const CCutBand& Band() const { return m_Band; }
  // The band as a module rectangle in texture pixels.
  URect BandInTexture() const;
  // Where the image's top left lies, in device pixels.
  UPoint Scroll() const { return m_Scroll; }
  int HitModule() const { return m_HitModule; }
  // True while the pulse of the band repaints the view by itself.
  bool IsPulsing() const { return m_Timer.isActive(); }
  // Called whenever the band may have appeared or gone.
  void SetBandChangedHandler(std::function<void()> handler) { m_BandChanged = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Render();
  void DrawCutGrid(const URect& image);
  void DrawPreview();
  // The widget's size in device pixels, at least 1 x 1.
  UPoint DeviceSize() const;
  // The widget's point in device pixels.
  UPoint DevicePoint(QPointF point) const;
  // Zooms to `zoom`, keeping the texel under `anchor` (device pixels) where it is.
  void ZoomAbout(int zoom, UPoint anchor);
  void StartPan(Qt::MouseButton button, UPoint at);
  void ReleaseSurface();
  // Grows the back buffer to hold the widget and makes the clip extent its size.
  void FitCanvas();
  void SetZoom(int zoom);
  void RescaleBand();
  void PressLeft(UPoint point);
  // The first module of the shown texture containing `texel` (edges included), -1 for none.
  int ModuleAt(UPoint texel) const;
  // Gives the module being reshaped the band's rectangle.
  void ReshapeHitModule();
  void UpdateCursor(UPoint point);
  uint32_t NextBandColour();
  void BandChanged();

  CVelloEditor& m_Editor;
  UMemoryWindowHost m_Host{1, 1};
  UCanvasUtilGdi m_Util;
  UCanvasGdi m_Canvas;
  int m_BackWidth = 0;
  int m_BackHeight = 0;
  USurface* m_Surface = nullptr;
  std::string m_ShownPath;
  int m_Zoom = 1;
  UPoint m_Scroll{0, 0};
  UPoint m_PanStart{0, 0};
  UPoint m_PanOrigin{0, 0};
  bool m_Panning = false;
  Qt::MouseButton m_PanButton = Qt::NoButton;
  bool m_SpaceHeld = false;
  // Wheel turns smaller than one notch, kept until they add up to one.
  int m_WheelRest = 0;
  std::vector<URect> m_Preview;
  int m_PaintCount = 0;
  int m_HitModule = -1;
  // Every reshaping of one drag is told with this key, so the drag is one step of the history.
  uint64_t m_DragKey = 0;
  // Set while this view edits a module, whose own change notice must not end the reshaping.
  bool m_Reshaping = false;
  CCutBand m_Band;
  QTimer m_Timer;
  std::function<void()> m_BandChanged;
};
