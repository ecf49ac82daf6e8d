#include "editor/view/vello_view.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "editor/res/command_ids.h"
#include "editor/res/strings.h"
#include "editor/services/prompt_service.h"
#include "editor/view/playback_keys.h"
#include "editor/view/view_accessibility.h"

namespace {

constexpr char kNoOpenGl[] = "OpenGL 3.3 无法启动: 动画视图不可用";
// One notch of a common wheel, in eighths of a degree: one zoom step.
constexpr int kWheelStep = 120;

// 0x00RRGGBB from a colour.
uint32_t Rgb(const QColor& color) {
  return static_cast<uint32_t>(color.red()) << 16 | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue());
}

// Whether a drag carries modules in the clipboard's form.
bool CarriesModules(const QMimeData* data) {
  if (data == nullptr || !data->hasFormat(kClipMimeType)) {
    return false;
  }
  const QByteArray bytes = data->data(kClipMimeType);
  return PeekClipKind(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<size_t>(bytes.size())) == ClipKind::Modules;
}

}  // namespace

CVelloView::CVelloView(CVelloEditor& editor, QWidget* parent)
    : QOpenGLWidget(parent), m_Editor(editor), m_Host(this) {
  setObjectName("animationView");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setAcceptDrops(true);
  setMinimumSize(64, 64);
  m_Timer.setInterval(kTickMs);
  QObject::connect(&m_Timer, &QTimer::timeout, this, [this] { OnTick(); });

  OnCommand(cmd::kBackgroundColor, [this] { ChooseBackgroundColor(); });
  OnCommand(
      cmd::kAddTag, [this] { AddTagAtMenuPoint(); }, [this] { return IsReady(); });
  m_Editor.AddListener(this);
}

CVelloView::~CVelloView() {
  m_Editor.RemoveListener(this);
  ShutdownEditor();
}

void CVelloView::OnEditorChanged(uint32_t /*changes*/) {
  if (IsReady() && !m_ShutDown) {
    if (!m_Editor.IsPlaying()) {
      // What a tick did at rest: a frame selected outside action mode is the one shown.
      m_Editor.Advance(0.0f);
    }
    FollowPlaying();
    update();
  }
  NotifyViewAccessibility(*this);
}

void CVelloView::FollowPlaying() {
  if (m_Editor.IsPlaying() && !m_Timer.isActive()) {
    m_SinceTick.start();
    m_Timer.start();
  } else if (!m_Editor.IsPlaying() && m_Timer.isActive()) {
    m_Timer.stop();
  }
}

void CVelloView::SetStartedHandler(std::function<void()> handler) {
  m_StartedHandler = std::move(handler);
}

bool CVelloView::IsReady() const {
  return m_Started && m_Editor.IsViewReady();
}

void CVelloView::ShutdownEditor() {
  if (m_ShutDown) {
    return;
  }
  m_ShutDown = true;
  m_Timer.stop();
  // The canvas releases GL objects: the context they belong to must be current.
  const bool has_context = context() != nullptr;
  if (has_context) {
    makeCurrent();
  }
  m_Editor.Shutdown();
  if (has_context) {
    doneCurrent();
  }
}

void CVelloView::paintEvent(QPaintEvent* event) {
  // Painting first makes the GL context (and calls initializeGL); a widget that still has no
  // valid context after that has none to offer.
  QOpenGLWidget::paintEvent(event);
  if (!m_Started && !m_ShutDown && !isValid()) {
    StartFinished(false);
  }
}

void CVelloView::initializeGL() {
  if (m_Started || m_ShutDown) {
    return;
  }
  StartFinished(m_Editor.ViewInit(&m_Host));
}

void CVelloView::StartFinished(bool ready) {
  m_Started = true;
  if (ready) {
    FollowPixelRatio();
    // The clock's first reading is where playback time starts from.
    m_Editor.Tick(m_ClockMs);
    FollowPlaying();
  } else {
    m_Failure = new QLabel(kNoOpenGl, this);
    m_Failure->setObjectName("viewFailure");
    m_Failure->setAlignment(Qt::AlignCenter);
    m_Failure->setWordWrap(true);
    m_Failure->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Failure);
    m_Failure->show();
  }
  if (m_StartedHandler) {
    // Opening a document shows dialogs; leave initializeGL first.
    QTimer::singleShot(0, this, [this] {
      if (m_StartedHandler) {
        const auto handler = std::move(m_StartedHandler);
        m_StartedHandler = nullptr;
        handler();
      }
    });
  }
}

void CVelloView::resizeGL(int /*width*/, int /*height*/) {
  // A move to a screen of another pixel ratio resizes the framebuffer too.
  if (IsReady()) {
    m_Editor.ViewResized();
    FollowPixelRatio();
  }
}

void CVelloView::FollowPixelRatio() {
  m_Editor.SetDevicePixelRatio(devicePixelRatioF());
}

void CVelloView::paintGL() {
  if (IsReady()) {
    m_Editor.Render();
    ++m_PaintedFrames;
  }
}

void CVelloView::OnTick() {
  m_ClockMs += static_cast<uint32_t>(m_SinceTick.restart());
  m_Editor.Tick(m_ClockMs);
  update();
  FollowPlaying();
}

UPoint CVelloView::DevicePoint(const QPointF& logical) const {
  const qreal ratio = devicePixelRatioF();
  return {static_cast<int>(std::floor(logical.x() * ratio)),
          static_cast<int>(std::floor(logical.y() * ratio))};
}

uint32_t CVelloView::MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  uint32_t flags = 0;
  if (buttons & Qt::LeftButton) {
    flags |= CVelloEditor::kMouseLeft;
  }
  if (buttons & Qt::MiddleButton) {
    flags |= CVelloEditor::kMouseMiddle;
  }
  if (modifiers & Qt::ShiftModifier) {
    flags |= CVelloEditor::kMouseShift;
  }
  if (modifiers & Qt::ControlModifier) {
    flags |= CVelloEditor::kMouseControl;
  }
  return flags;
}

void CVelloView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (!IsReady()) {
    return;
  }
  const uint32_t flags = MouseFlags(event->buttons(), event->modifiers());
  const UPoint point = DevicePoint(event->position());
  if (event->button() == Qt::LeftButton && m_PanKeyHeld) {
    m_Panning = true;
    m_PanFrom = point;
    setCursor(Qt::ClosedHandCursor);
  } else if (event->button() == Qt::LeftButton) {
    m_Editor.MouseDown(flags, point);
  } else if (event->button() == Qt::MiddleButton) {
    m_Editor.MiddleDown(flags, point);
  }
  update();
}

void CVelloView::mouseMoveEvent(QMouseEvent* event) {
  if (IsReady() && m_Panning) {
    const UPoint point = DevicePoint(event->position());
    m_Editor.PanBy(point.x - m_PanFrom.x, point.y - m_PanFrom.y);
    m_PanFrom = point;
  } else if (IsReady()) {
    m_Editor.MouseMove(MouseFlags(event->buttons(), event->modifiers()),
                       DevicePoint(event->position()));
    URect band(0, 0, 0, 0);
    if (m_Editor.SelectionBand(&band)) {
      update();  // the selection box follows the pointer
    }
  }
}

void CVelloView::mouseReleaseEvent(QMouseEvent* event) {
  if (!IsReady()) {
    return;
  }
  const uint32_t flags = MouseFlags(event->buttons(), event->modifiers());
  const UPoint point = DevicePoint(event->position());
  if (event->button() == Qt::LeftButton && m_Panning) {
    m_Panning = false;
    SetPanKeyHeld(m_PanKeyHeld);
  } else if (event->button() == Qt::LeftButton) {
    m_Editor.MouseUp(flags, point);
  } else if (event->button() == Qt::MiddleButton) {
    m_Editor.MiddleUp(flags, point);
  }
  update();
}

CVelloEditor::Key CVelloView::MapKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  using Key = CVelloEditor::Key;
  if (modifiers & Qt::KeypadModifier) {
    switch (qtKey) {
      case Qt::Key_2:
        return Key::Pad2;
      case Qt::Key_4:
        return Key::Pad4;
      case Qt::Key_6:
        return Key::Pad6;
      case Qt::Key_8:
        return Key::Pad8;
      case Qt::Key_Plus:
        return Key::PadPlus;
      case Qt::Key_Minus:
        return Key::PadMinus;
      default:
        break;
    }
  }
  switch (qtKey) {
    case Qt::Key_Shift:
      return Key::Shift;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Delete:
      return Key::Delete;
    case Qt::Key_F5:
      return Key::F5;
    default:
      return Key::Other;
  }
}

void CVelloView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll) && IsReady()) {
    m_Editor.SelectAllPlacements();
    update();
    return;
  }
  if (IsReady() && event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    SetPanKeyHeld(true);
    return;
  }
  if (IsReady() && HandlePlaybackKey(m_Editor, event->key(), event->modifiers())) {
    update();
    return;
  }
  const CVelloEditor::Key key = MapKey(event->key(), event->modifiers());
  if (key == CVelloEditor::Key::Other || !IsReady()) {
    QOpenGLWidget::keyPressEvent(event);
    return;
  }
  m_Editor.KeyDown(key);
  update();
}

void CVelloView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    SetPanKeyHeld(false);
    return;
  }
  const CVelloEditor::Key key = MapKey(event->key(), event->modifiers());
  if (key == CVelloEditor::Key::Other || !IsReady() || event->isAutoRepeat()) {
    QOpenGLWidget::keyReleaseEvent(event);
    return;
  }
  m_Editor.KeyUp(key);
}

void CVelloView::SetPanKeyHeld(bool held) {
  m_PanKeyHeld = held;
  if (m_Panning) {
    return;
  }
  if (held) {
    setCursor(Qt::OpenHandCursor);
  } else {
    unsetCursor();
  }
}

// A pan ends with the focus: the release of Space goes elsewhere then.
void CVelloView::focusOutEvent(QFocusEvent* event) {
  m_Panning = false;
  SetPanKeyHeld(false);
  QOpenGLWidget::focusOutEvent(event);
}

// Whole notches zoom one step each about the pointer; a fine-grained wheel or touchpad gathers
// its small steps until they make one.
void CVelloView::wheelEvent(QWheelEvent* event) {
  if (!IsReady()) {
    event->ignore();
    return;
  }
  m_WheelRest += event->angleDelta().y();
  const int steps = m_WheelRest / kWheelStep;
  m_WheelRest -= steps * kWheelStep;
  if (steps != 0) {
    m_Editor.ZoomAt(m_Editor.ViewZoom() + steps, DevicePoint(event->position()));
    update();
  }
  event->accept();
}

void CVelloView::contextMenuEvent(QContextMenuEvent* event) {
  if (!IsReady()) {
    return;
  }
  m_ContextMenuPoint = DevicePoint(event->pos());
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* add_tag = menu->addAction(res::kAddTag);
  add_tag->setData(cmd::kAddTag);
  QObject::connect(add_tag, &QAction::triggered, this, [this] { AddTagAtMenuPoint(); });
  menu->popup(event->globalPos());
}

void CVelloView::AddTagAtMenuPoint() {
  m_Editor.CreateTag(m_ContextMenuPoint.x, m_ContextMenuPoint.y);
  update();
}

void CVelloView::ChooseBackgroundColor() {
  const std::optional<QColor> chosen = Prompts().AskColor(QColor(Qt::black));
  if (chosen) {
    m_Editor.SetBackgroundColor(Rgb(*chosen));
    update();
  }
}

void CVelloView::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesModules(event->mimeData()) && m_Editor.CanPasteItems(ClipKind::Placements)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CVelloView::dragMoveEvent(QDragMoveEvent* event) {
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void CVelloView::dropEvent(QDropEvent* event) {
  if (!CarriesModules(event->mimeData())) {
    event->ignore();
    return;
  }
  // The list keeps its rows: the drop copies.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (m_ModuleDropHandler) {
    setFocus();
    m_ModuleDropHandler(event->mimeData()->data(kClipMimeType), DevicePoint(event->position()));
  }
}
