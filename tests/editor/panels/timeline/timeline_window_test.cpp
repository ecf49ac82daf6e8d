#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QLineEdit>
#include <vector>

#include "editor/app/main_frame.h"
#include "editor/view/action_frame_editor.h"
#include "editor/view/timeline_ruler.h"
#include "editor/view/timeline_track.h"
#include "tests/support/qt_events.h"

namespace {

// The timeline in its pane of the main window, among every other shortcut of the program.
class TimelineWindowTest : public AppTest {};

TEST_F(TimelineWindowTest, ThePaneHostsTheTimelineWhichTakesF6AndFollowsPlayback) {
  StartApp();
  auto* timeline = qobject_cast<QWidget*>(Frame().Pane(4008)->widget());
  auto* editor = dynamic_cast<MyActionFrameEditor*>(timeline);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(timeline->windowTitle(), "FML");

  CVelloEditor& context = Editor();
  context.CreateFrame("a");
  context.CreateFrame("b");
  context.SelectAction(context.CreateAction("walk"));
  context.InsertActionKey(0, 0, 0);
  context.InsertActionKey(0, 4, 1);
  ProcessEvents();

  CTimelineTrack& track = editor->Track();
  QTest::mouseClick(&track, Qt::LeftButton, {}, QPoint(2 * 8 + 4, 8));
  EXPECT_EQ(context.PlayTime(), 2.0f);
  EXPECT_EQ(context.ShownFrame(), 0);
  QTest::keyClick(&track, Qt::Key_F6);
  std::vector<uint32_t> times;
  for (const TActionFrame& key : context.Actor()->actions[0]->keys) {
    times.push_back(key.time);
  }
  // The key in force at 2 (the one at 0) and the later one start a tick later.
  EXPECT_EQ(times, (std::vector<uint32_t>{1, 5}));

  // Playing moves the ruler's mark with the clock of the view.
  context.Play();
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor->Ruler().MarkTime() >= 1; }, 3000));
  EXPECT_TRUE(editor->StatusLine().text().startsWith("当前帧"));
  timeline->grab().save(QUILLET_SCREENSHOT_DIR "/timeline_in_window.png");
}

}  // namespace
