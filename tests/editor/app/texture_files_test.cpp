// Textures follow their files: a paint program's save shows at once, and a texture whose file
// was not found is marked and relinked.
#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QLabel>
#include <filesystem>

#include "editor/panels/texture_list.h"
#include "editor/res/pane_table.h"
#include "tests/editor/support/sprite_files.h"

namespace {

constexpr uint32_t kGreen = 0xFF00FF00u;

bool WriteSolid(const std::string& path, int width, int height, uint32_t argb) {
  return WritePng(path, PngFromArgb(width, height, std::vector<uint32_t>(width * height, argb)));
}

// Polls `done` while the program runs, for at most a second.
template <typename Done>
bool WithinASecond(Done done) {
  return QTest::qWaitFor(done, 1000);
}

bool Shows(const QImage& picture, uint32_t argb) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) == argb) {
        return true;
      }
    }
  }
  return false;
}

TEST_F(AppTest, TexturesFollowWhatAPaintProgramWrites) {
  ASSERT_TRUE(WriteSpriteDocument(dir.path().string(), "sprite.an1"));
  StartApp(dir.File("sprite.an1"));
  const auto surface = [this](int i) { return Editor().TextureSurfaces()[static_cast<size_t>(i)]; };
  const USurface* opened = surface(0);
  auto* cutView = Frame().findChild<QWidget*>("moduleCutView");
  auto* list = Frame().findChild<CTextureListCtrl*>("textureList");
  ASSERT_TRUE(cutView != nullptr && list != nullptr);
  Frame().Pane(pane::kModuleCut)->raise();  // may share a tab group with the module list

  // Written in place: the view and the cutting pane show it within a second; not an edit.
  ASSERT_TRUE(WriteSolid(dir.File("sprite.png"), kTextureSize, kTextureSize, kGreen));
  ASSERT_TRUE(WithinASecond([&] { return surface(0) != opened; }));
  ASSERT_TRUE(WithinASecond([&] { return Shows(Frame().View().grabFramebuffer(), kGreen); }));
  ASSERT_TRUE(WithinASecond([&] { return Shows(cutView->grab().toImage(), kGreen); }));
  EXPECT_FALSE(Editor().IsModified());
  EXPECT_FALSE(Editor().CanUndo());
  const USurface* green = surface(0);
  Editor().CreateFrame("extra");

  // Written beside and renamed over, narrower: the record follows, the right module is named.
  ASSERT_TRUE(WriteSolid(dir.File("sprite.tmp"), kHalf, kTextureSize, kBlue));
  std::filesystem::rename(dir.File("sprite.tmp"), dir.File("sprite.png"));
  ASSERT_TRUE(WithinASecond([&] { return surface(0) != green; }));
  const USurface* narrow = surface(0);
  EXPECT_EQ(Editor().Actor()->textures[0].width, kHalf);
  EXPECT_TRUE(Editor().IsModified());
  EXPECT_EQ(list->topLevelItem(0)->text(1), "16 32");
  EXPECT_EQ(Frame().StatusPane(0)->text(), "已重新载入贴图 sprite.png；超出贴图范围的模块：1");

  // Undo keeps the new picture and its size.
  Editor().Undo();
  EXPECT_EQ(surface(0), narrow);
  EXPECT_EQ(Editor().Actor()->textures[0].width, kHalf);
  EXPECT_TRUE(Editor().IsModified());
  Editor().Redo();

  // A replaced texture: the entry before the replacement keeps the picture it had.
  ASSERT_TRUE(WriteSolid(dir.File("other.png"), 8, 8, kRed));
  ASSERT_TRUE(WriteSolid(dir.File("third.png"), 8, 8, kRed));
  ASSERT_TRUE(Editor().LoadTexture(dir.File("other.png")));
  Editor().SelectTexture(1);
  const USurface* other = surface(1);
  ASSERT_TRUE(Editor().ReplaceTexture(dir.File("third.png")));
  const USurface* third = surface(1);
  ASSERT_TRUE(WriteSolid(dir.File("third.png"), 8, 8, kGreen));
  ASSERT_TRUE(WithinASecond([&] { return surface(1) != third; }));
  Editor().Undo();
  EXPECT_EQ(surface(1), other);
}

TEST_F(AppTest, MissingTexturesAreNamedWithTheFoldersSearchedAndCanBeLocated) {
  std::filesystem::create_directory(dir.File("doc"));
  ASSERT_TRUE(WriteSpriteDocument(dir.File("doc"), "sprite.an1"));
  std::filesystem::remove(dir.File("doc/sprite.png"));
  StartApp(dir.File("doc/sprite.an1"));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0], "无法找到贴图：\nsprite.png\n\n查找过的文件夹：\n" +
                                     dir.File("doc") + "\n" + dir.path().string());

  auto* list = Frame().findChild<CTextureListCtrl*>("textureList");
  EXPECT_EQ(list->topLevelItem(0)->text(0), "sprite.png（缺失）");
  EXPECT_EQ(list->topLevelItem(0)->foreground(0),
            list->palette().brush(QPalette::Disabled, QPalette::Text));

  ASSERT_TRUE(WriteSolid(dir.File("found.png"), kTextureSize, kTextureSize, kGreen));
  prompts.paths = {dir.File("found.png")};
  Editor().SelectTexture(0);
  const auto locateItem = [list] {
    for (QAction* action : list->ContextMenu()->actions()) {
      if (action->data() == CTextureListCtrl::kLocateTexture) {
        return action;
      }
    }
    return static_cast<QAction*>(nullptr);
  };
  QAction* locate = locateItem();
  ASSERT_NE(locate, nullptr);
  EXPECT_EQ(locate->text(), "定位…");
  ASSERT_TRUE(locate->isEnabled());
  locate->trigger();
  EXPECT_FALSE(Editor().IsTextureMissing(0));
  EXPECT_EQ(Editor().UndoName(), "置换贴图");
  EXPECT_EQ(list->topLevelItem(0)->text(0), "found.png");
  EXPECT_FALSE(locateItem()->isEnabled());
}

}  // namespace
