// A whole session: the program starts on a document, plays an action, saves it under a new
// name and closes; the files it leaves are read back with Core, and a screenshot of the window
// is kept for people to look at.
#include "tests/editor/support/app_fixture.h"

#include <QPainter>

#include "core/anim/actor_file.h"
#include "editor/res/command_ids.h"
#include "tests/editor/support/sprite_files.h"

namespace {

// The main window as a picture, with the GL view's own picture laid over its place (a plain
// grab of the window does not always carry the GL content).
QImage WindowPicture(CMainFrame& frame) {
  QImage window = frame.grab().toImage();
  const QImage view = frame.View().grabFramebuffer();
  QPainter painter(&window);
  const QPoint at = frame.View().mapTo(&frame, QPoint(0, 0));
  painter.drawImage(QRect(at, frame.View().size()), view);
  return window;
}

TEST_F(AppTest, StartPlaySaveAsAndCloseLeaveTheDocumentsOnDisk) {
  ASSERT_TRUE(WriteSpriteDocument(dir.path().string(), "sprite.an1"));
  StartApp(dir.File("sprite.an1"));
  CVelloEditor& editor = Editor();
  ASSERT_TRUE(Frame().View().IsReady()) << "no OpenGL 3.3 core context in the view";
  ASSERT_TRUE(QTest::qWaitFor([this] { return app->Doc().Path() == dir.File("sprite.an1"); }));
  EXPECT_EQ(Frame().windowTitle(), "sprite.an1[*] - Quillen");
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(editor.TexturePath(0), dir.File("sprite.png"));
  EXPECT_EQ(editor.shownFrame, 0);

  // Play "walk" (keys at ticks 0 and 2) to its end at 30 frames a second: it stops on frame 1.
  editor.SelectAction(0);
  Trigger(cmd::kPlay);
  EXPECT_TRUE(editor.isPlaying);
  ASSERT_TRUE(QTest::qWaitFor([&editor] { return !editor.isPlaying; }, 2000));
  EXPECT_EQ(editor.shownFrame, 1);

  // Show frame 0 larger and keep a picture of the window.
  editor.SelectFrame(0);
  Trigger(cmd::kZoomIn);
  Trigger(cmd::kZoomIn);
  QTest::qWait(5 * CVelloView::kTickMs);
  const QImage picture = WindowPicture(Frame());
  EXPECT_TRUE(picture.save(QUILLET_SCREENSHOT_DIR "/editor_window.png"));
  // The red half of the texture shows in the view.
  const QPoint origin = Frame().View().mapTo(&Frame(), QPoint(0, 0));
  const qreal ratio = Frame().View().devicePixelRatioF();
  const int zoom = editor.viewCanvas.GetZoom();
  const QPoint red(origin.x() + static_cast<int>((editor.centre.x * zoom + 3) / ratio),
                   origin.y() + static_cast<int>((editor.centre.y * zoom + 3) / ratio));
  EXPECT_EQ(picture.pixel(red) & 0xFFFFFFu, 0xFF0000u);

  // Rename, then save under a new name: the file becomes the document.
  prompts.typedTexts = {std::string("walker")};
  Trigger(cmd::kSetName);
  EXPECT_TRUE(Frame().isWindowModified());
  const std::string saved = dir.File("walked.an1");
  prompts.paths = {saved};
  Trigger(cmd::kFileSaveAs);
  EXPECT_EQ(app->Doc().Path(), saved);
  EXPECT_FALSE(Frame().isWindowModified());

  // Nothing unsaved: closing asks nothing and writes "LastSave.an1".
  EXPECT_TRUE(Frame().close());
  app.reset();
  EXPECT_TRUE(prompts.messages.empty());

  for (const std::string& path : {saved, dir.File("LastSave.an1")}) {
    UObjActor actor;
    ASSERT_TRUE(LoadActorFile(path.c_str(), actor)) << path;
    EXPECT_EQ(actor.name.GetString(), std::string("walker")) << path;
    ASSERT_EQ(actor.textures.Num(), 1) << path;
    EXPECT_EQ(actor.textures[0].name, std::string("sprite.png")) << path;
    EXPECT_EQ(actor.modules.Num(), 2) << path;
    ASSERT_EQ(actor.frames.Num(), 2) << path;
    EXPECT_EQ(actor.frames[1]->placements[0].x, kHalf) << path;
    ASSERT_EQ(actor.actions.Num(), 1) << path;
    EXPECT_EQ(actor.actions[0]->name.GetString(), std::string("walk")) << path;
  }
  // The document the session started on is as it was.
  UObjActor original;
  ASSERT_TRUE(LoadActorFile(dir.File("sprite.an1").c_str(), original));
  EXPECT_EQ(original.name.GetString(), std::string("sprite"));
}

}  // namespace
