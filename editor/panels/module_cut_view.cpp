#include "editor/panels/module_cut_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_module.h"
#include "core/canvas/surface.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"

namespace {

// The back buffer the view starts with; it grows when the widget outgrows it.
constexpr int kInitialBackSize = 1024;
// The band's colour pulses over this many paints, brightening for the first half.
constexpr int kPulsePeriod = 128;
constexpr uint32_t kBandBaseColour = 0x808080;
constexpr uint32_t kBandPulseStep = 0x020200;

UPoint PointOf(const QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  return UPoint(at.x(), at.y());
}

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

void CModuleCutView::RescaleBand() {
  const int imageWidth = m_Surface != nullptr ? m_Surface->GetWidth() : 0;
  const int imageHeight = m_Surface != nullptr ? m_Surface->GetHeight() : 0;
  m_Band.Rescale(imageWidth, imageHeight, m_Zoom);
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
}

URect CModuleCutView::BandInTexture() const {
  const URect& band = m_Band.Rect();
  return URect(band.left / m_Zoom, band.top / m_Zoom, band.right / m_Zoom, band.bottom / m_Zoom);
}

void CModuleCutView::FitCanvas() {
  const int clientWidth = std::max(width(), 1);
  const int clientHeight = std::max(height(), 1);
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
  Render();
  QPainter painter(this);
  const std::vector<uint8_t>& picture = m_Host.GetPicture();
  if (picture.empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  const int pictureWidth = m_Host.GetPictureWidth();
  const int pictureHeight = m_Host.GetPictureHeight();
  const QImage image(picture.data(), pictureWidth, pictureHeight, pictureWidth * 4,
                     QImage::Format_RGB32);
  painter.drawImage(0, 0, image);
}

void CModuleCutView::Render() {
  m_Canvas.Clear();
  if (m_Surface != nullptr) {
    const int imageWidth = m_Surface->GetWidth();
    const int imageHeight = m_Surface->GetHeight();
    const URect source(0, 0, imageWidth, imageHeight);
    const URect target(m_Scroll.x, m_Scroll.y, m_Scroll.x + imageWidth * m_Zoom,
                       m_Scroll.y + imageHeight * m_Zoom);
    m_Canvas.DrawSurface(&target, m_Surface, &source, nullptr);
    m_Canvas.DrawRect(F(target.left - 1), F(target.top - 1), F(target.right), F(target.bottom),
                      kImageFrameColour);
  }
  const UObjActor* actor = m_Editor.Actor();
  if (actor != nullptr && m_Editor.SelectedTexture() >= 0) {
    for (const UObjModule* module : actor->modules) {
      if (module == nullptr || module->texture != m_Editor.SelectedTexture()) {
        continue;
      }
      m_Canvas.DrawRect(F(module->left * m_Zoom + m_Scroll.x), F(module->top * m_Zoom + m_Scroll.y),
                        F(module->right * m_Zoom + m_Scroll.x),
                        F(module->bottom * m_Zoom + m_Scroll.y), kModuleColour);
    }
  }
  const uint32_t bandColour = NextBandColour();
  if (m_Band.HasRect()) {
    const URect& band = m_Band.Rect();
    m_Canvas.DrawRect(F(band.left + m_Scroll.x), F(band.top + m_Scroll.y),
                      F(band.right + m_Scroll.x), F(band.bottom + m_Scroll.y), bandColour);
  }
  m_Canvas.Present();
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

void CModuleCutView::mousePressEvent(QMouseEvent* event) {
  const UPoint at = PointOf(event);
  if (event->button() == Qt::MiddleButton) {
    m_Panning = true;
    m_PanStart = at;
    m_PanOrigin = m_Scroll;
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
  const URect image(0, 0, m_Surface->GetWidth() * m_Zoom, m_Surface->GetHeight() * m_Zoom);
  if (!image.PtInRect(point)) {
    return;
  }
  m_HitModule = ModuleAt(UPoint(point.x / m_Zoom, point.y / m_Zoom));
  if (m_HitModule != -1) {
    m_DragKey = m_Editor.NewMergeKey();
    const UObjModule& module = *m_Editor.Actor()->modules[static_cast<size_t>(m_HitModule)];
    m_Band.SetRect(URect(module.left * m_Zoom, module.top * m_Zoom, module.right * m_Zoom,
                         module.bottom * m_Zoom));
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
  const UPoint at = PointOf(event);
  if (m_Panning && (event->buttons() & Qt::MiddleButton) != 0) {
    m_Scroll = UPoint(m_PanOrigin.x + at.x - m_PanStart.x, m_PanOrigin.y + at.y - m_PanStart.y);
    update();
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
  const UPoint at = PointOf(event);
  if (event->button() == Qt::MiddleButton) {
    m_Panning = false;
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

void CModuleCutView::UpdateCursor(UPoint point) {
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
