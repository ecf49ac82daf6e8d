// Undo and redo as a user meets them in the main window: the Edit menu naming the steps, the
// keyboard, the property pane that keeps its keys while a value is edited, and the history pane.
#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <filesystem>
#include <vector>

#include "core/foundation/text_codec.h"
#include "editor/panels/frame_panel.h"
#include "editor/panels/history_panel.h"
#include "editor/res/command_ids.h"
#include "editor_support/property_grid/property_grid.h"
#include "tests/editor/support/window_picture.h"
#include "tests/support/qt_events.h"

namespace {

constexpr int kFramePane = 4002;
constexpr int kPropertyPane = 4005;
constexpr int kHistoryPane = 4010;
// The example's frame "walk_1", which a key in the middle of the action "walk" shows.
constexpr int kWalkFrame = 3;

using Stored = std::vector<unsigned char>;

class HistoryMenuTest : public AppTest {
 protected:
  void StartOnExample() {
    for (const char* file : {"hero.an1", "hero.png"}) {
      std::filesystem::copy_file(std::string(QUILLET_EXAMPLES_DIR "/") + file, dir.File(file));
    }
    StartApp(dir.File("hero.an1"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return app->Doc().Path() == dir.File("hero.an1"); }));
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  }

  QMenu* EditMenu() {
    for (QAction* action : Frame().menuBar()->actions()) {
      if (action->text() == "&编辑") {
        return action->menu();
      }
    }
    return nullptr;
  }

  // The menu's texts and enabled states as they show when the Edit menu opens.
  QString Text(int id) {
    emit EditMenu()->aboutToShow();
    return Frame().Action(id)->text();
  }
  bool Enabled(int id) {
    emit EditMenu()->aboutToShow();
    return Frame().Action(id)->isEnabled();
  }

  void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(target, key, modifiers);
    ProcessEvents();
  }
  // A key pressed in the animation view, where the user's focus rests while drawing.
  void PressInView(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Frame().View().setFocus();
    Press(&Frame().View(), key, modifiers);
  }

  QWidget& PaneWidget(int paneId) { return *Frame().Pane(paneId)->widget(); }
  CHistoryPanel& History() { return dynamic_cast<CHistoryPanel&>(PaneWidget(kHistoryPane)); }

  static void ClickRow(CReportList& list, int row) {
    ASSERT_LT(row, list.topLevelItemCount());
    list.scrollToItem(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
    ProcessEvents();
  }

  // "text" of each history row, "~text" for a greyed one.
  QStringList HistoryRows() {
    CHistoryPanel& list = History();
    const QColor greyed = list.palette().color(QPalette::Disabled, QPalette::Text);
    QStringList rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = list.topLevelItem(row);
      const bool grey = item->data(0, Qt::ForegroundRole).isValid() &&
                        item->foreground(0).color() == greyed &&
                        item->foreground(1).color() == greyed;
      rows << (grey ? "~" : "") + item->text(0) + " " + item->text(1);
    }
    return rows;
  }

  // Clicks the value of `caption` in category `category` of the property pane.
  QLineEdit* OpenPropertyEditor(const QString& category, const QString& caption) {
    UPropertyGrid* grid = Frame().PropertyGrid();
    UPropertyGridItem* found = nullptr;
    for (int i = 0; i < grid->topLevelItemCount() && found == nullptr; ++i) {
      QTreeWidgetItem* top = grid->topLevelItem(i);
      for (int j = 0; top->text(0) == category && j < top->childCount(); ++j) {
        if (top->child(j)->text(0) == caption) {
          found = dynamic_cast<UPropertyGridItem*>(top->child(j));
        }
      }
    }
    EXPECT_NE(found, nullptr) << caption.toStdString();
    if (found == nullptr) {
      return nullptr;
    }
    grid->scrollToItem(found);
    ProcessEvents();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetValueCellRect(found).center());
    ProcessEvents();
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
  }
};

TEST_F(HistoryMenuTest, EditsThroughThePanesAreUndoneAndRedoneFromMenuKeysAndHistoryPane) {
  ASSERT_NO_FATAL_FAILURE(StartOnExample());
  CMainFrame& frame = Frame();
  CVelloEditor& editor = Editor();

  // Undo and Redo lead the Edit menu, plain and disabled while there is nothing to take back.
  QStringList entries;
  for (const QAction* action : EditMenu()->actions()) {
    entries << (action->isSeparator() ? QString("-") : action->text());
  }
  EXPECT_EQ(entries.mid(0, 6),
            (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cu&t", "&Copy", "&Paste"}));
  EXPECT_FALSE(Enabled(cmd::kEditUndo));
  EXPECT_FALSE(Enabled(cmd::kEditRedo));
  EXPECT_EQ(frame.Action(cmd::kEditRedo)->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

  // The history pane starts hidden; the View menu shows it, with the opened document's entry.
  QDockWidget* pane = frame.Pane(kHistoryPane);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->windowTitle(), "历史");
  EXPECT_TRUE(pane->isHidden());
  EXPECT_FALSE(frame.Action(kHistoryPane)->isChecked());
  EXPECT_EQ(frame.Action(kHistoryPane)->text(), "历史");
  Trigger(kHistoryPane);
  EXPECT_FALSE(pane->isHidden());
  EXPECT_TRUE(frame.Action(kHistoryPane)->isChecked());
  EXPECT_EQ(frame.dockWidgetArea(pane), Qt::RightDockWidgetArea);
  EXPECT_EQ(HistoryRows(), (QStringList{"[ 0 ] 打开"}));
  const Stored opened = editor.StoredActor();

  // Step 1: a frame added with the frame pane's button.
  Frame().Pane(kFramePane)->raise();
  auto& frames = dynamic_cast<CFramePanel&>(PaneWidget(kFramePane));
  prompts.typedTexts = {std::string("extra")};
  QTest::mouseClick(frames.findChild<QPushButton*>("addButton"), Qt::LeftButton);
  ProcessEvents();
  ASSERT_EQ(editor.HistorySize(), 2);
  const std::string addName = editor.UndoName();
  EXPECT_FALSE(addName.empty());
  EXPECT_EQ(Text(cmd::kEditUndo), QString::fromStdString("&Undo " + addName + "\tCtrl+Z"));
  EXPECT_TRUE(Enabled(cmd::kEditUndo));
  const Stored added = editor.StoredActor();

  // Step 2: "walk_1" renamed in the property pane. While its value is being edited, Ctrl+Z is
  // the line's own undo and the menu's Undo does nothing.
  ClickRow(*frames.List(), kWalkFrame);
  frame.Pane(kPropertyPane)->raise();
  ProcessEvents();
  QLineEdit* line = OpenPropertyEditor("基本属性", "帧名");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), "walk_1");
  line->selectAll();
  TypeText(line, "stride");
  EXPECT_EQ(line->text(), "stride");
  EXPECT_FALSE(Enabled(cmd::kEditUndo));
  Press(line, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(line->text(), "walk_1");
  Press(line, Qt::Key_Backspace, Qt::AltModifier);
  Press(line, Qt::Key_Y, Qt::ControlModifier);
  Trigger(cmd::kEditUndo);
  EXPECT_EQ(editor.StoredActor(), added);
  EXPECT_EQ(editor.HistorySize(), 2);
  // Escape drops the edit, and Undo is at hand again without opening the menu.
  ASSERT_EQ(QApplication::focusWidget(), line);
  Press(line, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_TRUE(frame.Action(cmd::kEditUndo)->isEnabled());
  EXPECT_EQ(editor.StoredActor(), added);
  line = OpenPropertyEditor("基本属性", "帧名");
  ASSERT_NE(line, nullptr);
  line->selectAll();
  TypeText(line, "stride");
  Press(line, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(GbkToUtf8(editor.Actor()->frames[kWalkFrame]->name.GetString()), "stride");
  EXPECT_EQ(Text(cmd::kEditUndo), "&Undo 修改帧属性\tCtrl+Z");
  const Stored renamed = editor.StoredActor();

  // Step 3: the frame deleted with its keys, from the frame pane.
  frame.Pane(kFramePane)->raise();
  ProcessEvents();
  ClickRow(*frames.List(), kWalkFrame);
  prompts.answers = {UMessageAnswer::Yes};
  QTest::mouseClick(frames.findChild<QPushButton*>("deleteButton"), Qt::LeftButton);
  ProcessEvents();
  const Stored deleted = editor.StoredActor();
  ASSERT_NE(deleted, renamed);
  EXPECT_EQ(Text(cmd::kEditUndo), "&Undo 删除帧\tCtrl+Z");
  EXPECT_EQ(frame.Action(cmd::kEditUndo)->toolTip(), "Undo 删除帧");
  EXPECT_TRUE(Enabled(cmd::kEditUndo));
  EXPECT_EQ(Text(cmd::kEditRedo), "&Redo\tCtrl+Y");
  EXPECT_FALSE(Enabled(cmd::kEditRedo));
  EXPECT_TRUE(frame.isWindowModified());

  // The keys: Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z and Alt+Backspace walk the history.
  PressInView(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.StoredActor(), renamed);
  EXPECT_EQ(Text(cmd::kEditUndo), "&Undo 修改帧属性\tCtrl+Z");
  EXPECT_EQ(Text(cmd::kEditRedo), "&Redo 删除帧\tCtrl+Y");
  EXPECT_TRUE(Enabled(cmd::kEditRedo));
  EXPECT_EQ(HistoryRows(), (QStringList{"  0 打开", QString::fromStdString("  1 " + addName),
                                        "[ 2 ] 修改帧属性", "~  3 删除帧"}));
  PressInView(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.StoredActor(), added);
  PressInView(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(editor.StoredActor(), renamed);
  PressInView(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(editor.StoredActor(), deleted);
  EXPECT_FALSE(Enabled(cmd::kEditRedo));
  PressInView(Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(editor.StoredActor(), renamed);

  // The history pane: clicking an entry goes there, back or forth; the redo steps are greyed.
  ClickRow(History(), 0);
  EXPECT_EQ(editor.StoredActor(), opened);
  EXPECT_FALSE(frame.isWindowModified());
  EXPECT_EQ(Text(cmd::kEditUndo), "&Undo\tCtrl+Z");
  EXPECT_FALSE(Enabled(cmd::kEditUndo));
  EXPECT_EQ(HistoryRows(), (QStringList{"[ 0 ] 打开", QString::fromStdString("~  1 " + addName),
                                        "~  2 修改帧属性", "~  3 删除帧"}));
  ClickRow(History(), 3);
  EXPECT_EQ(editor.StoredActor(), deleted);
  ClickRow(History(), 2);
  EXPECT_EQ(editor.StoredActor(), renamed);
  EXPECT_EQ(GbkToUtf8(editor.Actor()->frames[kWalkFrame]->name.GetString()), "stride");

  // A picture of the window with the history pane, for people to look at.
  QTest::qWait(5 * CVelloView::kTickMs);
  EXPECT_TRUE(WindowPicture(frame).save(QUILLET_SCREENSHOT_DIR "/history_pane.png"));

  // A new edit after going back drops the steps that were ahead.
  frame.Pane(kFramePane)->raise();
  prompts.typedTexts = {std::string("late")};
  QTest::mouseClick(frames.findChild<QPushButton*>("addButton"), Qt::LeftButton);
  ProcessEvents();
  EXPECT_EQ(editor.HistorySize(), 4);
  EXPECT_EQ(History().topLevelItemCount(), 4);
  EXPECT_FALSE(Enabled(cmd::kEditRedo));
  EXPECT_EQ(HistoryRows().last(), QString::fromStdString("[ 3 ] " + addName));
}

}  // namespace
