// The module list and the texture list driven as a user does, on a real editor context.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>
#include <QToolTip>
#include <filesystem>
#include <fstream>
#include <functional>

#include "editor/app/dock_panes.h"
#include "editor/app/qt_prompt_service.h"
#include "editor/panels/frame_module_panel.h"
#include "editor/panels/frame_tag_list.h"
#include "editor/panels/history_panel.h"
#include "editor/panels/module_list.h"
#include "editor/panels/panel_factory.h"
#include "editor/panels/texture_list.h"
#include "tests/editor/panels/lists1/lists_fixture.h"
#include "tests/support/qt_events.h"

namespace {

using ::testing::ElementsAre;

QAction* MenuItem(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

TEST_F(ListsTest, ModuleRowsShowEveryEdgeAndPickingOneEditsThatModule) {
  CModuleListCtrl list(editor, nullptr);
  list.resize(460, 200);
  list.show();
  EXPECT_EQ(Captions(list), QStringList({"模块 (80)", "区域 (350)"}));
  EXPECT_TRUE(Rows(list).empty());

  editor.CreateModule(Module(0, 8, 0, 24, 16));
  editor.CreateModule(Module(0, 0, 16, 32, 40));
  EXPECT_THAT(Rows(list),
              ElementsAre("Module 0 | left 8.000, top 0.000, right 24.000, bottom 16.000",
                          "Module 1 | left 0.000, top 16.000, right 32.000, bottom 40.000"));
  EXPECT_EQ(list.visualItemRect(list.topLevelItem(1)).height(), 32);

  // A text cut short by a narrowed column shows whole in a tip; a text that fits shows none.
  list.setColumnWidth(1, 60);
  auto tipAt = [&list](int column) {
    const QPoint at = list.visualRect(list.model()->index(0, column)).center();
    QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt(0), "");
  EXPECT_EQ(tipAt(1), "left 8.000, top 0.000, right 24.000, bottom 16.000");

  // Picking a row selects that module and edits it: the module page shows.
  editor.SelectAction(-1);
  ASSERT_EQ(editor.Mode(), EditMode::Action);
  ClickRow(list, 1);
  EXPECT_EQ(editor.SelectedModule(), 1);
  EXPECT_EQ(editor.Mode(), EditMode::Module);

  // A module picked elsewhere (the cutting view) is the list's selected row too.
  editor.SelectModule(0);
  EXPECT_EQ(SelectedRow(list), 0);

  // Deleting the selected module rebuilds the rows; nothing stays selected.
  editor.DeleteModule(0);
  EXPECT_THAT(Rows(list),
              ElementsAre("Module 0 | left 0.000, top 16.000, right 32.000, bottom 40.000"));
  EXPECT_EQ(editor.SelectedModule(), -1);
  EXPECT_EQ(SelectedRow(list), -1);

  // A new actor empties the list.
  editor.NewActor("Other");
  EXPECT_TRUE(Rows(list).empty());
}

TEST_F(ListsTest, AddingTexturesTakesEveryChosenFileAndNamesEachThatFailedInOneMessage) {
  CTextureListCtrl list(editor, nullptr);
  list.resize(320, 200);
  list.show();
  EXPECT_EQ(Captions(list), QStringList({"使用贴图 (150)", "宽高 (100)", "色深 (50)"}));

  const std::string wide = WriteTexture("wide.png", 16, 8);
  const std::string square = WriteTexture("square.png", 32, 32);
  const std::string broken = dir.File("broken.png");
  std::ofstream(broken) << "not a picture";
  const std::string missing = dir.File("missing.bmp");
  prompts.pathLists.push_back(std::vector<std::string>{wide, broken, square, missing});

  QMenu* menu = list.ContextMenu();
  QAction* add = MenuItem(menu, "添加贴图");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add->data().toInt(), 1040);
  EXPECT_FALSE(MenuItem(menu, "置换贴图")->isEnabled());
  EXPECT_FALSE(MenuItem(menu, "删除贴图")->isEnabled());
  add->trigger();

  ASSERT_EQ(prompts.fileRequests.size(), 1u);
  EXPECT_EQ(prompts.fileRequests[0].filter, "Portable Image (*.png)|*.png|Bitmap (*.bmp)|*.bmp||");
  EXPECT_EQ(prompts.fileRequests[0].initialName, "*.*");
  EXPECT_THAT(Rows(list), ElementsAre("wide.png | 16 8 | 32", "square.png | 32 32 | 32"));
  EXPECT_EQ(editor.Actor()->textures.Num(), 2);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find(broken), std::string::npos);
  EXPECT_NE(prompts.messages[0].find(missing), std::string::npos);
  EXPECT_EQ(prompts.messages[0].find(wide), std::string::npos);

  // Cancelling the dialog adds nothing and says nothing.
  add->trigger();
  EXPECT_EQ(editor.Actor()->textures.Num(), 2);
  EXPECT_EQ(prompts.messages.size(), 1u);

  // Picking a row selects that texture for the cutting view.
  ClickRow(list, 1);
  EXPECT_EQ(editor.SelectedTexture(), 1);
}

TEST_F(ListsTest, ReplacingAndDeletingWorkOnTheSelectedTexture) {
  CTextureListCtrl list(editor, nullptr);
  list.resize(320, 200);
  list.show();
  prompts.pathLists.push_back(
      std::vector<std::string>{WriteTexture("body.png", 16, 8), WriteTexture("arms.png", 8, 8)});
  list.ContextMenu();
  list.AddTextures();
  editor.CreateModule(Module(0, 0, 0, 16, 8));
  editor.CreateModule(Module(1, 0, 0, 8, 8));
  editor.CreateModule(Module(0, 0, 0, 8, 8));
  ClickRow(list, 0);
  ASSERT_EQ(editor.SelectedTexture(), 0);

  // Replacing: the selected row takes the new file's name and size; modules keep their texture.
  prompts.paths.push_back(WriteTexture("body2.png", 24, 12));
  QMenu* menu = list.ContextMenu();
  ASSERT_TRUE(MenuItem(menu, "置换贴图")->isEnabled());
  EXPECT_EQ(MenuItem(menu, "置换贴图")->data().toInt(), 1041);
  MenuItem(menu, "置换贴图")->trigger();
  EXPECT_THAT(Rows(list), ElementsAre("body2.png | 24 12 | 32", "arms.png | 8 8 | 32"));
  EXPECT_EQ(editor.Actor()->modules.Num(), 3);
  EXPECT_EQ(SelectedRow(list), 0);

  // A file that cannot be read leaves the texture as it was, with a message.
  prompts.paths.push_back(dir.File("nothing.png"));
  MenuItem(list.ContextMenu(), "置换贴图")->trigger();
  EXPECT_THAT(Rows(list), ElementsAre("body2.png | 24 12 | 32", "arms.png | 8 8 | 32"));
  EXPECT_EQ(prompts.messages.size(), 1u);

  // Deleting texture 0 takes the modules cut from it; the other texture becomes texture 0 and
  // is selected.
  EXPECT_EQ(MenuItem(list.ContextMenu(), "删除贴图")->data().toInt(), 1042);
  MenuItem(list.ContextMenu(), "删除贴图")->trigger();
  EXPECT_THAT(Rows(list), ElementsAre("arms.png | 8 8 | 32"));
  ASSERT_EQ(editor.Actor()->modules.Num(), 1);
  EXPECT_EQ(editor.Actor()->modules[0]->texture, 0);
  EXPECT_EQ(editor.SelectedTexture(), 0);
  EXPECT_EQ(SelectedRow(list), 0);
}

TEST_F(ListsTest, TheProgramsOpenDialogReturnsEveryFileChosen) {
  const std::string first = WriteTexture("a.png", 2, 2);
  const std::string second = WriteTexture("b.png", 2, 2);
  CQtPromptService service;
  CFileDialogRequest request;
  request.filter = "Portable Image (*.png)|*.png|Bitmap (*.bmp)|*.bmp||";
  WhenModalShows([this](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Portable Image (*.png)", "Bitmap (*.bmp)"}));
    dialog->setDirectory(QString::fromStdString(dir.path().string()));
    dialog->selectFile("\"a.png\" \"b.png\"");
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::optional<std::vector<std::string>> paths = service.AskOpenPaths(request);
  ASSERT_TRUE(paths.has_value());
  EXPECT_THAT(*paths, ElementsAre(first, second));

  WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(service.AskOpenPaths(request), std::nullopt);
}

TEST_F(ListsTest, ThePanesMakeTheirLists) {
  QWidget frame;
  const std::vector<std::pair<int, const char*>> panes = {{4001, "CModuleListCtrl"},
                                                          {4006, "CFrameModulePanel"},
                                                          {4007, "CTextureListCtrl"},
                                                          {4009, "CFrameTagListCtrl"},
                                                          {4010, "CHistoryPanel"}};
  for (const auto& [id, expected] : panes) {
    const CPaneInfo* pane = nullptr;
    for (const CPaneInfo& info : PaneTable()) {
      pane = info.id == id ? &info : pane;
    }
    ASSERT_NE(pane, nullptr) << id;
    QWidget* panel = MakePanel(*pane, editor, &frame);
    const bool made = (id == 4001 && dynamic_cast<CModuleListCtrl*>(panel) != nullptr) ||
                      (id == 4006 && dynamic_cast<CFrameModulePanel*>(panel) != nullptr) ||
                      (id == 4007 && dynamic_cast<CTextureListCtrl*>(panel) != nullptr) ||
                      (id == 4009 && dynamic_cast<CFrameTagListCtrl*>(panel) != nullptr) ||
                      (id == 4010 && dynamic_cast<CHistoryPanel*>(panel) != nullptr);
    EXPECT_TRUE(made) << expected;
  }
}

}  // namespace
