// The main window as a user meets it: menus, toolbars, panes, status bar, the frame's commands
// and the keyboard.
#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include "core/foundation/text_codec.h"
#include "editor/app/customize_dialog.h"
#include "editor/res/command_ids.h"
#include "editor_support/property_grid/property_grid.h"
#include "editor_support/property_grid/standard_items.h"
#include "tests/editor/support/window_picture.h"

namespace {

// "text|id" for each entry of a menu ("-" for a separator, ">title" for a submenu, visible
// entries only).
QStringList MenuEntries(const QMenu* menu) {
  QStringList entries;
  for (const QAction* action : menu->actions()) {
    if (!action->isVisible()) {
      continue;
    }
    if (action->isSeparator()) {
      entries << "-";
    } else if (action->menu() != nullptr) {
      entries << ">" + action->text();
    } else {
      entries << action->text() + "|" + action->data().toString();
    }
  }
  return entries;
}

QMenu* TopMenu(CMainFrame& frame, const QString& title) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() == title) {
      return action->menu();
    }
  }
  return nullptr;
}

QMenu* SubMenu(QMenu* menu, const QString& title) {
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr && action->text() == title) {
      return action->menu();
    }
  }
  return nullptr;
}

QString ToolTipOf(QToolBar* bar, int id) {
  for (QAction* action : bar->actions()) {
    if (action->data().toInt() == id) {
      return action->toolTip();
    }
  }
  return {};
}

TEST_F(AppTest, MenusToolbarsPanesAndStatusBarAreThoseOfTheProgram) {
  StartApp();
  CMainFrame& frame = Frame();
  EXPECT_EQ(frame.windowTitle(), "Untitled[*] - Quillen");
  EXPECT_EQ(Editor().Actor()->name.GetString(), std::string("TestActor"));

  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) {
    titles << action->text();
  }
  EXPECT_EQ(titles, (QStringList{"&文件", "&编辑", "设置", "&查看", "&帮助"}));

  QMenu* file = TopMenu(frame, "&文件");
  EXPECT_EQ(MenuEntries(file),
            (QStringList{"&新建|57600", "&打开...|57601", "&保存|57603", "另存为...|57604", "-",
                         ">导出", ">导入", "-", "退出|57665"}));
  EXPECT_EQ(MenuEntries(SubMenu(file, "导出")),
            (QStringList{"导出到Symbian|32793", "导出到JAVA|32789", "导出到Xml|32805",
                         "导出RWS|32807", "导出精灵表…|32850"}));
  EXPECT_EQ(MenuEntries(SubMenu(file, "导入")), (QStringList{"导入ANM|32799", "导入Rws|32809"}));
  EXPECT_EQ(frame.Action(cmd::kFileNew)->shortcut(), QKeySequence("Ctrl+N"));

  QMenu* edit = TopMenu(frame, "&编辑");
  EXPECT_EQ(MenuEntries(edit),
            (QStringList{"&Undo\tCtrl+Z|57643", "&Redo\tCtrl+Y|57644", "-", "Cu&t|57635",
                         "&Copy|57634", "&Paste|57637", "-", "框选|32777", "全选\tCtrl+A|57642"}));
  for (const int id : {cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste, cmd::kEditUndo,
                       cmd::kEditRedo, cmd::kFilePrint}) {
    EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
  }
  EXPECT_EQ(frame.Action(cmd::kEditCut)->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}));
  EXPECT_EQ(frame.Action(cmd::kEditUndo)->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));

  EXPECT_EQ(MenuEntries(TopMenu(frame, "设置")),
            (QStringList{"设置名字|32791", "背景色|32795", "设置FPS|32803", ">语言 / Language"}));
  QMenu* view = TopMenu(frame, "&查看");
  EXPECT_EQ(MenuEntries(view), (QStringList{">&工具栏",
                                            "&Status Bar|59393",
                                            "-",
                                            "放大|32774",
                                            "缩小|32775",
                                            "适合窗口|35002",
                                            "实际大小|35003",
                                            "-",
                                            "洋葱皮\tO|32840",
                                            ">洋葱皮帧数",
                                            "-",
                                            "播放动画\tEnter|32797",
                                            "停止播放\tEnter|32773",
                                            "循环播放|32812",
                                            "-",
                                            "裁剪块 MODULE|32779",
                                            "裁减块列表 ModuleList|32780",
                                            "帧 FRAME|32783",
                                            "动作 ACTION|32781",
                                            "动作帧 ACTION_FRAME|32782",
                                            "属性 PROPERTY|4005",
                                            "帧中模块 FrameModule|4006",
                                            "贴图列表|4007",
                                            "动作帧编辑器|4008",
                                            "帧中标签列表|4009",
                                            "历史|4010",
                                            "-",
                                            "重置窗口布局|35004"}));
  EXPECT_EQ(frame.Action(cmd::kZoomIn)->shortcut(), QKeySequence("Ctrl+="));
  EXPECT_EQ(frame.Action(cmd::kZoomOut)->shortcut(), QKeySequence("Ctrl+-"));
  EXPECT_EQ(MenuEntries(SubMenu(view, "&工具栏")),
            (QStringList{"Standard|59392", "AnimTool|59392", "EDITCTRL|59392", "PANELCTRL|59392",
                         "FMCTRL|59392", "-", "&Customize...|35001"}));
  EXPECT_EQ(MenuEntries(TopMenu(frame, "&帮助")), QStringList{"&关于|57664"});

  // Toolbars in order, their buttons, and tooltips.
  QStringList bars;
  for (QToolBar* bar : frame.ToolBars()) {
    QStringList ids;
    for (QAction* action : bar->actions()) {
      if (action->isVisible()) {
        ids << (action->isSeparator() ? "0" : action->data().toString());
      }
    }
    bars << bar->windowTitle() + ":" + ids.join(',');
  }
  EXPECT_EQ(bars,
            (QStringList{"Standard:57600,57601,57603,0,57635,57634,57637,0,0,57664",
                         "AnimTool:32797,32773,32812",
                         "EDITCTRL:32774,32775,32777,32784,0,32794,32796,0,32811,32840",
                         "PANELCTRL:32779,32780,32781,32782,32783", "FMCTRL:32786,32787,32788"}));
  EXPECT_EQ(ToolTipOf(frame.ToolBar("AnimTool"), cmd::kPlay), "播放动画");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("AnimTool"), cmd::kStop), "停止播放");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("EDITCTRL"), cmd::kGrid), "打开网格");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("Standard"), cmd::kFileNew), "新建");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("Standard"), cmd::kAppAbout), "关于");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("PANELCTRL"), cmd::kShowFramePane), "帧 FRAME");
  EXPECT_EQ(ToolTipOf(frame.ToolBar("FMCTRL"), cmd::kRotate), "旋转");
  for (QToolBar* bar : frame.ToolBars()) {
    for (QAction* action : bar->actions()) {
      if (!action->isSeparator() && action->isVisible()) {
        EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
      }
    }
  }

  // Panes: captions, hosted windows, sides and tab groups.
  const std::vector<std::pair<int, QString>> captions = {{4000, "裁剪块 MODULE"},
                                                         {4001, "裁减块列表 ModuleList"},
                                                         {4002, "帧 FRAME"},
                                                         {4003, "动作 ACTION"},
                                                         {4004, "动作帧 ACTION_FRAME"},
                                                         {4005, "属性 PROPERTY"},
                                                         {4006, "帧中模块 FrameModule"},
                                                         {4007, "贴图列表"},
                                                         {4008, "动作帧编辑器"},
                                                         {4009, "帧中标签列表"},
                                                         {4010, "历史"}};
  for (const auto& [id, caption] : captions) {
    QDockWidget* pane = frame.Pane(id);
    ASSERT_NE(pane, nullptr) << id;
    EXPECT_EQ(pane->objectName(), QString::number(id));
    EXPECT_EQ(pane->windowTitle(), caption);
  }
  EXPECT_EQ(frame.Pane(4000)->widget()->windowTitle(), "ME");
  EXPECT_EQ(frame.Pane(4002)->widget()->windowTitle(), "FL");
  EXPECT_EQ(frame.Pane(4004)->widget()->windowTitle(), "AFL");
  EXPECT_EQ(frame.Pane(4005)->widget(), frame.PropertyGrid());
  const auto tabbed_with = [&frame](int id) {
    QList<int> ids{id};
    for (QDockWidget* other : frame.tabifiedDockWidgets(frame.Pane(id))) {
      ids << other->objectName().toInt();
    }
    std::sort(ids.begin(), ids.end());
    return ids;
  };
  EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4007)), Qt::LeftDockWidgetArea);
  EXPECT_EQ(tabbed_with(4007), (QList<int>{4000, 4001, 4007}));
  EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4003)), Qt::RightDockWidgetArea);
  EXPECT_EQ(tabbed_with(4003), (QList<int>{4002, 4003, 4004}));
  EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4005)), Qt::RightDockWidgetArea);
  EXPECT_EQ(tabbed_with(4005), (QList<int>{4005, 4006, 4009}));
  EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4008)), Qt::TopDockWidgetArea);
  EXPECT_EQ(tabbed_with(4008), QList<int>{4008});
  EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4010)), Qt::RightDockWidgetArea);
  EXPECT_EQ(tabbed_with(4010), QList<int>{4010});
  EXPECT_TRUE(frame.Pane(4010)->isHidden());

  EXPECT_EQ(frame.StatusPane(0)->text(), "Ready");
  EXPECT_EQ(frame.statusBar()->findChildren<QLabel*>().size(), 4);
}

TEST_F(AppTest, ExportAndImportSayNotSupportedAndChangeNothing) {
  StartApp();
  const int frames_before = Editor().Actor()->frames.Num();
  for (const int id : {cmd::kExportSymbian, cmd::kExportJava, cmd::kExportXml, cmd::kExportRws,
                       cmd::kImportAnm, cmd::kImportRws}) {
    prompts.messages.clear();
    Trigger(id);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"此版本不支持"}) << id;
  }
  EXPECT_TRUE(prompts.fileRequests.empty());
  EXPECT_FALSE(Editor().IsModified());
  EXPECT_EQ(Editor().Actor()->frames.Num(), frames_before);
  EXPECT_EQ(Editor().Actor()->name.GetString(), std::string("TestActor"));
  EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Quillen");
}

TEST_F(AppTest, SetFpsShowsTheRateAndRefusesWhatIsNotAPositiveNumber) {
  StartApp();
  EXPECT_EQ(Editor().FrameRate(), 30.0f);  // no anmcfg.ini here
  prompts.typedTexts = {std::string("15")};
  Trigger(cmd::kSetFps);
  EXPECT_EQ(prompts.inputInitialTexts.back(), "30");
  EXPECT_EQ(Editor().FrameRate(), 15.0f);

  // Not a number, then 0, then -3: each refused with a message; the user gives up.
  prompts.typedTexts = {std::string("fast"), std::string("0"), std::string("-3")};
  Trigger(cmd::kSetFps);
  EXPECT_EQ(prompts.inputInitialTexts.back(), "15");
  EXPECT_EQ(prompts.messages.size(), 3u);
  EXPECT_EQ(Editor().FrameRate(), 15.0f);

  // Cancel changes nothing.
  prompts.typedTexts = {std::nullopt};
  Trigger(cmd::kSetFps);
  EXPECT_EQ(Editor().FrameRate(), 15.0f);
}

TEST_F(AppTest, TheConfigurationOfTheCurrentDirectorySetsRateAndInterpolation) {
  WriteFileBytes(
      dir.File("anmcfg.ini"),
      std::vector<unsigned char>({'[', 's', 'e', 't', 't',  'i', 'n', 'g', ']', '\n', 'F', 'P',
                                  'S', '=', '2', '5', '\n', 'I', 'n', 'p', 'o', 'l',  'a', 't',
                                  'i', 'o', 'n', 'E', 'n',  'a', 'b', 'l', 'e', '=',  '0', '\n'}));
  StartApp();
  EXPECT_EQ(Editor().FrameRate(), 25.0f);
  EXPECT_EQ(Editor().InterpolationDefault(), 0);
}

TEST_F(AppTest, ARateThatWouldStopPlaybackForGoodCountsAsMissing) {
  const std::string text = "[SETTING]\nfps=0\n";
  WriteFileBytes(dir.File("anmcfg.ini"), std::vector<unsigned char>(text.begin(), text.end()));
  StartApp();
  EXPECT_EQ(Editor().FrameRate(), 30.0f);
  EXPECT_EQ(Editor().InterpolationDefault(), 1);
}

TEST_F(AppTest, ToolCommandsReachTheEditorAndShowTheirState) {
  StartApp();
  CVelloEditor& editor = Editor();
  CMainFrame& frame = Frame();

  const bool grid = editor.ShowGrid();
  Trigger(cmd::kGrid);
  EXPECT_NE(editor.ShowGrid(), grid);

  EXPECT_FALSE(frame.Action(cmd::kAlign)->isChecked());
  Trigger(cmd::kAlign);
  EXPECT_TRUE(editor.SnapToGrid());
  EXPECT_TRUE(frame.Action(cmd::kAlign)->isChecked());
  Trigger(cmd::kTagMode);
  EXPECT_TRUE(editor.TagMode());
  EXPECT_TRUE(frame.Action(cmd::kTagMode)->isChecked());
  Trigger(cmd::kLoop);
  EXPECT_TRUE(editor.LoopPlayback());
  EXPECT_TRUE(frame.Action(cmd::kLoop)->isChecked());
  Trigger(cmd::kLoop);
  EXPECT_FALSE(frame.Action(cmd::kLoop)->isChecked());

  const bool centre = editor.ShowCentre();
  Trigger(cmd::kCentre);
  EXPECT_NE(editor.ShowCentre(), centre);

  const int frame_index = editor.CreateFrame("f");
  editor.SelectAction(editor.CreateAction("a"));
  editor.InsertActionKey(editor.SelectedAction(), 0, static_cast<uint32_t>(frame_index));
  Trigger(cmd::kPlay);
  EXPECT_EQ(editor.Mode(), EditMode::Action);
  EXPECT_TRUE(editor.IsPlaying());
  Trigger(cmd::kStop);
  EXPECT_FALSE(editor.IsPlaying());

  const int zoom = editor.ViewCanvas().GetZoom();
  Trigger(cmd::kZoomIn);
  EXPECT_GT(editor.ViewCanvas().GetZoom(), zoom);
  Trigger(cmd::kZoomOut);
  EXPECT_EQ(editor.ViewCanvas().GetZoom(), zoom);

  Trigger(cmd::kAppAbout);
  EXPECT_EQ(prompts.aboutShown, 1);

  // A closed pane comes back from the View menu; the first four toggles show it checked.
  frame.Pane(4002)->close();
  EXPECT_FALSE(frame.Action(cmd::kShowFramePane)->isChecked());
  Trigger(cmd::kShowFramePane);
  EXPECT_FALSE(frame.Pane(4002)->isHidden());
  EXPECT_TRUE(frame.Action(cmd::kShowFramePane)->isChecked());
  frame.Pane(4009)->close();
  Trigger(4009);
  EXPECT_FALSE(frame.Pane(4009)->isHidden());

  Trigger(cmd::kViewStatusBar);
  EXPECT_TRUE(frame.statusBar()->isHidden());
  EXPECT_FALSE(frame.Action(cmd::kViewStatusBar)->isChecked());
  Trigger(cmd::kViewStatusBar);
  EXPECT_FALSE(frame.statusBar()->isHidden());

  // Customisation lists the toolbars; unchecking one and confirming hides it.
  prompts.dialogResult = QDialog::Accepted;
  prompts.onDialog = [](QDialog& dialog) {
    auto& customize = dynamic_cast<CCustomizeDialog&>(dialog);
    QListWidget* list = customize.ToolBarList();
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(4)->text(), "FMCTRL");
    list->item(4)->setCheckState(Qt::Unchecked);
  };
  Trigger(cmd::kCustomize);
  EXPECT_EQ(prompts.dialogTitles.size(), 1u);
  EXPECT_TRUE(frame.ToolBar("FMCTRL")->isHidden());
}

TEST_F(AppTest, RenameTakesOnlyANameThatFits) {
  StartApp();
  prompts.typedTexts = {std::string(32, 'a'), std::string("英雄")};
  Trigger(cmd::kSetName);
  EXPECT_EQ(prompts.inputInitialTexts.back(), "TestActor");
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(GbkToUtf8(Editor().Actor()->name.GetString()), "英雄");
}

TEST_F(AppTest, AcceleratorsWorkButNotWhileAPropertyIsBeingEdited) {
  StartApp();
  CMainFrame& frame = Frame();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

  // Ctrl+N in the view asks for the new actor's name.
  frame.View().setFocus();
  prompts.typedTexts = {std::nullopt};
  QTest::keyClick(&frame.View(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(prompts.inputInitialTexts.size(), 1u);

  // Editing a property: Ctrl+N goes to the in-place editor instead.
  UPropertyGrid* grid = frame.PropertyGrid();
  frame.Pane(4005)->raise();
  UPropertyGridItem* category = grid->AddCategory("常规");
  int32_t value = 7;
  auto* item = new UPropertyGridItemNumber("数值", value, &value);
  category->AddChildItem(item);
  grid->ExpandAll();
  QTest::qWait(20);
  grid->setFocus();
  grid->setCurrentItem(item);
  grid->editItem(item, UPropertyGrid::kValueColumn);
  QTest::qWait(20);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(prompts.inputInitialTexts.size(), 1u);
  EXPECT_TRUE(prompts.fileRequests.empty());

  // F6 is left to the timeline: no command is bound to it.
  for (QAction* action : frame.findChildren<QAction*>()) {
    EXPECT_FALSE(action->shortcuts().contains(QKeySequence(Qt::Key_F6))) << action->data().toInt();
  }
}

// The first start shows every tab caption and property name whole; the layout is kept for the
// next run, and "重置窗口布局" goes back to the default one.
TEST_F(AppTest, TheWindowFitsTheScreenKeepsItsLayoutAndGoesBackToTheDefault) {
  StartApp();
  Editor().SelectFrame(Editor().CreateFrame("f"));
  QTest::qWait(50);
  EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/first_start_window.png"));
  EXPECT_EQ(Frame().size(), QSize(1280, 921));
  for (const QTabBar* bar : Frame().findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
    for (int i = 0; bar->isVisible() && i < bar->count(); ++i) {
      EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
    }
  }
  const UPropertyGrid& grid = *Frame().PropertyGrid();
  for (QTreeWidgetItemIterator it(Frame().PropertyGrid()); *it != nullptr; ++it) {
    const int text = grid.fontMetrics().horizontalAdvance((*it)->text(0));
    EXPECT_GE(grid.header()->sectionSize(0), (*it)->parent() ? 2 * grid.indentation() + text : 0);
  }

  Frame().addToolBar(Qt::LeftToolBarArea, Frame().ToolBar("AnimTool"));
  Frame().addDockWidget(Qt::BottomDockWidgetArea, Frame().Pane(4008));
  Trigger(4010);
  Trigger(cmd::kLoop);
  Frame().resize(1100, 820);
  prompts.answers.push_back(UMessageAnswer::No);
  EXPECT_TRUE(Frame().close());
  app.reset();
  StartApp();
  EXPECT_EQ(Frame().size(), QSize(1100, 820));
  EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar("AnimTool")), Qt::LeftToolBarArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().Pane(4008)), Qt::BottomDockWidgetArea);
  EXPECT_FALSE(Frame().Pane(4010)->isHidden());
  EXPECT_TRUE(Frame().Action(cmd::kLoop)->isChecked());

  Frame().Pane(4003)->setFloating(true);
  Trigger(cmd::kResetLayout);
  EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar("AnimTool")), Qt::TopToolBarArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().Pane(4008)), Qt::TopDockWidgetArea);
  EXPECT_EQ(Frame().tabifiedDockWidgets(Frame().Pane(4003)).size(), 2);
  EXPECT_TRUE(Frame().Pane(4010)->isHidden());
}

}  // namespace
