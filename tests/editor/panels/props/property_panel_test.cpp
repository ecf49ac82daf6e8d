#include <gtest/gtest.h>

#include <ostream>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "editor/panels/anim_property_grid.h"
#include "tests/editor/doc/editor_fixture.h"
#include "tests/support/qt_events.h"

// Shows a failed comparison of rows as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QStringList& rows, std::ostream* out) {
  *out << rows.join(QStringLiteral(" | ")).toStdString();
}
QT_END_NAMESPACE

namespace {

// The property pane of an editor context bound to a headless view, driven with mouse and
// keyboard on the offscreen screen.
class PropertyPanelTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    qtWarnings().clear();
    previousQtHandler_ = qInstallMessageHandler(&RecordQtWarning);
    grid_ = std::make_unique<CAnimPropertyGrid>(editor_);
    grid_->resize(360, 560);
    grid_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid_.get()));
    grid_->activateWindow();
    ProcessEvents();
  }

  void TearDown() override {
    grid_.reset();
    qInstallMessageHandler(previousQtHandler_);
    // Item views warn when a row is removed under its own commit, for instance.
    EXPECT_EQ(qtWarnings(), QStringList());
    EditorTest::TearDown();
  }

  static QStringList& qtWarnings() {
    static QStringList warnings;
    return warnings;
  }

  static void RecordQtWarning(QtMsgType type, const QMessageLogContext& /*context*/,
                              const QString& text) {
    // The offscreen platform has no keyboard grab for popups; that is no fault of ours.
    if (type != QtDebugMsg && type != QtInfoMsg && !text.startsWith("This plugin does not")) {
      qtWarnings().append(text);
    }
  }

  // Every row as its captions from the category down, "category/item" or
  // "category/parent/item", with the value after '='.
  QStringList Rows() const {
    QStringList rows;
    for (int i = 0; i < grid_->topLevelItemCount(); ++i) {
      AddRows(grid_->topLevelItem(i), QString(), &rows);
    }
    return rows;
  }

  static void AddRows(QTreeWidgetItem* item, const QString& path, QStringList* rows) {
    const QString here = path.isEmpty() ? item->text(0) : path + "/" + item->text(0);
    rows->append(item->childCount() == 0 && !path.isEmpty() ? here + "=" + item->text(1) : here);
    for (int i = 0; i < item->childCount(); ++i) {
      AddRows(item->child(i), here, rows);
    }
  }

  // The row at `path` ("category/item"), or null.
  UPropertyGridItem* Find(const QString& path) const {
    const QStringList parts = path.split('/');
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < grid_->topLevelItemCount() && found == nullptr; ++i) {
      if (grid_->topLevelItem(i)->text(0) == parts[0]) {
        found = grid_->topLevelItem(i);
      }
    }
    for (int part = 1; part < parts.size() && found != nullptr; ++part) {
      QTreeWidgetItem* parent = found;
      found = nullptr;
      for (int i = 0; i < parent->childCount() && found == nullptr; ++i) {
        if (parent->child(i)->text(0) == parts[part]) {
          found = parent->child(i);
        }
      }
    }
    return dynamic_cast<UPropertyGridItem*>(found);
  }

  void ClickValue(const QString& path) {
    UPropertyGridItem* item = Find(path);
    ASSERT_NE(item, nullptr) << path.toStdString();
    grid_->scrollToItem(item);
    ProcessEvents();
    const QRect cell = grid_->GetValueCellRect(item);
    ASSERT_FALSE(cell.isEmpty()) << path.toStdString();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
    ProcessEvents();
  }

  // Clicks the row's value, replaces its text with `text` and presses Enter, as a user would.
  void Type(const QString& path, const QString& text) {
    ClickValue(path);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << path.toStdString();
    editor->selectAll();
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(editor, static_cast<char>(c.unicode()));
      } else {
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
  }

  // Opens the row's drop-down list, walks its popup to `choice` with the arrow keys and takes it
  // with Enter, as a user would.
  void Pick(const QString& path, const QString& choice) {
    ClickValue(path);
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr) << path.toStdString();
    const int target = list->findText(choice);
    ASSERT_GE(target, 0) << choice.toStdString();
    QTest::keyClick(list, Qt::Key_F4);
    ProcessEvents();
    QAbstractItemView* popup = list->view();
    ASSERT_TRUE(popup->isVisible());
    popup->setCurrentIndex(popup->model()->index(qMax(list->currentIndex(), 0), 0));
    const int from = popup->currentIndex().row();
    for (int i = from; i < target; ++i) {
      QTest::keyClick(popup, Qt::Key_Down);
    }
    for (int i = from; i > target; --i) {
      QTest::keyClick(popup, Qt::Key_Up);
    }
    QTest::keyClick(popup, Qt::Key_Return);
    ProcessEvents();
  }

  QString Value(const QString& path) const {
    UPropertyGridItem* item = Find(path);
    return item == nullptr ? QStringLiteral("<none>") : item->GetValue();
  }

  // The picture drawn at the next paint of the view.
  std::vector<uint32_t> Paint() {
    editor_.Render();
    return Picture();
  }

  // The view's colour at frame-local pixel (x, y).
  uint32_t At(const std::vector<uint32_t>& picture, int x, int y) {
    const UPoint client = Client(x, y);
    return Rgb(picture, client.x, client.y);
  }

  std::unique_ptr<CAnimPropertyGrid> grid_;
  QtMessageHandler previousQtHandler_ = nullptr;
};

}  // namespace

TEST_F(PropertyPanelTest, ThePageFollowsTheEditedKindWithItsCaptions) {
  EXPECT_EQ(grid_->topLevelItemCount(), 0);  // mode 0 and no module
  MakeFrame({UPoint(2, 3)});
  editor_.CreateAction("walk");
  editor_.InsertActionKey(0, 0, 0);
  editor_.InsertActionKey(0, 4, 0);

  editor_.SelectModule(0);
  EXPECT_EQ(editor_.Mode(), EditMode::Module);
  EXPECT_EQ(Rows(), QStringList({"模块属性", "模块属性/基本属性", "模块属性/基本属性/Attribute=0",
                                 "模块属性/基本属性/Left=0", "模块属性/基本属性/top=0",
                                 "模块属性/基本属性/right=16", "模块属性/基本属性/bottom=8"}));

  editor_.SelectAction(0);
  EXPECT_EQ(editor_.Mode(), EditMode::Action);
  EXPECT_EQ(Rows(), QStringList({"动作属性", "动作属性/动作名=walk", "动作属性/帧数=2",
                                 "动作属性/速度=0"}));
  EXPECT_TRUE(Find("动作属性/帧数")->GetReadOnly());

  editor_.SelectFrame(0);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  const QStringList frame_rows = {"基本属性",          "基本属性/帧名=frame",
                                  "基本属性/帧数=1",   "原点",
                                  "原点/x=0",          "原点/y=0",
                                  "碰撞区域",          "碰撞区域/left=0",
                                  "碰撞区域/top=0",    "碰撞区域/right=0",
                                  "碰撞区域/bottom=0", "触发区域"};
  editor_.SelectPlacement(-1);
  EXPECT_EQ(Rows(), frame_rows);

  editor_.SelectPlacement(0);
  QStringList with_placement = frame_rows;
  with_placement << "当前选择Module"
                 << "当前选择Module/Idx=0"
                 << "当前选择Module/x=2"
                 << "当前选择Module/y=3"
                 << "当前选择Module/横向反转=False"
                 << "当前选择Module/纵向反转=False"
                 << "当前选择Module/Rotate=ROTATE0"
                 << "当前选择Module/ScaleXEnable=False"
                 << "当前选择Module/ScaleX=" + Value("当前选择Module/ScaleX")
                 << "当前选择Module/ScaleYEnable=False"
                 << "当前选择Module/ScaleY=" + Value("当前选择Module/ScaleY")
                 << "当前选择Module/RotateAngleEnable=False"
                 << "当前选择Module/RotateAngle=0.00"
                 << "当前选择Module/AlphaBlendEnable=False"
                 << "当前选择Module/AlphaBlendMode=" + Value("当前选择Module/AlphaBlendMode")
                 << "当前选择Module/AlphaBlendOP=" + Value("当前选择Module/AlphaBlendOP")
                 << "当前选择Module/AlphaValue=" + Value("当前选择Module/AlphaValue");
  EXPECT_EQ(Rows(), with_placement);
  EXPECT_TRUE(Find("当前选择Module/Idx")->GetReadOnly());
  EXPECT_TRUE(Find("基本属性/帧数")->GetReadOnly());
  EXPECT_TRUE(grid_->isExpanded(grid_->model()->index(4, 0)));

  // A stored blend mode outside the table shows as its number; a known one by its name.
  Placement(0).affine.AlphaBlendMode = 0;
  Placement(0).affine.AlphaBlendOP = 3;
  editor_.SelectPlacement(0);
  EXPECT_EQ(Value("当前选择Module/AlphaBlendMode"), QStringLiteral("0"));
  EXPECT_EQ(Value("当前选择Module/AlphaBlendOP"), QStringLiteral("BLENDOP_REVSUBTRACT"));

  // Without a selection of the kind being edited, the grid stays empty.
  editor_.SelectModule(-1);
  EXPECT_EQ(grid_->topLevelItemCount(), 0);
}

TEST_F(PropertyPanelTest, AnEditShowsAtTheNextPaintAndMarksTheDocumentModified) {
  MakeFrame({UPoint(0, 0)});
  editor_.ToggleGrid();
  editor_.SetModified(false);
  editor_.SelectFrame(0);
  editor_.SelectPlacement(0);
  const uint32_t background = At(Paint(), 40, 4);
  EXPECT_EQ(At(Paint(), 12, 4), Texel(12, 4) & 0xFFFFFFu);

  // Doubling the width with ScaleX draws the placement twice as wide.
  Pick("当前选择Module/ScaleXEnable", "True");
  Type("当前选择Module/ScaleX", "2");
  EXPECT_EQ(Placement(0).affine.ScaleXEnable, 1u);
  EXPECT_EQ(Placement(0).ScaleX, 2.0f);
  EXPECT_EQ(Value("当前选择Module/ScaleX"), QStringLiteral("2.00"));
  EXPECT_EQ(editor_.PlacementRect().right - editor_.PlacementRect().left, 32);
  EXPECT_TRUE(editor_.IsModified());
  std::vector<uint32_t> picture = Paint();
  EXPECT_NE(At(picture, 24, 4), background);
  EXPECT_EQ(At(picture, 40, 4), background);

  // The origin moves the whole frame's drawing.
  const uint32_t drawn = At(picture, 6, 4);
  Type("原点/x", "40");
  EXPECT_EQ(Frame().origin.x, 40);
  picture = Paint();
  EXPECT_EQ(At(picture, 6, 4), drawn);
  EXPECT_EQ(Rgb(picture, editor_.Centre().x + 6, editor_.Centre().y + 4), background);

  // A module's edge, edited on the module page, narrows every placement of it.
  editor_.SelectModule(0);
  editor_.SetModified(false);
  Type("模块属性/基本属性/right", "4");
  EXPECT_EQ(editor_.Actor()->modules[0]->right, 4);
  EXPECT_TRUE(editor_.IsModified());
  editor_.SelectFrame(0);
  picture = Paint();
  EXPECT_EQ(At(picture, 12, 4), background);
  EXPECT_EQ(Value("原点/x"), QStringLiteral("40"));
}

TEST_F(PropertyPanelTest, ChoicesWriteTheChosenValue) {
  MakeFrame({UPoint(0, 0)});
  editor_.SelectFrame(0);
  editor_.SelectPlacement(0);
  editor_.SetModified(false);
  RecordingListener heard;
  editor_.AddListener(&heard);

  Pick("当前选择Module/AlphaBlendMode", "BLEND_INVSRCALPHA");
  EXPECT_EQ(Placement(0).affine.AlphaBlendMode, 6u);
  EXPECT_EQ(Value("当前选择Module/AlphaBlendMode"), QStringLiteral("BLEND_INVSRCALPHA"));
  EXPECT_TRUE(editor_.IsModified());
  EXPECT_GT(heard.Count(kChangePlacements), 0);

  Pick("当前选择Module/AlphaBlendOP", "BLENDOP_MAX");
  EXPECT_EQ(Placement(0).affine.AlphaBlendOP, 5u);

  // The quarter turn draws the 16 x 8 module standing up.
  editor_.ToggleGrid();
  std::vector<uint32_t> picture = Paint();
  const uint32_t background = At(picture, 40, 12);
  EXPECT_NE(At(picture, 12, 2), background);
  EXPECT_EQ(At(picture, 4, 12), background);
  Pick("当前选择Module/Rotate", "ROTATE90");
  EXPECT_EQ(Placement(0).affine.Rotate, 1u);
  EXPECT_EQ(Value("当前选择Module/Rotate"), QStringLiteral("ROTATE90"));
  picture = Paint();
  EXPECT_EQ(At(picture, 12, 2), background);
  EXPECT_NE(At(picture, 4, 12), background);
  Pick("当前选择Module/横向反转", "True");
  EXPECT_EQ(Placement(0).affine.FlipX, 1u);
  EXPECT_EQ(Placement(0).affine.Pack() & 0xF, 0b0101u);  // flip and a quarter turn stored
  editor_.RemoveListener(&heard);
}

TEST_F(PropertyPanelTest, NamesAreStoredAsGbkAndRefusedWhenTooLong) {
  MakeFrame({UPoint(0, 0)});
  editor_.CreateAction("run");
  editor_.SelectAction(0);
  Type("动作属性/动作名", "跑步");
  EXPECT_EQ(editor_.Actor()->actions[0]->name, UName("\xC5\xDC\xB2\xBD"));
  Type("动作属性/速度", "12");
  EXPECT_EQ(editor_.Actor()->actions[0]->speed, 12);

  editor_.SelectFrame(0);
  messages_.clear();
  ClickValue("基本属性/帧名");
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  // The editor takes no more than a name holds: 16 Chinese characters would be 32 bytes.
  editor->selectAll();
  editor->insert(QString(16, QChar(0x8DD1)));
  QTest::keyClick(editor, Qt::Key_Return);
  ProcessEvents();
  EXPECT_EQ(Frame().name, UName("frame"));
  EXPECT_EQ(Value("基本属性/帧名"), QStringLiteral("frame"));
}

TEST_F(PropertyPanelTest, AStructuralChangeUnderAnOpenEditorLeavesTheModelAlone) {
  MakeFrame({UPoint(1, 1), UPoint(5, 5)});
  editor_.SelectFrame(0);
  editor_.SelectPlacement(1);
  ClickValue("当前选择Module/x");
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "77");

  // The placement goes away while its row is being edited: the typed text dies with the row.
  editor_.DeletePlacement();
  ProcessEvents();
  ASSERT_EQ(Frame().placements.Num(), 1);
  EXPECT_EQ(Placement(0).x, 1);
  if (QWidget* focused = QApplication::focusWidget()) {
    QTest::keyClick(focused, Qt::Key_Return);
  }
  ProcessEvents();
  EXPECT_EQ(Placement(0).x, 1);
  EXPECT_EQ(Find("当前选择Module"), nullptr);

  // The whole frame goes while an edit is open on its name.
  editor_.SelectPlacement(0);
  ClickValue("基本属性/帧名");
  editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "x");
  editor_.DeleteFrame(0);
  ProcessEvents();
  if (QWidget* focused = QApplication::focusWidget()) {
    QTest::keyClick(focused, Qt::Key_Return);
  }
  ProcessEvents();
  EXPECT_EQ(grid_->topLevelItemCount(), 0);

  // A new actor replaces everything the page was bound to.
  MakeFrame({UPoint(0, 0)});
  editor_.SelectPlacement(0);
  ClickValue("原点/y");
  editor_.NewActor("Other");
  editor_.SetCurrentDirectory(dir_.path().string());
  ProcessEvents();
  EXPECT_EQ(grid_->topLevelItemCount(), 0);
}

TEST_F(PropertyPanelTest, ACommitRebuildsThePageOnlyAfterItReturns) {
  MakeFrame({UPoint(0, 0)});
  editor_.SelectFrame(0);
  editor_.SelectPlacement(0);
  Type("当前选择Module/y", "-9");
  EXPECT_EQ(Placement(0).y, -9);
  // The page is built again from the indices once the commit returned (under AddressSanitizer a
  // rebuild inside the commit would use the deleted row), and shows the stored value.
  UPropertyGridItem* after = Find("当前选择Module/y");
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->GetValue(), QStringLiteral("-9"));

  // Committing one row and moving on to the next, as Tab does, edits both.
  ClickValue("当前选择Module/AlphaValue");
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "200");
  QTest::keyClick(editor, Qt::Key_Tab);
  ProcessEvents();
  EXPECT_EQ(Placement(0).AlphaValue, 200u);
  EXPECT_EQ(Value("当前选择Module/AlphaValue"), QStringLiteral("200"));

  const QString path = QStringLiteral(QUILLET_SCREENSHOT_DIR "/property_panel.png");
  EXPECT_TRUE(grid_->grab().save(path));
}

// Every committed edit is one step of the history named after the page it was made on; undoing
// it gives back the stored actor and the page shows the old value again.
TEST_F(PropertyPanelTest, EachPageNamesItsStepAndUndoShowsTheOldValue) {
  MakeFrame({UPoint(0, 0)});
  editor_.CreateAction("walk");
  using Stored = std::vector<unsigned char>;

  editor_.SelectModule(0);
  const Stored start = editor_.StoredActor();
  Type("模块属性/基本属性/right", "4");
  EXPECT_EQ(editor_.UndoName(), "修改模块属性");
  const Stored moduleEdited = editor_.StoredActor();

  editor_.SelectFrame(0);
  editor_.SelectPlacement(0);
  Type("原点/x", "40");
  EXPECT_EQ(editor_.UndoName(), "修改帧属性");
  Type("当前选择Module/y", "-9");
  EXPECT_EQ(editor_.UndoName(), "修改帧属性");
  const Stored frameEdited = editor_.StoredActor();

  editor_.SelectAction(0);
  const int steps = editor_.HistorySize();
  // Committing the value it already has is no edit.
  Type("动作属性/速度", "0");
  EXPECT_EQ(editor_.HistorySize(), steps);
  Type("动作属性/速度", "3");
  EXPECT_EQ(editor_.UndoName(), "修改动作属性");
  EXPECT_EQ(editor_.HistorySize(), steps + 1);

  editor_.Undo();
  ProcessEvents();
  EXPECT_EQ(editor_.StoredActor(), frameEdited);
  ASSERT_EQ(editor_.Mode(), EditMode::Action);
  EXPECT_EQ(Value("动作属性/速度"), QStringLiteral("0"));
  editor_.Undo();
  editor_.Undo();
  ProcessEvents();
  EXPECT_EQ(editor_.StoredActor(), moduleEdited);
  editor_.Undo();
  ProcessEvents();
  EXPECT_EQ(editor_.StoredActor(), start);
  editor_.SelectModule(0);
  EXPECT_EQ(Value("模块属性/基本属性/right"), QStringLiteral("16"));
  editor_.Redo();
  ProcessEvents();
  EXPECT_EQ(editor_.StoredActor(), moduleEdited);
  EXPECT_EQ(Value("模块属性/基本属性/right"), QStringLiteral("4"));
}

// A typed value the stored field cannot hold, or that is no finite number, is refused with a
// message naming the values allowed; the field and the row keep their value.
TEST_F(PropertyPanelTest, ValuesTheFieldCannotHoldAreRefused) {
  MakeFrame({UPoint(3, 0)});
  editor_.SelectFrame(0);
  editor_.SelectPlacement(0);
  editor_.SetModified(false);
  const auto refused = [this](const QString& path, const QString& text, const char* range) {
    messages_.clear();
    const QString before = Value(path);
    Type(path, text);
    EXPECT_EQ(Value(path), before) << text.toStdString();
    ASSERT_EQ(messages_.size(), 1u) << text.toStdString();
    EXPECT_NE(messages_[0].find(range), std::string::npos) << messages_[0];
  };
  refused("当前选择Module/x", "40000", "-32768 到 32767");
  refused("原点/y", "abc", "-32768 到 32767");
  refused("当前选择Module/ScaleX", "nan", "3.402823e+38");
  EXPECT_EQ(Placement(0).x, 3);
  EXPECT_EQ(Frame().origin.y, 0);
  EXPECT_EQ(Placement(0).ScaleX, 1.0f);
  EXPECT_FALSE(editor_.IsModified());

  // A module's edges stay within the texture's 16-bit range and never cross each other.
  editor_.SelectModule(0);
  refused("模块属性/基本属性/Left", "-1", "0 到 16");
  refused("模块属性/基本属性/right", "-1", "0 到 65535");
  refused("模块属性/基本属性/top", "9", "0 到 8");
  EXPECT_EQ(editor_.Actor()->modules[0]->left, 0);
  EXPECT_EQ(editor_.Actor()->modules[0]->right, 16);
  EXPECT_FALSE(editor_.IsModified());
  messages_.clear();
  Type("模块属性/基本属性/right", " 12 ");
  EXPECT_EQ(editor_.Actor()->modules[0]->right, 12);
  EXPECT_TRUE(messages_.empty());
}
