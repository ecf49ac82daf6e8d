#include "editor/panels/module_cut_view.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_module.h"
#include "core/canvas/surface.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/cut_view_accessibility.h"
#include "editor/res/strings.h"

namespace {

// The back buffer the view starts with; it grows when the widget outgrows it.
constexpr int kInitialBackSize = 1024;
// The band's colour pulses over this many paints, brightening for the first half.
constexpr int kPulsePeriod = 128;
constexpr uint32_t kBandBaseColour = 0x808080;
constexpr uint32_t kBandPulseStep = 0x020200;

// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

uint16_t ToField(int value) {
  return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF));
}

float F(int value) {
  return static_cast<float>(value);
}

}  // namespace

CModuleCutView::CModuleCutView(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent), m_Editor(editor) {
  setWindowTitle("MVIEW");
  setMouseTracking(true);
  // Space pans while the view has the keyboard; a click or a wheel turn gives it.
  setFocusPolicy(Qt::WheelFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_Util.Init(&m_Host);
  m_Canvas.Init(&m_Host);
  FitCanvas();
  m_Band.Rescale(0, 0, m_Zoom);
  m_Timer.setInterval(kRefreshMs);
  QObject::connect(&m_Timer, &QTimer::timeout, this, [this] { update(); });
}

CModuleCutView::~CModuleCutView() {
  m_Timer.stop();
  ReleaseSurface();
  m_Canvas.Release();
  m_Util.DeInit();
}

void CModuleCutView::ReleaseSurface() {
  if (m_Surface != nullptr) {
    m_Surface->Release();
    delete m_Surface;
    m_Surface = nullptr;
  }
}

void CModuleCutView::ShowTexture(const std::string& path) {
  const bool sameFile = path == m_ShownPath;
  ReleaseSurface();
  m_ShownPath = path;
  if (!path.empty()) {
    m_Surface = m_Util.CreateUSurfaceFromFile(path.c_str(), 0, 0);
  }
  if (!sameFile || m_Surface == nullptr) {
    m_Band.Clear();
    m_Preview.clear();
  }
  RescaleBand();
  BandChanged();
  update();
}

void CModuleCutView::ZoomIn() {
  SetZoom(m_Zoom + 1);
}

void CModuleCutView::ZoomOut() {
  SetZoom(m_Zoom - 1);
}

void CModuleCutView::SetZoom(int zoom) {
  m_Zoom = std::clamp(zoom, UCanvas::kMinZoom, UCanvas::kMaxZoom);
  RescaleBand();
  BandChanged();
}

int CModuleCutView::Scale() const {
  const double scale = std::round(m_Zoom * devicePixelRatioF());
  return std::clamp(static_cast<int>(scale), 1, CCutBand::kMaxScale);
}

UPoint CModuleCutView::DeviceSize() const {
  const double ratio = devicePixelRatioF();
  return UPoint(std::max(static_cast<int>(std::ceil(width() * ratio)), 1),
                std::max(static_cast<int>(std::ceil(height() * ratio)), 1));
}

UPoint CModuleCutView::DevicePoint(QPointF point) const {
  const double ratio = devicePixelRatioF();
  return UPoint(static_cast<int>(std::floor(point.x() * ratio)),
                static_cast<int>(std::floor(point.y() * ratio)));
}

UPoint CModuleCutView::TexelAt(QPointF point) const {
  const UPoint at = DevicePoint(point);
  const int scale = Scale();
  const auto floorDiv = [scale](int value) {
    return value >= 0 ? value / scale : -((-value + scale - 1) / scale);
  };
  return UPoint(floorDiv(at.x - m_Scroll.x), floorDiv(at.y - m_Scroll.y));
}

// The point's place inside its texel, as a fraction of the texel, stays the same, so the texel
// under the pointer stays under it at every zoom.
void CModuleCutView::ZoomAbout(int zoom, UPoint anchor) {
  const double before = Scale();
  const double texelX = (anchor.x - m_Scroll.x) / before;
  const double texelY = (anchor.y - m_Scroll.y) / before;
  SetZoom(zoom);
  const double after = Scale();
  m_Scroll = UPoint(anchor.x - static_cast<int>(std::floor(texelX * after)),
                    anchor.y - static_cast<int>(std::floor(texelY * after)));
  update();
}

void CModuleCutView::SetCutGrid(int texels) {
  m_Band.SetCell(texels);
  RescaleBand();
  update();
}

void CModuleCutView::SetPreview(std::vector<URect> shapes) {
  m_Preview = std::move(shapes);
  update();
}

void CModuleCutView::RescaleBand() {
  const int imageWidth = m_Surface != nullptr ? m_Surface->GetWidth() : 0;
  const int imageHeight = m_Surface != nullptr ? m_Surface->GetHeight() : 0;
  m_Band.Rescale(imageWidth, imageHeight, Scale());
}

void CModuleCutView::EditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeTextures | kChangeModules)) != 0 && !m_Reshaping) {
    m_HitModule = -1;
  }
  if ((changes & (kChangeActor | kChangeTextures | kChangeSelection)) != 0) {
    const bool hasTexture = m_Editor.Actor() != nullptr && m_Editor.SelectedTexture() >= 0;
    const std::string path = hasTexture ? m_Editor.TexturePath(m_Editor.SelectedTexture()) : "";
    if (path != m_ShownPath || (changes & (kChangeActor | kChangeTextures)) != 0) {
      ShowTexture(path);
    }
  }
  update();
  NotifyCutViewAccessibility(*this, changes);
}

URect CModuleCutView::BandInTexture() const {
  const URect& band = m_Band.Rect();
  const int scale = Scale();
  return URect(band.left / scale, band.top / scale, band.right / scale, band.bottom / scale);
}

void CModuleCutView::FitCanvas() {
  const UPoint size = DeviceSize();
  const int clientWidth = size.x;
  const int clientHeight = size.y;
  m_Host.SetClientSize(clientWidth, clientHeight);
  m_Host.SetScreenSize(clientWidth, clientHeight);
  if (clientWidth > m_BackWidth || clientHeight > m_BackHeight) {
    const int backWidth = std::max({m_BackWidth, clientWidth, kInitialBackSize});
    const int backHeight = std::max({m_BackHeight, clientHeight, kInitialBackSize});
    if (m_Canvas.CreateCanvas(&m_Util, backWidth, backHeight)) {
      m_BackWidth = backWidth;
      m_BackHeight = backHeight;
    }
  }
  m_Canvas.UpdateBounds();
}

void CModuleCutView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitCanvas();
}

void CModuleCutView::paintEvent(QPaintEvent* /*event*/) {
  // The widget may have moved to a screen of another pixel density.
  const URect client = m_Host.GetClientRect();
  if (UPoint(client.right, client.bottom) != DeviceSize()) {
    FitCanvas();
    RescaleBand();
  }
  Render();
  QPainter painter(this);
  const std::vector<uint8_t>& picture = m_Host.GetPicture();
  if (picture.empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  const int pictureWidth = m_Host.GetPictureWidth();
  const int pictureHeight = m_Host.GetPictureHeight();
  QImage image(picture.data(), pictureWidth, pictureHeight, pictureWidth * 4, QImage::Format_RGB32);
  // One picture pixel to one device pixel.
  image.setDevicePixelRatio(devicePixelRatioF());
  painter.drawImage(0, 0, image);
}

void CModuleCutView::Render() {
  m_Canvas.Clear();
  const int scale = Scale();
  if (m_Surface != nullptr) {
    const int imageWidth = m_Surface->GetWidth();
    const int imageHeight = m_Surface->GetHeight();
    const URect source(0, 0, imageWidth, imageHeight);
    const URect target(m_Scroll.x, m_Scroll.y, m_Scroll.x + imageWidth * scale,
                       m_Scroll.y + imageHeight * scale);
    m_Canvas.DrawSurface(&target, m_Surface, &source, nullptr);
    if (m_Zoom >= kGridZoom) {
      DrawCutGrid(target);
    }
    m_Canvas.DrawRect(F(target.left - 1), F(target.top - 1), F(target.right), F(target.bottom),
                      kImageFrameColour);
  }
  const UObjActor* actor = m_Editor.Actor();
  if (actor != nullptr && m_Editor.SelectedTexture() >= 0) {
    for (const UObjModule* module : actor->modules) {
      if (module == nullptr || module->texture != m_Editor.SelectedTexture()) {
        continue;
      }
      m_Canvas.DrawRect(F(module->left * scale + m_Scroll.x), F(module->top * scale + m_Scroll.y),
                        F(module->right * scale + m_Scroll.x),
                        F(module->bottom * scale + m_Scroll.y), kModuleColour);
    }
  }
  DrawPreview();
  const uint32_t bandColour = NextBandColour();
  if (m_Band.HasRect()) {
    const URect& band = m_Band.Rect();
    m_Canvas.DrawRect(F(band.left + m_Scroll.x), F(band.top + m_Scroll.y),
                      F(band.right + m_Scroll.x), F(band.bottom + m_Scroll.y), bandColour);
  }
  m_Canvas.Present();
}

// Lines on the snap cells' edges inside the image, only where the window shows them.
void CModuleCutView::DrawCutGrid(const URect& image) {
  const int step = m_Band.Cell() * Scale();
  const URect client = m_Host.GetClientRect();
  const int right = std::min(image.right, client.right);
  const int bottom = std::min(image.bottom, client.bottom);
  const int top = std::max(image.top, 0);
  const int left = std::max(image.left, 0);
  // The first line past the image's left edge that is not left of the window.
  for (int x = image.left + std::max((left - image.left) / step, 1) * step; x < right; x += step) {
    m_Canvas.DrawLine(F(x), F(top), F(x), F(bottom), kGridColour, 1);
  }
  for (int y = image.top + std::max((top - image.top) / step, 1) * step; y < bottom; y += step) {
    m_Canvas.DrawLine(F(left), F(y), F(right), F(y), kGridColour, 1);
  }
}

void CModuleCutView::DrawPreview() {
  const int scale = Scale();
  const URect window = m_Host.GetClientRect();
  for (const URect& shape : m_Preview) {
    const URect drawn(shape.left * scale + m_Scroll.x, shape.top * scale + m_Scroll.y,
                      shape.right * scale + m_Scroll.x, shape.bottom * scale + m_Scroll.y);
    if (drawn.Collision(window)) {
      m_Canvas.DrawRect(F(drawn.left), F(drawn.top), F(drawn.right), F(drawn.bottom),
                        kPreviewColour);
    }
  }
}

// Red and green rise together from the base grey for half the period and fall back for the
// other half, staying below 0xFF so no channel spills into the next.
uint32_t CModuleCutView::NextBandColour() {
  const int half = kPulsePeriod / 2;
  const int level =
      std::min(m_PaintCount < half ? m_PaintCount : kPulsePeriod - m_PaintCount, half - 1);
  m_PaintCount = m_PaintCount >= kPulsePeriod ? 0 : m_PaintCount + 1;
  return kBandBaseColour + static_cast<uint32_t>(level) * kBandPulseStep;
}

void CModuleCutView::StartPan(Qt::MouseButton button, UPoint at) {
  m_Panning = true;
  m_PanButton = button;
  m_PanStart = at;
  m_PanOrigin = m_Scroll;
  setCursor(Qt::ClosedHandCursor);
}

void CModuleCutView::mousePressEvent(QMouseEvent* event) {
  const UPoint at = DevicePoint(event->position());
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_SpaceHeld)) {
    StartPan(event->button(), at);
    return;
  }
  if (event->button() == Qt::LeftButton) {
    m_HitModule = -1;
    PressLeft(UPoint(at.x - m_Scroll.x, at.y - m_Scroll.y));
    UpdateCursor(UPoint(at.x - m_Scroll.x, at.y - m_Scroll.y));
  }
}

void CModuleCutView::PressLeft(UPoint point) {
  if (m_Editor.Actor() == nullptr || m_Editor.SelectedTexture() < 0 || m_Surface == nullptr) {
    return;
  }
  const int scale = Scale();
  const URect image(0, 0, m_Surface->GetWidth() * scale, m_Surface->GetHeight() * scale);
  if (!image.PtInRect(point)) {
    return;
  }
  m_HitModule = ModuleAt(UPoint(point.x / scale, point.y / scale));
  if (m_HitModule != -1) {
    m_DragKey = m_Editor.NewMergeKey();
    const UObjModule& module = *m_Editor.Actor()->modules[static_cast<size_t>(m_HitModule)];
    m_Band.SetRect(URect(module.left * scale, module.top * scale, module.right * scale,
                         module.bottom * scale));
    m_Editor.SelectModule(m_HitModule);
  } else {
    // Keeps the selected module and shows the module page.
    m_Editor.SelectModule(m_Editor.SelectedModule());
  }
  m_Band.Press(point);
  BandChanged();
}

int CModuleCutView::ModuleAt(UPoint texel) const {
  const UObjActor* actor = m_Editor.Actor();
  for (int index = 0; index < actor->modules.Num(); ++index) {
    const UObjModule* module = actor->modules[static_cast<size_t>(index)];
    if (module != nullptr && module->texture == m_Editor.SelectedTexture() &&
        URect(module->left, module->top, module->right, module->bottom).PtInRect(texel)) {
      return index;
    }
  }
  return -1;
}

void CModuleCutView::mouseMoveEvent(QMouseEvent* event) {
  const UPoint at = DevicePoint(event->position());
  if (m_Panning) {
    if ((event->buttons() & m_PanButton) != 0) {
      m_Scroll = UPoint(m_PanOrigin.x + at.x - m_PanStart.x, m_PanOrigin.y + at.y - m_PanStart.y);
      update();
    }
    return;
  }
  const UPoint point(at.x - m_Scroll.x, at.y - m_Scroll.y);
  if ((event->buttons() & Qt::LeftButton) != 0 && m_Band.GetState() != CCutBand::State::Idle) {
    m_Band.Move(point);
    if (m_HitModule != -1) {
      ReshapeHitModule();
    }
    BandChanged();
    update();
  }
  UpdateCursor(point);
}

void CModuleCutView::ReshapeHitModule() {
  const UObjActor* actor = m_Editor.Actor();
  if (actor == nullptr || !actor->modules.IsValidIndex(m_HitModule) || !m_Band.HasRect()) {
    return;
  }
  const UObjModule* module = actor->modules[static_cast<size_t>(m_HitModule)];
  const URect band = BandInTexture();
  const URect shape(ToField(band.left), ToField(band.top), ToField(band.right),
                    ToField(band.bottom));
  if (module == nullptr || module->texture != m_Editor.SelectedTexture() || shape.GetWidth() <= 0 ||
      shape.GetHeight() <= 0) {
    return;
  }
  if (module->left == shape.left && module->top == shape.top && module->right == shape.right &&
      module->bottom == shape.bottom) {
    return;
  }
  m_Reshaping = true;
  m_Editor.ReshapeModule(m_HitModule, shape, m_DragKey);
  m_Reshaping = false;
}

void CModuleCutView::mouseReleaseEvent(QMouseEvent* event) {
  const UPoint at = DevicePoint(event->position());
  if (m_Panning && event->button() == m_PanButton) {
    m_Panning = false;
    m_PanButton = Qt::NoButton;
    setCursor(m_SpaceHeld ? Qt::OpenHandCursor : Qt::ArrowCursor);
    return;
  }
  if (event->button() == Qt::LeftButton) {
    m_Band.Release(UPoint(at.x - m_Scroll.x, at.y - m_Scroll.y));
    BandChanged();
    UpdateCursor(UPoint(at.x - m_Scroll.x, at.y - m_Scroll.y));
  }
}

void CModuleCutView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_Editor.Actor() != nullptr) {
    m_Editor.PlaceModule();
  }
}

void CModuleCutView::wheelEvent(QWheelEvent* event) {
  m_WheelRest += event->angleDelta().y();
  const int notches = m_WheelRest / kWheelNotch;
  m_WheelRest -= notches * kWheelNotch;
  if (notches != 0) {
    ZoomAbout(m_Zoom + notches, DevicePoint(event->position()));
  }
  event->accept();
}

// The main window must not take Space as a shortcut while this view pans with it.
bool CModuleCutView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void CModuleCutView::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat() && !m_SpaceHeld) {
    m_SpaceHeld = true;
    if (!m_Panning) {
      setCursor(Qt::OpenHandCursor);
    }
  }
}

void CModuleCutView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) {
    m_SpaceHeld = false;
    if (!m_Panning) {
      setCursor(Qt::ArrowCursor);
    }
  }
}

void CModuleCutView::focusOutEvent(QFocusEvent* event) {
  m_SpaceHeld = false;
  QWidget::focusOutEvent(event);
}

void CModuleCutView::UpdateCursor(UPoint point) {
  if (m_SpaceHeld || m_Panning) {
    return;
  }
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (m_Band.GetState() == CCutBand::State::Drawing) {
    shape = Qt::CrossCursor;
  } else {
    switch (m_Band.HitTest(point)) {
      case CCutBand::Hit::Outside:
        shape = Qt::ArrowCursor;
        break;
      case CCutBand::Hit::Inside:
        shape = Qt::SizeAllCursor;
        break;
      case CCutBand::Hit::TopLeft:
      case CCutBand::Hit::BottomRight:
        shape = Qt::SizeFDiagCursor;
        break;
      case CCutBand::Hit::TopRight:
      case CCutBand::Hit::BottomLeft:
        shape = Qt::SizeBDiagCursor;
        break;
      case CCutBand::Hit::Left:
      case CCutBand::Hit::Right:
        shape = Qt::SizeHorCursor;
        break;
      case CCutBand::Hit::Top:
      case CCutBand::Hit::Bottom:
        shape = Qt::SizeVerCursor;
        break;
    }
  }
  if (cursor().shape() != shape) {
    setCursor(shape);
  }
}

void CModuleCutView::BandChanged() {
  // Only the band's pulse changes the picture by itself: the clock runs while a band shows.
  if (m_Band.HasRect() && !m_Timer.isActive()) {
    m_Timer.start();
  } else if (!m_Band.HasRect() && m_Timer.isActive()) {
    m_Timer.stop();
  }
  update();
  if (m_BandChanged) {
    m_BandChanged();
  }
}
