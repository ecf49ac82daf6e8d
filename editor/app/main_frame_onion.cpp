// The onion skin's commands: its toggle and frame counts in the View menu, its key, and the
// settings that keep both between starts.
#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "editor/app/disabled_item_prompts.h"
#include "editor/app/main_frame.h"
#include "editor/res/command_ids.h"
#include "editor/res/pane_table.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

namespace {

constexpr char kOnionSkinShownKey[] = "OnionSkin/Shown";
constexpr char kOnionSkinFramesKey[] = "OnionSkin/Frames";

}  // namespace

void CMainFrame::CreateOnionSkinCommands() {
  CVelloEditor& e = m_Editor;
  // What the last run chose; a kept count out of range leaves the editor's own.
  const QSettings settings;
  e.SetOnionSkin(settings.value(kOnionSkinShownKey, false).toBool());
  e.SetOnionSkinFrames(settings.value(kOnionSkinFramesKey, e.OnionSkinFrames()).toInt());

  OnCommand(
      cmd::kOnionSkin,
      [&e] {
        e.ToggleOnionSkin();
        QSettings().setValue(kOnionSkinShownKey, e.OnionSkin());
      },
      {}, [&e] { return e.OnionSkin(); });
  QMenu* view_menu = menuBar()->findChild<QMenu*>("viewMenu");
  AddMenuItem(view_menu, cmd::kOnionSkin, (UiText::Utf8(res::kOnionSkin) + "\tO").c_str());
  QMenu* frames_menu = AddMenu(view_menu, res::kOnionSkinFrames);
  // In a group of their own between the zoom items and the playback ones.
  const QList<QAction*> items = view_menu->actions();
  QAction* playback_group = items.at(items.indexOf(Action(cmd::kPlay)) - 1);
  view_menu->insertSeparator(playback_group);
  for (QAction* item : {Action(cmd::kOnionSkin), frames_menu->menuAction()}) {
    view_menu->removeAction(item);
    view_menu->insertAction(playback_group, item);
  }
  auto* counts = new QActionGroup(frames_menu);
  for (int frames = 1; frames <= CVelloEditor::kMaxOnionSkinFrames; ++frames) {
    const int id = cmd::kOnionSkinFramesFirst + frames - 1;
    OnCommand(
        id,
        [&e, frames] {
          e.SetOnionSkinFrames(frames);
          QSettings().setValue(kOnionSkinFramesKey, frames);
        },
        {}, [&e, frames] { return e.OnionSkinFrames() == frames; });
    AddMenuItem(frames_menu, id, std::to_string(frames).c_str());
    counts->addAction(Action(id));
  }
  connect(frames_menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
  m_DisabledItemPrompts->Watch(*frames_menu);

  // O acts only while the animation view or the timeline has the keyboard; elsewhere the
  // widgets keep it (a list's type-ahead). The menu item's action belongs to the whole window,
  // so the key has an action of its own.
  auto* key = new QAction(this);
  key->setShortcut(QKeySequence(Qt::Key_O));
  key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(key, &QAction::triggered, this, [this] {
    m_Router.Execute(cmd::kOnionSkin);
    UpdateCommandStates();
  });
  m_View->addAction(key);
  if (QDockWidget* timeline = Pane(pane::kTimeline)) {
    timeline->widget()->addAction(key);
  }
}
