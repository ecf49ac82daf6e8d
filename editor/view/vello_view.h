#pragma once

// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/doc/vello_editor.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "editor/services/command_router.h"
#include "editor/view/widget_window_host.h"

class QLabel;

// The animation view: the editor context's canvas drawn in this GL widget, and mouse and keys
// forwarded to the editor context. The wheel zooms about the pointer, a left drag with Space held
// pans, and the playback keys (see playback_keys.h) act while it has the focus. It paints only when
// its picture may have changed: when the editor context tells of a change, on its own input, and on
// every tick of a 20 ms clock that runs only while an action plays, advancing it. When OpenGL 3.3
// cannot start, the view says so in its place and the rest of the program works on.
class CVelloView : public QOpenGLWidget, public CCommandTarget, public CEditorListener {
 public:
  static constexpr int kTickMs = 20;

  explicit CVelloView(CVelloEditor& editor, QWidget* parent = nullptr);
  ~CVelloView() override;

  // Called once the view's GL start has been tried (successfully or not): documents are opened
  // only then, since the start resets the selections.
  void SetStartedHandler(std::function<void()> handler);
  // True once the GL start was tried; IsReady tells whether it worked.
  bool IsStarted() const { return m_Started; }
  bool IsReady() const;
  // How many pictures of the scene the view has painted.
  int PaintedFrames() const { return m_PaintedFrames; }
  // True while the clock runs (an action plays).
  bool IsTicking() const { return m_Timer.isActive(); }

  void OnEditorChanged(uint32_t changes) override;
  CVelloEditor& Editor() const { return m_Editor; }

  // Shuts the editor context's canvas down with the GL context current ("LastSave.an1" is
  // written then). The frame calls it when it closes; the destructor calls it otherwise.
  void ShutdownEditor();

  // ---- module drops
  // Told with the clipboard-form bytes of modules dropped on the view (dragged from the module
  // list) and the client point in device pixels where they were dropped.
  using ModuleDropHandler = std::function<void(const QByteArray& items, UPoint client)>;
  void SetModuleDropHandler(ModuleDropHandler handler) { m_ModuleDropHandler = std::move(handler); }

  // Maps a Qt key (with its modifiers) to the editor's keys.
  static CVelloEditor::Key MapKey(int qtKey, Qt::KeyboardModifiers modifiers);
  // A client point in device pixels.
  UPoint DevicePoint(const QPointF& logical) const;

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // Modules are taken; anything else (files) goes on to the main window.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void StartFinished(bool ready);
  // Runs the clock while an action plays and stops it otherwise.
  void FollowPlaying();
  void OnTick();
  // Command 1153: a tag where the context menu was opened.
  void AddTagAtMenuPoint();
  void ChooseBackgroundColor();
  static uint32_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  // Space held: the pointer shows a hand and a left drag pans instead of editing.
  void SetPanKeyHeld(bool held);
  // Tells the editor context the device pixel ratio of the screen the view is on.
  void FollowPixelRatio();

  CVelloEditor& m_Editor;
  CWidgetWindowHost m_Host;
  QTimer m_Timer;
  QElapsedTimer m_SinceTick;  // since the clock's last tick or start
  uint32_t m_ClockMs = 0;     // the editor's clock: advances only while it runs
  QLabel* m_Failure = nullptr;
  std::function<void()> m_StartedHandler;
  bool m_Started = false;
  bool m_ShutDown = false;
  int m_PaintedFrames = 0;
  UPoint m_ContextMenuPoint{0, 0};
  bool m_PanKeyHeld = false;
  bool m_Panning = false;
  UPoint m_PanFrom{0, 0};  // device pixels of the pointer at the last pan step
  int m_WheelRest = 0;     // wheel eighths of a degree not yet a whole zoom step
  ModuleDropHandler m_ModuleDropHandler;
};
