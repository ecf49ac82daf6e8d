#pragma once

// The view's header brings in libepoxy's GL declarations, which must come before Qt's.
#include "editor/view/vello_view.h"

#include <QMainWindow>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/doc/clipboard_items.h"
#include "editor/doc/editor_listener.h"
#include "editor/services/command_router.h"

class CDisabledItemPrompts;
class CRecentFiles;
class CVelloDoc;
class QDockWidget;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;
class UPropertyGrid;

// The main window: menus, the five toolbars, the status bar with four panes, the eleven docking
// panes around the animation view, and the frame's own commands (zoom, flips, grid, snapping,
// tag mode, playback, frame rate, panes, customisation). Every menu item, tool button and
// shortcut carries its command id and goes through the command router.
class CMainFrame : public QMainWindow, public CCommandTarget, public CEditorListener {
 public:
  static constexpr int kStatusPanes = 4;

  CMainFrame(CVelloEditor& editor, CVelloDoc& doc, CCommandRouter& router,
             CRecentFiles& recentFiles);
  ~CMainFrame() override;

  CVelloView& View() const { return *m_View; }
  // The one action of command `id` (created on first use).
  QAction* Action(int id);
  QDockWidget* Pane(int paneId) const;
  QToolBar* ToolBar(const QString& title) const;
  const std::vector<QToolBar*>& ToolBars() const { return m_ToolBars; }
  QLabel* StatusPane(int index) const { return m_StatusPanes[index]; }
  UPropertyGrid* PropertyGrid() const { return m_PropertyGrid; }

  // Brings every action's enabled and checked state up to date with the router, and the texts of
  // Undo and Redo with the steps they would take.
  void UpdateCommandStates();
  // Shows the document's title and modified state.
  void UpdateTitle();
  // Rebuilds the recent-file entries of the File menu.
  void UpdateRecentFiles();

  void OnEditorChanged(uint32_t changes) override;
  void OnStatusText(::StatusPane pane, const std::string& utf8) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBars();
  void CreateStatusBar();
  // Shows `prompt` in the first status pane, "Ready" when it is empty.
  void ShowPrompt(const QString& prompt);
  void CreatePanes();
  // Window geometry, panes and toolbars as `settings` kept them; the default layout, on a
  // window sized to most of the screen, where they keep nothing usable.
  void RestoreWindowLayout(const QSettings& settings);
  void SaveWindowLayout(QSettings& settings) const;
  // The panes and toolbars in their default places, open (the history closed).
  void ResetWindowLayout();
  // The side pane groups' widths that show every tab caption whole.
  std::pair<int, int> DefaultSideWidths() const;
  void UpdateHistoryTexts();
  // Whether a value of the property pane is being edited in place.
  bool IsEditingProperty() const;
  void RegisterCommands();
  void ReadConfiguration();
  // The onion skin's menu items, toolbar state, key and kept settings; after the panes.
  void CreateOnionSkinCommands();
  // ---- interface language
  // Settings > "语言 / Language", which keeps the choice for the next start.
  void CreateLanguageMenu();
  void SetFrameRate();
  void Customize();
  // The action of command `id` when it can be put on a toolbar (every command of the menus and
  // toolbars but the recent files, which change), else null.
  QAction* CustomizableAction(int id) const;
  // Adds to `commands` the customisable commands of `menu` and its submenus, in menu order.
  void CollectMenuCommands(const QMenu& menu, std::vector<QAction*>& commands) const;
  void ShowPane(int paneId);
  bool IsPaneOpen(int paneId) const;
  QMenu* AddMenu(QMenu* parent, const char* title);

  // ---- clipboard and drops
  void RegisterClipboardCommands();
  // The kind of items the pane with the focus lists; nullopt outside those panes.
  std::optional<ClipKind> FocusedItemKind() const;
  // The selection of that pane, by index.
  std::vector<int32_t> SelectedItems() const;
  // The document's folder, "" for a document never saved.
  std::string DocumentFolder() const;
  // Puts the selection on the clipboard: the items' own type and their JSON text. False when
  // there was nothing to copy.
  bool CopySelection();
  void CutSelection();
  void PasteClipboard();
  // Reads clipboard-form bytes; damaged ones are named in the status bar.
  bool ReadClipItems(const QByteArray& bytes, CClipItems* clip);

  void AddMenuItem(QMenu* menu, int id, const char* text);

  CVelloEditor& m_Editor;
  CVelloDoc& m_Doc;
  CCommandRouter& m_Router;
  CRecentFiles& m_RecentFiles;
  CVelloView* m_View;
  std::map<int, QAction*> m_Actions;
  std::vector<QToolBar*> m_ToolBars;
  std::map<int, QDockWidget*> m_Panes;
  std::vector<QDockWidget*> m_Docks;  // the panes in the order of PaneTable()
  QLabel* m_StatusPanes[kStatusPanes] = {};
  CDisabledItemPrompts* m_DisabledItemPrompts;
  UPropertyGrid* m_PropertyGrid = nullptr;
  QMenu* m_FileMenu = nullptr;
  QAction* m_RecentSeparator = nullptr;
  std::vector<QAction*> m_RecentActions;
  std::optional<ClipKind> m_ClipboardKind;  // of the items the clipboard holds
};
