// A whole session on the shipped example: the program starts on it, plays an action, saves it
// under a new name, is renamed and closed; the files it leaves are read back with Core, and a
// screenshot of the window is kept for people to look at.
#include "tests/editor/support/app_fixture.h"

#include <filesystem>
#include <vector>

#include "core/anim/actor_file.h"
#include "editor/res/command_ids.h"
#include "tests/editor/support/window_picture.h"
#include "tests/support/temp_dir.h"

namespace {

// The document's stored bytes with its name replaced, so two documents can be compared whole.
std::vector<unsigned char> StoredAs(const std::string& path, const char* name, const TempDir& dir) {
  UObjActor actor;
  if (!LoadActorFile(path.c_str(), actor)) {
    return {};
  }
  actor.name = UName(name);
  const std::string copy = dir.File("compare.an1");
  return SaveActorFile(copy.c_str(), actor) ? ReadFileBytes(copy) : std::vector<unsigned char>();
}

TEST_F(AppTest, ASessionOnTheExamplePlaysSavesAndClosesWithoutLosingIt) {
  for (const char* file : {"hero.an1", "hero.png"}) {
    std::filesystem::copy_file(std::string(QUILLET_EXAMPLES_DIR "/") + file, dir.File(file));
  }
  const std::string example = dir.File("hero.an1");
  StartApp(example);
  CVelloEditor& editor = Editor();
  ASSERT_TRUE(Frame().View().IsReady()) << "no OpenGL 3.3 core context in the view";
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->Doc().Path() == example; }));
  EXPECT_EQ(Frame().windowTitle(), "hero.an1[*] - Quillen");
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(editor.TexturePath(0), dir.File("hero.png"));
  EXPECT_EQ(editor.ShownFrame(), 0);

  // Play "walk" (keys up to tick 16) to its end: it stops on its last key's frame, "walk_0".
  editor.SelectAction(1);
  Trigger(cmd::kPlay);
  EXPECT_TRUE(editor.IsPlaying());
  ASSERT_TRUE(QTest::qWaitFor([&editor] { return !editor.IsPlaying(); }, 5000));
  EXPECT_EQ(editor.ShownFrame(), 2);

  // Show "walk_0" larger with its tags and keep a picture of the window.
  editor.SelectFrame(2);
  Trigger(cmd::kZoomIn);
  Trigger(cmd::kTagMode);
  QTest::qWait(5 * CVelloView::kTickMs);
  const QImage picture = WindowPicture(Frame());
  EXPECT_TRUE(picture.save(QUILLET_SCREENSHOT_DIR "/editor_window.png"));
  // The view shows the figure, not only the background: count pixels of the texture's colours
  // around the origin.
  const QPoint origin = Frame().View().mapTo(&Frame(), QPoint(0, 0));
  const qreal ratio = Frame().View().devicePixelRatioF();
  const int zoom = editor.ViewCanvas().GetZoom();
  const QPoint centre(origin.x() + static_cast<int>(editor.Centre().x * zoom / ratio),
                      origin.y() + static_cast<int>(editor.Centre().y * zoom / ratio));
  const QRgb background = picture.pixel(origin + QPoint(3, 3));
  int figure = 0;
  for (int y = -60; y < 0; ++y) {
    for (int x = -20; x < 20; ++x) {
      figure += picture.pixel(centre + QPoint(x, y)) != background ? 1 : 0;
    }
  }
  EXPECT_GT(figure, 600);

  // Save under a new name: the file becomes the document and holds the example unchanged.
  const std::string saved = dir.File("walked.an1");
  prompts.paths = {saved};
  Trigger(cmd::kFileSaveAs);
  EXPECT_EQ(app->Doc().Path(), saved);
  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(example));

  // Rename, then close and decline to save: "LastSave.an1" still keeps the renamed actor.
  prompts.typedTexts = {std::string("walker")};
  Trigger(cmd::kSetName);
  EXPECT_TRUE(Frame().isWindowModified());
  prompts.answers = {UMessageAnswer::No};
  EXPECT_TRUE(Frame().close());
  app.reset();
  ASSERT_EQ(prompts.messages.size(), 1u);

  EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(example));
  const std::string lastSave = dir.File("LastSave.an1");
  ASSERT_FALSE(StoredAs(lastSave, "walker", dir).empty());
  EXPECT_EQ(StoredAs(lastSave, "walker", dir), StoredAs(example, "walker", dir));
  UObjActor last;
  ASSERT_TRUE(LoadActorFile(lastSave.c_str(), last));
  EXPECT_EQ(last.name.GetString(), std::string("walker"));
}

}  // namespace
