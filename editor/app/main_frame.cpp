#include "editor/app/main_frame.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "editor/app/disabled_item_prompts.h"
#include "editor/app/dock_panes.h"
#include "editor/app/tool_bar_buttons.h"
#include "editor/doc/vello_doc.h"
#include "editor/panels/anim_property_grid.h"
#include "editor/panels/cut_view_accessibility.h"
#include "editor/panels/panel_factory.h"
#include "editor/res/command_icons.h"
#include "editor/res/command_ids.h"
#include "editor/res/command_texts.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/recent_files.h"
#include "editor/view/view_accessibility.h"
#include "editor_support/property_grid/property_grid.h"

namespace {

constexpr char kLoopSetting[] = "Playback/Loop";

// Toolbars in creation order: title and buttons (0 is a separator).
struct ToolBarInfo {
  const char* title;
  std::vector<int> buttons;
};

const std::vector<ToolBarInfo>& ToolBarTable() {
  static const std::vector<ToolBarInfo> table = {
      {"Standard",
       {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, cmd::kEditCut, cmd::kEditCopy,
        cmd::kEditPaste, 0, cmd::kFilePrint, 0, cmd::kAppAbout}},
      {"AnimTool", {cmd::kPlay, cmd::kStop, cmd::kLoop}},
      {"EDITCTRL",
       {cmd::kZoomIn, cmd::kZoomOut, cmd::kBoxSelect, cmd::kCentre, 0, cmd::kGrid, cmd::kAlign, 0,
        cmd::kTagMode, cmd::kOnionSkin}},
      {"PANELCTRL",
       {cmd::kShowModulePane, cmd::kShowModuleListPane, cmd::kShowActionPane,
        cmd::kShowActionFramePane, cmd::kShowFramePane}},
      {"FMCTRL", {cmd::kFlipHorizontal, cmd::kFlipVertical, cmd::kRotate}},
  };
  return table;
}

// The accelerators; F6 and Shift+F6 stay free for the timeline.
QList<QKeySequence> Accelerators(int id) {
  switch (id) {
    case cmd::kFileNew:
      return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case cmd::kFileOpen:
      return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case cmd::kFileSave:
      return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case cmd::kFilePrint:
      return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case cmd::kEditUndo:
      return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case cmd::kEditRedo:
      return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case cmd::kEditCut:
      return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case cmd::kEditCopy:
      return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case cmd::kEditPaste:
      return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    // Ctrl+= is the plus key without Shift; Ctrl++ serves keypads and layouts with a plus key.
    case cmd::kZoomIn:
      return {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)};
    case cmd::kZoomOut:
      return {QKeySequence(Qt::CTRL | Qt::Key_Minus)};
    case cmd::kFitToView:
      return {QKeySequence(Qt::CTRL | Qt::Key_0)};
    case cmd::kActualSize:
      return {QKeySequence(Qt::CTRL | Qt::Key_1)};
    default:
      return {};
  }
}

// Menu text without '&' and without the accelerator after a tab.
QString PlainText(const QString& menuText) {
  QString text = menuText.section('\t', 0, 0);
  text.remove('&');
  return text;
}

}  // namespace

CMainFrame::CMainFrame(CVelloEditor& editor, CVelloDoc& doc, CCommandRouter& router,
                       CRecentFiles& recentFiles)
    : m_Editor(editor)
    , m_Doc(doc)
    , m_Router(router)
    , m_RecentFiles(recentFiles)
    , m_View(new CVelloView(editor, this))
    , m_DisabledItemPrompts(
          new CDisabledItemPrompts([this](const QString& prompt) { ShowPrompt(prompt); }, this)) {
  setObjectName("mainFrame");
  // The drawn views and their items get interfaces for assistive tools (once per program).
  QAccessible::installFactory(ViewAccessibleFactory);
  QAccessible::installFactory(CutViewAccessibleFactory);
  setCentralWidget(m_View);
  CreateStatusBar();
  CreateMenus();
  CreateToolBars();
  const QSettings settings;
  RestoreToolBarButtons(settings, m_ToolBars, [this](int id) { return CustomizableAction(id); });
  CreatePanes();
  // The window, the panes and the toolbars where the last run left them, else the defaults.
  RestoreWindowLayout(settings);
  RegisterCommands();
  ReadConfiguration();
  m_Editor.SetLoopPlayback(settings.value(kLoopSetting, false).toBool());
  CreateOnionSkinCommands();
  CreateLanguageMenu();

  m_Editor.AddListener(this);
  qApp->installEventFilter(this);
  // An in-place edit of a property starts and ends with a change of focus; Undo and Redo wait
  // for it to end, so their states follow the focus.
  connect(qApp, &QApplication::focusChanged, this, [this] { UpdateCommandStates(); });
  UpdateRecentFiles();
  UpdateTitle();
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  // The widgets that QWidget's destructor deletes move the focus; that must not reach this object.
  QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  m_Editor.RemoveListener(this);
  // Hiding the panes while QWidget's destructor closes the window must not reach this object.
  for (const auto& [id, dock] : m_Panes) {
    QObject::disconnect(dock->toggleViewAction(), nullptr, this, nullptr);
  }
  // The view goes first, while the frame and the editor context are whole.
  m_View->ShutdownEditor();
}

QAction* CMainFrame::Action(int id) {
  const auto found = m_Actions.find(id);
  if (found != m_Actions.end()) {
    return found->second;
  }
  auto* action = new QAction(this);
  action->setData(id);
  action->setIcon(CommandIcon(id));
  action->setShortcuts(Accelerators(id));
  if (const char* tip = CommandToolTip(id)) {
    action->setText(UiText::tr(tip));
    action->setToolTip(UiText::tr(tip));
  }
  if (const char* prompt = CommandPrompt(id)) {
    action->setStatusTip(UiText::tr(prompt));
  }
  addAction(action);
  connect(action, &QAction::triggered, this, [this, id] {
    m_Router.Execute(id);
    UpdateCommandStates();
  });
  m_Actions[id] = action;
  return action;
}

QAction* CMainFrame::CustomizableAction(int id) const {
  const bool recent_file = id >= cmd::kFileMruFirst && id < cmd::kFileMruFirst + cmd::kFileMruCount;
  const auto found = m_Actions.find(id);
  return recent_file || found == m_Actions.end() ? nullptr : found->second;
}

QMenu* CMainFrame::AddMenu(QMenu* parent, const char* title) {
  return parent != nullptr ? parent->addMenu(UiText::tr(title))
                           : menuBar()->addMenu(UiText::tr(title));
}

void CMainFrame::AddMenuItem(QMenu* menu, int id, const char* text) {
  QAction* action = Action(id);
  action->setText(UiText::tr(text));
  if (CommandToolTip(id) == nullptr) {
    action->setToolTip(PlainText(action->text()));
  }
  menu->addAction(action);
}

void CMainFrame::CreateMenus() {
  menuBar()->setObjectName("Menu Bar");
  m_FileMenu = AddMenu(nullptr, QT_TRANSLATE_NOOP("Quillet", "&文件"));
  AddMenuItem(m_FileMenu, cmd::kFileNew, QT_TRANSLATE_NOOP("Quillet", "&新建"));
  AddMenuItem(m_FileMenu, cmd::kFileOpen, QT_TRANSLATE_NOOP("Quillet", "&打开..."));
  AddMenuItem(m_FileMenu, cmd::kFileSave, QT_TRANSLATE_NOOP("Quillet", "&保存"));
  AddMenuItem(m_FileMenu, cmd::kFileSaveAs, QT_TRANSLATE_NOOP("Quillet", "另存为..."));
  m_FileMenu->addSeparator();
  QMenu* export_menu = AddMenu(m_FileMenu, QT_TRANSLATE_NOOP("Quillet", "导出"));
  AddMenuItem(export_menu, cmd::kExportSymbian, QT_TRANSLATE_NOOP("Quillet", "导出到Symbian"));
  AddMenuItem(export_menu, cmd::kExportJava, QT_TRANSLATE_NOOP("Quillet", "导出到JAVA"));
  AddMenuItem(export_menu, cmd::kExportXml, QT_TRANSLATE_NOOP("Quillet", "导出到Xml"));
  AddMenuItem(export_menu, cmd::kExportRws, QT_TRANSLATE_NOOP("Quillet", "导出RWS"));
  AddMenuItem(export_menu, cmd::kExportSheet, res::kExportSheetMenu);
  QMenu* import_menu = AddMenu(m_FileMenu, QT_TRANSLATE_NOOP("Quillet", "导入"));
  AddMenuItem(import_menu, cmd::kImportAnm, QT_TRANSLATE_NOOP("Quillet", "导入ANM"));
  AddMenuItem(import_menu, cmd::kImportRws, QT_TRANSLATE_NOOP("Quillet", "导入Rws"));
  m_RecentSeparator = m_FileMenu->addSeparator();
  for (int i = 0; i < cmd::kFileMruCount; ++i) {
    QAction* recent = Action(cmd::kFileMruFirst + i);
    m_FileMenu->addAction(recent);
    m_RecentActions.push_back(recent);
  }
  m_FileMenu->addSeparator();
  AddMenuItem(m_FileMenu, cmd::kAppExit, QT_TRANSLATE_NOOP("Quillet", "退出"));

  QMenu* edit_menu = AddMenu(nullptr, QT_TRANSLATE_NOOP("Quillet", "&编辑"));
  AddMenuItem(edit_menu, cmd::kEditUndo, QT_TRANSLATE_NOOP("Quillet", "&Undo\tCtrl+Z"));
  AddMenuItem(edit_menu, cmd::kEditRedo, QT_TRANSLATE_NOOP("Quillet", "&Redo\tCtrl+Y"));
  edit_menu->addSeparator();
  AddMenuItem(edit_menu, cmd::kEditCut, QT_TRANSLATE_NOOP("Quillet", "Cu&t"));
  AddMenuItem(edit_menu, cmd::kEditCopy, QT_TRANSLATE_NOOP("Quillet", "&Copy"));
  AddMenuItem(edit_menu, cmd::kEditPaste, QT_TRANSLATE_NOOP("Quillet", "&Paste"));
  edit_menu->addSeparator();
  AddMenuItem(edit_menu, cmd::kBoxSelect, QT_TRANSLATE_NOOP("Quillet", "框选"));
  // Ctrl+A is the view's and the placement list's own key, so other widgets keep theirs.
  AddMenuItem(edit_menu, cmd::kEditSelectAll, QT_TRANSLATE_NOOP("Quillet", "全选\tCtrl+A"));

  QMenu* settings_menu = AddMenu(nullptr, QT_TRANSLATE_NOOP("Quillet", "设置"));
  settings_menu->setObjectName("settingsMenu");
  AddMenuItem(settings_menu, cmd::kSetName, QT_TRANSLATE_NOOP("Quillet", "设置名字"));
  AddMenuItem(settings_menu, cmd::kBackgroundColor, QT_TRANSLATE_NOOP("Quillet", "背景色"));
  AddMenuItem(settings_menu, cmd::kSetFps, QT_TRANSLATE_NOOP("Quillet", "设置FPS"));

  QMenu* view_menu = AddMenu(nullptr, QT_TRANSLATE_NOOP("Quillet", "&查看"));
  view_menu->setObjectName("viewMenu");
  QMenu* toolbars_menu = AddMenu(view_menu, QT_TRANSLATE_NOOP("Quillet", "&工具栏"));
  toolbars_menu->setObjectName("toolbarsMenu");
  AddMenuItem(view_menu, cmd::kViewStatusBar, QT_TRANSLATE_NOOP("Quillet", "&Status Bar"));
  view_menu->addSeparator();
  AddMenuItem(view_menu, cmd::kZoomIn, QT_TRANSLATE_NOOP("Quillet", "放大"));
  AddMenuItem(view_menu, cmd::kZoomOut, QT_TRANSLATE_NOOP("Quillet", "缩小"));
  AddMenuItem(view_menu, cmd::kFitToView, QT_TRANSLATE_NOOP("Quillet", "适合窗口"));
  AddMenuItem(view_menu, cmd::kActualSize, QT_TRANSLATE_NOOP("Quillet", "实际大小"));
  view_menu->addSeparator();
  // Enter plays and stops while the view or the timeline has the focus.
  AddMenuItem(view_menu, cmd::kPlay, QT_TRANSLATE_NOOP("Quillet", "播放动画\tEnter"));
  AddMenuItem(view_menu, cmd::kStop, QT_TRANSLATE_NOOP("Quillet", "停止播放\tEnter"));
  AddMenuItem(view_menu, cmd::kLoop, QT_TRANSLATE_NOOP("Quillet", "循环播放"));
  view_menu->addSeparator();
  for (const CPaneInfo& pane : PaneTable()) {
    AddMenuItem(view_menu, pane.showCommand, pane.caption);
    Action(pane.showCommand)->setToolTip(UiText::tr(pane.caption));
  }
  view_menu->addSeparator();
  AddMenuItem(view_menu, cmd::kResetLayout, QT_TRANSLATE_NOOP("Quillet", "重置窗口布局"));

  QMenu* help_menu = AddMenu(nullptr, QT_TRANSLATE_NOOP("Quillet", "&帮助"));
  AddMenuItem(help_menu, cmd::kAppAbout, QT_TRANSLATE_NOOP("Quillet", "&关于"));

  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    m_DisabledItemPrompts->Watch(*menu);
  }
}

void CMainFrame::CreateToolBars() {
  QMenu* toolbars_menu = menuBar()->findChild<QMenu*>("toolbarsMenu");
  for (const ToolBarInfo& info : ToolBarTable()) {
    QToolBar* bar = addToolBar(info.title);
    bar->setObjectName(info.title);
    bar->setIconSize(QSize(16, 16));
    for (const int id : info.buttons) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      bar->addAction(Action(id));
    }
    QAction* toggle = bar->toggleViewAction();
    toggle->setData(cmd::kViewToolbar);
    toggle->setStatusTip(UiText::tr(CommandPrompt(cmd::kViewToolbar)));
    toolbars_menu->addAction(toggle);
    m_ToolBars.push_back(bar);
  }
  toolbars_menu->addSeparator();
  AddMenuItem(toolbars_menu, cmd::kCustomize, QT_TRANSLATE_NOOP("Quillet", "&Customize..."));
  // Printing is hidden in the command bars.
  Action(cmd::kFilePrint)->setVisible(false);
  Action(cmd::kFilePrintPreview)->setVisible(false);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("statusBar");
  const int stretches[kStatusPanes] = {10, 50, 50, 50};
  for (int i = 0; i < kStatusPanes; ++i) {
    m_StatusPanes[i] = new QLabel(bar);
    m_StatusPanes[i]->setObjectName(QString("statusPane%1").arg(i));
    bar->addWidget(m_StatusPanes[i], stretches[i]);
  }
  m_StatusPanes[0]->setText(UiText::tr(res::kReady));
}

void CMainFrame::ShowPrompt(const QString& prompt) {
  m_StatusPanes[0]->setText(prompt.isEmpty() ? UiText::tr(res::kReady) : prompt);
}

// The prompt of the menu item or tool button under the pointer goes to the first pane instead of
// covering all four; an empty one (the pointer left) brings back "Ready".
bool CMainFrame::event(QEvent* event) {
  if (event->type() != QEvent::StatusTip) {
    return QMainWindow::event(event);
  }
  const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
  if (!tip.isEmpty() || !m_DisabledItemPrompts->IsShowing()) {
    ShowPrompt(tip);
  }
  return true;
}

void CMainFrame::CreatePanes() {
  m_Docks = CreateDockPanes(*this, [this](const CPaneInfo& pane, QWidget* parent) {
    return MakePanel(pane, m_Editor, parent);
  });
  for (QDockWidget* dock : m_Docks) {
    m_Panes[dock->objectName().toInt()] = dock;
    connect(dock->toggleViewAction(), &QAction::toggled, this, [this] { UpdateCommandStates(); });
  }
  m_PropertyGrid = dynamic_cast<UPropertyGrid*>(m_Panes.at(pane::kProperties)->widget());
}

bool CMainFrame::IsEditingProperty() const {
  const auto* grid = dynamic_cast<const CAnimPropertyGrid*>(m_PropertyGrid);
  return grid != nullptr && grid->IsEditing();
}

QDockWidget* CMainFrame::Pane(int paneId) const {
  const auto found = m_Panes.find(paneId);
  return found == m_Panes.end() ? nullptr : found->second;
}

QToolBar* CMainFrame::ToolBar(const QString& title) const {
  for (QToolBar* bar : m_ToolBars) {
    if (bar->windowTitle() == title) {
      return bar;
    }
  }
  return nullptr;
}

bool CMainFrame::IsPaneOpen(int paneId) const {
  const QDockWidget* dock = Pane(paneId);
  return dock != nullptr && dock->toggleViewAction()->isChecked();
}

void CMainFrame::ShowPane(int paneId) {
  if (QDockWidget* dock = Pane(paneId)) {
    dock->show();
    dock->raise();
  }
}

void CMainFrame::UpdateCommandStates() {
  for (const auto& [id, action] : m_Actions) {
    action->setEnabled(m_Router.IsEnabled(id));
    const bool checkable = m_Router.IsCheckable(id);
    action->setCheckable(checkable);
    if (checkable) {
      action->setChecked(m_Router.IsChecked(id));
    }
  }
  UpdateHistoryTexts();
}

// "&Undo 删除帧\tCtrl+Z": the menu names the step; the shortcut follows the tab.
void CMainFrame::UpdateHistoryTexts() {
  const auto set_text = [this](int id, const char* verb, const std::string& step,
                               const char* shortcut) {
    QString text = UiText::tr(verb);
    if (!step.empty()) {
      text += ' ' + UiText::tr(step.c_str());
    }
    QAction* action = Action(id);
    action->setText(text + '\t' + shortcut);
    action->setToolTip(PlainText(action->text()));
  };
  set_text(cmd::kEditUndo, QT_TRANSLATE_NOOP("Quillet", "&Undo"), m_Editor.UndoName(), "Ctrl+Z");
  set_text(cmd::kEditRedo, QT_TRANSLATE_NOOP("Quillet", "&Redo"), m_Editor.RedoName(), "Ctrl+Y");
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(QString::fromStdString(m_Doc.Title()) + "[*] - " + res::kAppTitle);
  setWindowModified(m_Doc.IsModified());
}

void CMainFrame::UpdateRecentFiles() {
  const QStringList& paths = m_RecentFiles.Paths();
  for (int i = 0; i < static_cast<int>(m_RecentActions.size()); ++i) {
    QAction* action = m_RecentActions[i];
    if (i < paths.size()) {
      action->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
      action->setToolTip(paths[i]);
      action->setVisible(true);
    } else {
      action->setVisible(false);
    }
  }
  m_RecentSeparator->setVisible(!paths.isEmpty());
}

void CMainFrame::OnEditorChanged(uint32_t changes) {
  if (changes & kChangeModified) {
    UpdateTitle();
  }
  UpdateCommandStates();
}

void CMainFrame::OnStatusText(::StatusPane pane, const std::string& utf8) {
  const auto index = static_cast<int>(pane);
  if (index >= 0 && index < kStatusPanes) {
    m_StatusPanes[index]->setText(QString::fromStdString(utf8));
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_Doc.SaveModified()) {
    event->ignore();
    return;
  }
  QSettings settings;
  SaveWindowLayout(settings);
  SaveToolBarButtons(settings, m_ToolBars);
  settings.setValue(kLoopSetting, m_Editor.LoopPlayback());
  m_View->ShutdownEditor();
  event->accept();
}

// Typing into a property grid's in-place editor never fires a command: the key goes to the
// editor instead of the shortcut (Tab, Enter and Escape keep their usual roles).
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) {
    return QMainWindow::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return QMainWindow::eventFilter(watched, event);
    default:
      break;
  }
  auto* widget = static_cast<QWidget*>(watched);
  for (QWidget* parent = widget->parentWidget(); parent != nullptr;
       parent = parent->parentWidget()) {
    if (auto* grid = dynamic_cast<UPropertyGrid*>(parent)) {
      if (widget != grid->viewport()) {
        event->accept();
        return true;
      }
      break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
