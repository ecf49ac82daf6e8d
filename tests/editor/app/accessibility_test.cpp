// What assistive tools read from the main window: a name for everything that takes the focus or
// a click, the timeline's keys, the cutting view's modules and the animation view's frame.
#include "tests/editor/support/app_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QTreeWidgetItemIterator>
#include <filesystem>

#include "core/anim/obj_module.h"
#include "editor/app/input_dialog.h"
#include "editor/panels/module_cut_view.h"
#include "editor/res/pane_table.h"
#include "editor_support/property_grid/property_grid.h"

namespace {

// "class objectName (role)" of every shown widget or action under `iface` that a user can focus
// or click and that has no accessible name.
void CollectNameless(QAccessibleInterface* iface, QStringList* nameless, int depth = 0) {
  if (iface == nullptr || depth > 40 || iface->state().invisible) {
    return;
  }
  QObject* object = iface->object();
  const auto* widget = qobject_cast<QWidget*>(object);
  const auto* action = qobject_cast<QAction*>(object);
  const bool operable = (widget != nullptr && widget->isVisible() &&
                         (widget->focusPolicy() != Qt::NoFocus ||
                          qobject_cast<const QAbstractButton*>(widget) != nullptr)) ||
                        (action != nullptr && !action->isSeparator() && action->isVisible());
  if (operable && iface->text(QAccessible::Name).trimmed().isEmpty()) {
    const QWidget* parent = widget != nullptr ? widget->parentWidget() : nullptr;
    *nameless << QStringLiteral("%1 '%2' in %3 '%4' role %5")
                     .arg(object->metaObject()->className(), object->objectName(),
                          parent ? parent->metaObject()->className() : "-",
                          parent ? parent->objectName() : "-")
                     .arg(iface->role());
  }
  for (int i = 0; i < iface->childCount(); ++i) {
    CollectNameless(iface->child(i), nameless, depth + 1);
  }
}

class AccessibilityTest : public AppTest {
 protected:
  void StartOnExample() {
    for (const char* file : {"hero.an1", "hero.png"}) {
      std::filesystem::copy_file(std::string(QUILLET_EXAMPLES_DIR "/") + file, dir.File(file));
    }
    StartApp(dir.File("hero.an1"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return app->Doc().Path() == dir.File("hero.an1"); }));
  }
};

QAccessibleInterface* Interface(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

TEST_F(AccessibilityTest, EveryOperableWidgetHasAName) {
  StartOnExample();
  QStringList nameless;
  // Each pane in front of its tab group in turn, the history (closed at start) too.
  for (QDockWidget* pane : Frame().findChildren<QDockWidget*>()) {
    pane->show();
    pane->raise();
    CollectNameless(Interface(&Frame()), &nameless);
  }
  nameless.removeDuplicates();
  CInputDlg input("hero", {}, &Frame());
  input.show();
  CollectNameless(Interface(&input), &nameless);
  EXPECT_TRUE(nameless.isEmpty()) << nameless.join("\n").toStdString();
  EXPECT_EQ(Interface(input.Edit())->text(QAccessible::Name), "输入内容");

  input.hide();

  // The property grid's in-place editors are named by their rows.
  UPropertyGrid* grid = Frame().PropertyGrid();
  Frame().Pane(pane::kProperties)->raise();
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  int edited = 0;
  for (QTreeWidgetItemIterator row(grid, QTreeWidgetItemIterator::Editable); *row; ++row) {
    grid->setFocus();
    grid->setCurrentItem(*row);
    grid->editItem(*row, UPropertyGrid::kValueColumn);
    QWidget* editor = qApp->focusWidget();
    if (editor != grid && editor != nullptr && grid->isAncestorOf(editor)) {
      EXPECT_EQ(Interface(editor)->text(QAccessible::Name), (*row)->text(0));
      ++edited;
    }
  }
  EXPECT_GT(edited, 0);
}

// The timeline lists the keys of the selected action, the cutting view the modules of the shown
// texture, and the animation view says what it shows; each follows the editor's selection.
TEST_F(AccessibilityTest, DrawnViewsShowTheirItems) {
  StartOnExample();
  const UObjActor& actor = *Editor().Actor();
  Editor().SelectAction(1);  // "walk": keys at 0, 4, 8, 12 and 16
  Editor().SelectActionFrame(1);
  QAccessibleInterface* timeline = Interface(Frame().findChild<QWidget*>("timelineTrack"));
  EXPECT_EQ(timeline->role(), QAccessible::List);
  EXPECT_EQ(timeline->text(QAccessible::Name), "时间轴");
  ASSERT_EQ(timeline->childCount(), 5);
  QAccessibleInterface* key = timeline->child(3);
  EXPECT_EQ(key->text(QAccessible::Name), "时间 12：walk_3");
  EXPECT_EQ(key->parent(), timeline);
  EXPECT_EQ(timeline->indexOfChild(key), 3);
  EXPECT_TRUE(timeline->child(1)->state().selected);
  EXPECT_FALSE(key->state().selected);
  EXPECT_TRUE(key->state().selectable);
  EXPECT_EQ(timeline->childAt(key->rect().center().x(), key->rect().center().y()), key);
  key->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(Editor().SelectedActionFrame(), 3);
  EXPECT_TRUE(key->state().selected);
  EXPECT_FALSE(timeline->child(1)->state().selected);
  QAccessibleInterface* ruler = Interface(Frame().findChild<QWidget*>("timelineRuler"));
  EXPECT_EQ(ruler->text(QAccessible::Name), "时间标尺");
  EXPECT_EQ(ruler->valueInterface()->currentValue().toUInt(), 12u);

  // The view shows the key's frame; then two of its placements are selected.
  QAccessibleInterface* view = Interface(&Frame().View());
  EXPECT_EQ(view->text(QAccessible::Name), "动画视图");
  EXPECT_EQ(view->text(QAccessible::Value), "动作 walk，时间 12：帧 walk_3");
  Editor().SetPlacementSelection({0, 1});
  EXPECT_EQ(view->text(QAccessible::Description),
            "动作 walk，时间 12：帧 walk_3；已选择 2 个帧模块");

  // The cutting view's modules, where the view draws them.
  auto* cutView = Frame().findChild<CModuleCutView*>("moduleCutView");
  Frame().Pane(pane::kModuleCut)->raise();
  QAccessibleInterface* cut = Interface(cutView);
  EXPECT_EQ(cut->text(QAccessible::Name), "裁剪视图");
  EXPECT_EQ(cut->text(QAccessible::Description), "hero.png");
  ASSERT_EQ(cut->childCount(), actor.modules.Num());
  const UObjModule& module = *actor.modules[2];
  QAccessibleInterface* item = cut->child(2);
  EXPECT_EQ(item->text(QAccessible::Name), QString("模块 2: %1,%2 %3×%4")
                                               .arg(module.left)
                                               .arg(module.top)
                                               .arg(module.right - module.left)
                                               .arg(module.bottom - module.top));
  const QPoint inside = cutView->mapToGlobal(
      QPoint((module.left + module.right) * cutView->Zoom() / 2 + cutView->Scroll().x,
             (module.top + module.bottom) * cutView->Zoom() / 2 + cutView->Scroll().y));
  EXPECT_TRUE(item->rect().contains(inside)) << item->rect().x() << "," << item->rect().y();
  item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(Editor().SelectedModule(), 2);
  EXPECT_TRUE(item->state().selected);
}

}  // namespace
