// The tag list and the tag dialog driven as a user does, and a picture of the four lists.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "editor/doc/editor_text.h"
#include "editor/panels/frame_module_panel.h"
#include "editor/panels/frame_tag_dialog.h"
#include "editor/panels/frame_tag_list.h"
#include "editor/panels/module_list.h"
#include "editor/panels/texture_list.h"
#include "editor_support/property_grid/property_grid.h"
#include "tests/editor/panels/lists1/lists_fixture.h"

namespace {

using ::testing::ElementsAre;

class FrameTagListTest : public ListsTest {
 protected:
  // Frame "a" with tags "门" at (3, -4) sized 10 x 6 with parameters 7 and -2, and "hit" at
  // (0, 0); frame "b" with one tag "b0". Frame "a" is selected.
  void MakeTags() {
    editor.CreateFrame("b");
    AddTag(Frame(0), "b0", 1, 1);
    editor.CreateFrame("a");
    TFrameTag& door = AddTag(Frame(1), "门", 3, -4);
    door.width = 10;
    door.height = 6;
    door.Param1 = 7;
    door.Param2 = -2;
    AddTag(Frame(1), "hit", 0, 0);
    editor.ActorEdited(kChangeTags);
  }

  static TFrameTag& AddTag(UObjFrame& frame, const char* name, int x, int y) {
    frame.AddTag(x, y);
    frame.tags.back().name = StoredName(name);
    return frame.tags.back();
  }

  // The grid item captioned `caption` anywhere under `parent`.
  static UPropertyGridItem* Item(QTreeWidgetItem* parent, const QString& caption) {
    for (int i = 0; i < parent->childCount(); ++i) {
      auto* child = static_cast<UPropertyGridItem*>(parent->child(i));
      if (child->GetCaption() == caption) {
        return child;
      }
      if (UPropertyGridItem* found = Item(child, caption)) {
        return found;
      }
    }
    return nullptr;
  }
};

TEST_F(FrameTagListTest, RowsShowEveryFieldAndStayWhileTheSameFrameShows) {
  MakeTags();
  CFrameTagListCtrl list(editor, nullptr);
  list.resize(460, 200);
  list.show();
  EXPECT_EQ(Captions(list), QStringList({"标签 (150)", "位置 (100)", "大小 (50)", "标签参数1 (50)",
                                         "标签参数2 (50)"}));
  EXPECT_THAT(Rows(list), ElementsAre("门 | 3,-4 | 10,6 | 7 | -2", "hit | 0,0 | 0,0 | 0 | 0"));

  // Picking a row selects the tag.
  ClickRow(list, 1);
  EXPECT_EQ(editor.SelectedTag(), 1);
  QTreeWidgetItem* kept = list.topLevelItem(1);

  // An edit of the same frame's tags rewrites the texts in the rows there are.
  Frame(1).tags[1].x = 12;
  editor.ActorEdited(kChangeTags);
  EXPECT_THAT(Rows(list), ElementsAre("门 | 3,-4 | 10,6 | 7 | -2", "hit | 12,0 | 0,0 | 0 | 0"));
  EXPECT_EQ(list.topLevelItem(1), kept);
  EXPECT_EQ(SelectedRow(list), 1);

  // Another frame shows its own tags.
  editor.SelectFrame(0);
  EXPECT_THAT(Rows(list), ElementsAre("b0 | 1,1 | 0,0 | 0 | 0"));
  EXPECT_EQ(SelectedRow(list), -1);

  // "删除标签" deletes the row picked last, and the rows are made again.
  editor.SelectFrame(1);
  QMenu* menu = list.ContextMenu();
  ASSERT_EQ(menu->actions().size(), 1);
  QAction* remove = menu->actions()[0];
  EXPECT_EQ(remove->text(), "删除标签");
  EXPECT_EQ(remove->data().toInt(), 21505);
  EXPECT_FALSE(remove->isEnabled());
  ClickRow(list, 0);
  const QPoint at = list.visualItemRect(list.topLevelItem(0)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
  QApplication::sendEvent(list.viewport(), &event);
  ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
  EXPECT_TRUE(remove->isEnabled());
  QTest::keyClick(menu, Qt::Key_Down);
  QTest::keyClick(menu, Qt::Key_Return);
  EXPECT_THAT(Rows(list), ElementsAre("hit | 12,0 | 0,0 | 0 | 0"));
  EXPECT_EQ(Frame(1).tags.Num(), 1);
  EXPECT_EQ(Frame(0).tags.Num(), 1);

  // A tag added in the view gets its row.
  editor.CreateTag(0, 0);
  EXPECT_EQ(list.topLevelItemCount(), 2);
}

TEST_F(FrameTagListTest, TheTagDialogEditsTheTagAndSaveShowsTheNewValues) {
  MakeTags();
  editor.SetModified(false);
  CFrameTagListCtrl list(editor, nullptr);
  list.resize(460, 200);
  list.show();

  // A double click without a selected tag opens nothing.
  editor.SelectTag(-1);
  list.EditTag();
  EXPECT_TRUE(prompts.dialogTitles.empty());

  QStringList captions;
  QString positionShown;
  prompts.onDialog = [&](QDialog& dialog) {
    dialog.show();
    auto* grid = dialog.findChild<UPropertyGrid*>();
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->topLevelItemCount(), 1);
    QTreeWidgetItem* category = grid->topLevelItem(0);
    EXPECT_EQ(category->text(0), "Tag属性");
    for (int i = 0; i < category->childCount(); ++i) {
      QTreeWidgetItem* item = category->child(i);
      captions << item->text(0) + "=" + item->text(1);
      for (int c = 0; c < item->childCount(); ++c) {
        captions << item->child(c)->text(0) + "=" + item->child(c)->text(1);
      }
    }
    grid->CommitItemValue(Item(category, "名字"), "门口");
    grid->CommitItemValue(Item(category, "x"), "-9");
    grid->CommitItemValue(Item(category, "height"), "20");
    grid->CommitItemValue(Item(category, "Param1"), "123456");
    grid->CommitItemValue(Item(category, "Param2"), "-5");
    positionShown = Item(category, "Position")->GetValue();
    EXPECT_TRUE(Item(category, "Position")->GetReadOnly());
    // The list follows each edit at once.
    EXPECT_EQ(Rows(list)[0], "门口 | -9,-4 | 10,20 | 123456 | -5");
    auto* save = dialog.findChild<QPushButton*>("saveButton");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "保存");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
  };
  const std::vector<unsigned char> before = editor.StoredActor();
  const int steps = editor.HistorySize();
  ClickRow(list, 0, true);

  ASSERT_EQ(prompts.dialogTitles, std::vector<std::string>{"标签属性"});
  EXPECT_EQ(captions, QStringList({"名字=门", "Position=3,-4", "x=3", "y=-4", "Size=10,6",
                                   "width=10", "height=6", "Param1=7", "Param2=-2"}));
  EXPECT_EQ(positionShown, "-9,-4");
  const TFrameTag& door = Frame(1).tags[0];
  EXPECT_EQ(ShownName(door.name), "门口");
  EXPECT_EQ(door.x, -9);
  EXPECT_EQ(door.height, 20);
  EXPECT_EQ(door.Param1, 123456);
  EXPECT_EQ(door.Param2, -5);
  EXPECT_TRUE(editor.IsModified());
  EXPECT_THAT(Rows(list),
              ElementsAre("门口 | -9,-4 | 10,20 | 123456 | -5", "hit | 0,0 | 0,0 | 0 | 0"));
  EXPECT_EQ(SelectedRow(list), 0);

  // The dialog's edits are one step; undoing it gives the tag back whole.
  EXPECT_EQ(editor.HistorySize(), steps + 1);
  EXPECT_EQ(editor.UndoName(), "修改标签");
  editor.Undo();
  EXPECT_EQ(editor.StoredActor(), before);
  EXPECT_THAT(Rows(list), ElementsAre("门 | 3,-4 | 10,6 | 7 | -2", "hit | 0,0 | 0,0 | 0 | 0"));
  EXPECT_FALSE(editor.IsModified());

  // Another opening of the dialog is a step of its own.
  editor.Redo();
  prompts.onDialog = [&](QDialog& dialog) {
    auto* grid = dialog.findChild<UPropertyGrid*>();
    ASSERT_NE(grid, nullptr);
    grid->CommitItemValue(Item(grid->topLevelItem(0), "y"), "1");
  };
  ClickRow(list, 0, true);
  EXPECT_EQ(editor.HistorySize(), steps + 2);
  EXPECT_EQ(Frame(1).tags[0].y, 1);
}

TEST_F(FrameTagListTest, PictureOfTheFourLists) {
  QWidget window;
  auto* layout = new QGridLayout(&window);
  auto* modules = new CModuleListCtrl(editor, &window);
  auto* textures = new CTextureListCtrl(editor, &window);
  auto* placements = new CFrameModulePanel(editor, &window);
  auto* tags = new CFrameTagListCtrl(editor, &window);
  layout->addWidget(textures, 0, 0);
  layout->addWidget(modules, 0, 1);
  layout->addWidget(placements, 1, 0);
  layout->addWidget(tags, 1, 1);
  window.resize(900, 420);
  window.show();

  prompts.pathLists.push_back(std::vector<std::string>{WriteTexture("hero.png", 64, 32),
                                                       WriteTexture("sword.png", 16, 16)});
  textures->AddTextures();
  editor.SelectTexture(0);
  editor.CreateModule(Module(0, 0, 0, 32, 32));
  editor.CreateModule(Module(0, 32, 0, 64, 16));
  editor.CreateModule(Module(1, 8, 0, 24, 16));
  MakeTags();
  for (int module : {0, 2, 1}) {
    editor.SelectModule(module);
    editor.PlaceModule();
  }
  editor.SelectPlacement(1);
  editor.SelectTag(0);
  QTest::qWait(20);

  const QString path = QString(QUILLET_SCREENSHOT_DIR) + "/lists1.png";
  ASSERT_TRUE(window.grab().save(path));
  EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
  EXPECT_EQ(SelectedRow(*modules), 1);
  EXPECT_EQ(SelectedRow(*placements->List()), 1);
  EXPECT_EQ(SelectedRow(*tags), 0);
}

}  // namespace
