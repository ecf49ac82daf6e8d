// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/view/action_frame_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/app/dock_panes.h"
#include "editor/panels/panel_factory.h"
#include "editor/view/timeline_ruler.h"
#include "editor/view/timeline_style.h"
#include "editor/view/timeline_track.h"
#include "tests/support/qt_events.h"
#include "tests/support/temp_dir.h"

namespace {

using timeline::GdiColor;

// An actor with three frames ("站立", "走路", "跑") and the action "walk" with keys at times 3,
// 5 and 10 showing them in turn, shown in a 700 x 64 timeline.
class TimelineTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 700;
  static constexpr int kHeight = 64;

  void SetUp() override {
    editor_.NewActor("Test");
    editor_.CreateFrame("站立");
    editor_.CreateFrame("走路");
    editor_.CreateFrame("跑");
    editor_.SelectAction(editor_.CreateAction("walk"));
    editor_.InsertActionKey(0, 3, 0);
    editor_.InsertActionKey(0, 5, 1);
    editor_.InsertActionKey(0, 10, 2);
    timeline_.resize(kWidth, kHeight);
    timeline_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&timeline_));
  }

  CTimelineTrack& Track() { return timeline_.Track(); }
  CTimelineRuler& Ruler() { return timeline_.Ruler(); }
  const UObjAction& Walk() { return *editor_.Actor()->actions[0]; }

  std::vector<uint32_t> KeyTimes() {
    std::vector<uint32_t> times;
    for (const TActionFrame& key : Walk().keys) {
      times.push_back(key.time);
    }
    return times;
  }

  // The middle of the track cell that shows time `time` when the track starts at `first`.
  static QPoint Cell(int time, int first = 0) {
    return QPoint((time - first) * timeline::kCellWidth + 4, timeline::kTrackHeight / 2);
  }

  void ClickCell(int time) {
    QTest::mouseClick(&Track(), Qt::LeftButton, {}, Cell(time));
    ProcessEvents();
  }

  // Presses at `from`, moves to `to` and releases there, as a drag with the left button.
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&Track(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Track(), to);
    QTest::mouseRelease(&Track(), Qt::LeftButton, {}, to);
    ProcessEvents();
  }

  // Opens the track's context menu over cell `time` with a right click; null when none opened.
  QMenu* OpenMenu(int time) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, Cell(time), Track().mapToGlobal(Cell(time)));
    QApplication::sendEvent(&Track(), &event);
    ProcessEvents();
    return Track().findChild<QMenu*>("timelineMenu");
  }

  // Clicks the menu's only item as a user would and lets the menu close.
  void ChooseOnlyItem(QMenu* menu) {
    ASSERT_EQ(menu->actions().size(), 1);
    const QPointer<QMenu> open(menu);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(menu->actions().front()).center());
    if (open) {
      open->close();
    }
    ProcessEvents();
    EXPECT_EQ(Track().findChild<QMenu*>("timelineMenu"), nullptr);
  }

  static QRgb Pixel(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixel(x, y) & 0xFFFFFFu;
  }
  static QRgb Rgb(uint32_t gdi) { return GdiColor(gdi).rgb() & 0xFFFFFFu; }

  TempDir dir_;
  CurrentDirectory inDir_{dir_.path()};
  CVelloEditor editor_;
  MyActionFrameEditor timeline_{editor_};
};

TEST_F(TimelineTest, LaysOutRulerTrackStatusAndScrollBarWithTheRulerFont) {
  EXPECT_EQ(Ruler().geometry(), QRect(0, 0, kWidth, 24));
  EXPECT_EQ(Track().geometry(), QRect(0, 24, kWidth, 16));
  EXPECT_EQ(timeline_.StatusLine().geometry(), QRect(0, 40, kWidth - 300, kHeight - 40));
  EXPECT_EQ(timeline_.ScrollBar().geometry(), QRect(kWidth - 300, 40, 300, kHeight - 40));
  EXPECT_TRUE(timeline_.StatusLine().isReadOnly());
  EXPECT_EQ(timeline_.ScrollBar().minimum(), 0);
  EXPECT_EQ(timeline_.ScrollBar().maximum(), 1024);
  EXPECT_EQ(timeline_.ScrollBar().pageStep(), 1);

  const QFontInfo font(timeline_.StatusLine().font());
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_FALSE(font.family().isEmpty());
  EXPECT_EQ(Ruler().font().pixelSize(), 12);

  // Narrower than the scroll bar: nothing gets a negative size.
  timeline_.resize(200, 30);
  ProcessEvents();
  EXPECT_EQ(timeline_.StatusLine().width(), 0);
  EXPECT_EQ(timeline_.ScrollBar().geometry(), QRect(0, 40, 200, 0));

  // The main window's pane 4008 hosts the timeline.
  const CPaneInfo& pane = PaneTable()[8];
  ASSERT_EQ(pane.id, 4008);
  std::unique_ptr<QWidget> panel(MakePanel(pane, editor_, nullptr));
  EXPECT_NE(dynamic_cast<MyActionFrameEditor*>(panel.get()), nullptr);
}

TEST_F(TimelineTest, ClickingACellSetsTheTimeAndShowsTheFrameOfTheKeyInForce) {
  ClickCell(3);
  EXPECT_EQ(editor_.PlayTime(), 3.0f);
  ClickCell(12);
  EXPECT_EQ(editor_.PlayTime(), 12.0f);
  EXPECT_EQ(editor_.ShownFrame(), 2);
  EXPECT_EQ(editor_.SelectedFrame(), 2);
  EXPECT_EQ(editor_.SelectedActionFrame(), 2);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  EXPECT_EQ(Ruler().MarkTime(), 12u);
  EXPECT_EQ(timeline_.StatusLine().text().toStdString(),
            "当前帧   12 \t 当前帧索引号    2 \t 帧频率 12.0 fps \t 运行时间 12.000 s  "
            "bInterpolation=1");

  ClickCell(7);
  EXPECT_EQ(editor_.ShownFrame(), 1);
  EXPECT_EQ(editor_.SelectedActionFrame(), 1);
  // The key at 5 starts there exactly; the last key does too, although the model's lookup
  // never calls the last key exact.
  int index = -1;
  bool exact = false;
  EXPECT_EQ(editor_.FindActionKey(5, &index, &exact), 1);
  EXPECT_TRUE(exact);
  EXPECT_EQ(editor_.FindActionKey(10, &index, &exact), 2);
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(exact);

  // Before the first key there is no key, and no frame to show.
  ClickCell(1);
  EXPECT_EQ(editor_.PlayTime(), 1.0f);
  EXPECT_EQ(editor_.SelectedActionFrame(), -1);
  EXPECT_EQ(editor_.SelectedFrame(), -1);
  EXPECT_EQ(editor_.ShownFrame(), -1);

  // A scrolled track counts from its first time.
  timeline_.ScrollBar().setValue(10);
  QTest::mouseClick(&Track(), Qt::LeftButton, {}, Cell(12, 10));
  EXPECT_EQ(editor_.PlayTime(), 12.0f);

  // The status shows the actor's interpolation flag, which a new actor takes from the settings.
  editor_.SetInterpolationDefault(0);
  editor_.NewActor("plain");
  EXPECT_TRUE(timeline_.StatusLine().text().endsWith("bInterpolation=0"));
}

TEST_F(TimelineTest, ASecondPressOnTheKeyAtTheCurrentTimeDragsItWhereTheButtonIsReleased) {
  // The first press only picks the time: the key stays.
  Drag(Cell(10), Cell(20));
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 10}));
  EXPECT_EQ(editor_.PlayTime(), 10.0f);

  // The second press takes hold of it; the ruler follows the pointer.
  QTest::mousePress(&Track(), Qt::LeftButton, {}, Cell(10));
  EXPECT_EQ(Track().DragIndex(), 2);
  QTest::mouseMove(&Track(), Cell(20));
  EXPECT_EQ(Ruler().MarkTime(), 20u);
  QTest::mouseRelease(&Track(), Qt::LeftButton, {}, Cell(20));
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 20}));
  EXPECT_EQ(editor_.PlayTime(), 20.0f);
  EXPECT_EQ(editor_.SelectedActionFrame(), 2);
  EXPECT_EQ(Track().DragIndex(), -1);
  EXPECT_TRUE(editor_.IsModified());

  // Onto another key's cell, or its own: nothing changes.
  ClickCell(5);
  Drag(Cell(5), Cell(3));
  Drag(Cell(5), Cell(5));
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 20}));
  EXPECT_EQ(editor_.PlayTime(), 5.0f);
  EXPECT_EQ(Ruler().MarkTime(), 5u);

  // Dropped left of the track, the key goes to the start, not to a time wrapped round.
  Drag(Cell(5), QPoint(-20, 8));
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{0, 3, 20}));
  EXPECT_EQ(editor_.PlayTime(), 0.0f);

  // A press on an empty cell at the current time drags nothing.
  ClickCell(14);
  Drag(Cell(14), Cell(16));
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{0, 3, 20}));
}

TEST_F(TimelineTest, TheContextMenuAddsTheSelectedFrameOrDeletesTheKeyUnderThePointer) {
  editor_.SelectFrame(1);
  QMenu* menu = OpenMenu(7);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Ruler().MarkTime(), 7u);
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions().front()->text().toStdString(), "添加当前帧 [走路]");
  EXPECT_TRUE(menu->actions().front()->isEnabled());
  ChooseOnlyItem(menu);
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 7, 10}));
  EXPECT_EQ(Walk().keys[2].frame, 1u);

  // Over a key, the last one included, the menu deletes it.
  menu = OpenMenu(10);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->actions().front()->text().toStdString(), "删除此帧");
  ChooseOnlyItem(menu);
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 7}));

  // Without a selected frame, or without an action, the item is there but greyed.
  editor_.SelectFrame(-1);
  menu = OpenMenu(12);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->actions().front()->text().toStdString(), "添加当前帧 []");
  EXPECT_FALSE(menu->actions().front()->isEnabled());
  ChooseOnlyItem(menu);
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 7}));

  editor_.SelectFrame(0);
  editor_.SelectAction(-1);
  menu = OpenMenu(12);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->actions().front()->isEnabled());
  ChooseOnlyItem(menu);
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 5, 7}));
}

TEST_F(TimelineTest, F6InsertsATimeStepAtTheCurrentTime) {
  ClickCell(7);
  QTest::keyClick(&Track(), Qt::Key_F6);
  // The key in force at 7 (at 5) and every later one start a tick later.
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{3, 6, 11}));
  ClickCell(0);
  QTest::keyClick(&Track(), Qt::Key_F6);
  EXPECT_EQ(KeyTimes(), (std::vector<uint32_t>{4, 7, 12}));

  // The key at 12 is drawn one cell later now; cell 11 is empty again.
  EXPECT_EQ(Pixel(Track(), 12 * 8 + 1, 3), Rgb(timeline::kPlainKey));
  EXPECT_EQ(Pixel(Track(), 11 * 8 + 1, 3), Rgb(timeline::kPlainCell));
}

TEST_F(TimelineTest, EveryScrollCodeMovesRulerAndTrackWithinTheRange) {
  QScrollBar& bar = timeline_.ScrollBar();
  using Action = QAbstractSlider::SliderAction;
  const std::vector<std::pair<Action, int>> steps = {
      {Action::SliderSingleStepAdd, 1},    {Action::SliderSingleStepAdd, 2},
      {Action::SliderSingleStepSub, 1},    {Action::SliderPageStepAdd, 2},
      {Action::SliderPageStepSub, 1},      {Action::SliderToMaximum, 1024},
      {Action::SliderSingleStepAdd, 1024}, {Action::SliderPageStepAdd, 1024},
      {Action::SliderToMinimum, 0},        {Action::SliderSingleStepSub, 0},
      {Action::SliderPageStepSub, 0}};
  for (const auto& [action, position] : steps) {
    bar.triggerAction(action);
    EXPECT_EQ(bar.value(), position) << "after scroll code " << action;
    EXPECT_EQ(Ruler().FirstTime(), static_cast<uint32_t>(position));
    EXPECT_EQ(Track().FirstTime(), static_cast<uint32_t>(position));
  }
  // The arrows clicked with the mouse step by one.
  const int middle = bar.height() / 2;
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 4, middle));
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 4, middle));
  EXPECT_EQ(Track().FirstTime(), 2u);
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(4, middle));
  EXPECT_EQ(Track().FirstTime(), 1u);
  // The thumb dragged, and the wheel.
  bar.setSliderPosition(7);
  EXPECT_EQ(Track().FirstTime(), 7u);
  QWheelEvent wheel(QPointF(150, 10), bar.mapToGlobal(QPointF(150, 10)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&bar, &wheel);
  EXPECT_GT(Track().FirstTime(), 7u);

  // Scrolled to 5, the key at 5 is drawn in the first cell and the one at 10 in the sixth.
  bar.setValue(5);
  ProcessEvents();
  EXPECT_EQ(Pixel(Track(), 1, 3), Rgb(timeline::kBlendingKey));
  EXPECT_EQ(Pixel(Track(), 5 * 8 + 1, 3), Rgb(timeline::kPlainKey));
  EXPECT_EQ(Pixel(Track(), 3 * 8 + 1, 3), Rgb(timeline::kPlainCell));
}

TEST_F(TimelineTest, TheCursorFollowsPlaybackAndTheKeysFollowTheDocument) {
  const std::string path = dir_.File("walk.an1");
  editor_.SelectAction(0);
  editor_.Play();
  editor_.Advance(0.5f);  // 12 ticks a second
  EXPECT_EQ(Ruler().MarkTime(), 6u);
  EXPECT_TRUE(timeline_.StatusLine().text().contains("运行时间 6.000 s"));
  // The inverted cell moves with it.
  EXPECT_EQ(Pixel(Track(), 6 * 8 + 1, 3), 0x000000u);
  EXPECT_EQ(Pixel(Track(), 6 * 8 + 1, 12), 0x000000u);

  // Paint: the ruler's cells, its mark and the keys' colours (every key blends but the last).
  EXPECT_EQ(Pixel(Ruler(), 8 + 4, 10), Rgb(timeline::kRulerBack));
  EXPECT_EQ(Pixel(Ruler(), 6 * 8 + 4, 10), Rgb(timeline::kMarkInner));
  EXPECT_EQ(Pixel(Ruler(), 6 * 8, 22), Rgb(timeline::kMarkOuter));
  EXPECT_EQ(Pixel(Track(), 3 * 8 + 1, 3), Rgb(timeline::kBlendingKey));
  EXPECT_EQ(Pixel(Track(), 10 * 8 + 1, 3), Rgb(timeline::kPlainKey));
  EXPECT_EQ(Pixel(Track(), 15 * 8 + 1, 3), Rgb(timeline::kFifthCell));
  EXPECT_EQ(Pixel(Track(), 16 * 8 + 1, 3), Rgb(timeline::kPlainCell));
  timeline_.grab().save(QUILLET_SCREENSHOT_DIR "/timeline.png");

  // Saved and opened again, the keys are on the track; a new actor has none.
  ASSERT_TRUE(editor_.SaveActor(path));
  editor_.NewActor("Empty");
  EXPECT_EQ(Pixel(Track(), 10 * 8 + 1, 3), Rgb(timeline::kFifthCell));
  ASSERT_TRUE(editor_.LoadActor(path));
  editor_.SelectAction(0);
  EXPECT_EQ(Pixel(Track(), 10 * 8 + 1, 3), Rgb(timeline::kPlainKey));
}

}  // namespace
