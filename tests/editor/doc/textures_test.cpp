#include <cstring>
#include <string>
#include <vector>

#include "tests/editor/doc/editor_fixture.h"

using TexturesTest = EditorTest;

TEST_F(TexturesTest, DeletingATextureTakesItsModulesAndRenumbersTheLaterOnes) {
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("a.png")));
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("b.png")));
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("c.png")));
  editor_.CreateModule(Module(0, 0, 0, 4, 4));  // from a
  editor_.CreateModule(Module(1, 0, 0, 5, 5));  // from b
  editor_.CreateModule(Module(2, 0, 0, 6, 6));  // from c
  editor_.CreateModule(Module(0, 4, 4, 8, 8));  // from a
  editor_.CreateFrame("frame");
  for (int module : {0, 1, 2, 3}) {
    editor_.SelectModule(module);
    editor_.PlaceModule();
  }
  editor_.SelectPlacement(2);
  editor_.SelectTexture(1);
  editor_.SelectModule(2);

  editor_.DeleteTexture(0);
  ASSERT_EQ(editor_.Actor()->textures.Num(), 2);
  EXPECT_EQ(std::string(editor_.Actor()->textures[0].name), "b.png");
  ASSERT_EQ(editor_.Actor()->modules.Num(), 2);
  // The modules of b and c follow their textures down one place.
  EXPECT_EQ(editor_.Actor()->modules[0]->texture, 0);
  EXPECT_EQ(editor_.Actor()->modules[0]->right, 5);
  EXPECT_EQ(editor_.Actor()->modules[1]->texture, 1);
  EXPECT_EQ(editor_.Actor()->modules[1]->right, 6);
  ASSERT_EQ(Frame().GetModuleSize(), 2);
  EXPECT_EQ(Placement(0).module, 0);
  EXPECT_EQ(Placement(1).module, 1);
  EXPECT_EQ(editor_.SelectedTexture(), 0);
  EXPECT_EQ(editor_.SelectedModule(), 1);  // still module c
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  EXPECT_EQ(editor_.TexturePath(0), dir_.File("b.png"));

  editor_.DeleteTexture(1);
  editor_.DeleteTexture(5);  // out of range: nothing
  editor_.DeleteTexture(0);
  EXPECT_EQ(editor_.Actor()->textures.Num(), 0);
  EXPECT_EQ(editor_.TextureSurfaces().Num(), 0);
  EXPECT_EQ(editor_.Actor()->modules.Num(), 0);
  EXPECT_EQ(Frame().GetModuleSize(), 0);
  EXPECT_EQ(editor_.SelectedTexture(), -1);
  EXPECT_EQ(editor_.SelectedModule(), -1);
}

TEST_F(TexturesTest, ReplacingKeepsTheOldPictureWhenTheNewOneCannotBeRead) {
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("old.png")));
  editor_.SelectTexture(0);
  USurface* old = editor_.TextureSurfaces()[0];

  EXPECT_FALSE(editor_.ReplaceTexture(dir_.File("missing.png")));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("missing.png"), std::string::npos);
  EXPECT_EQ(editor_.TextureSurfaces()[0], old);
  EXPECT_EQ(std::string(editor_.Actor()->textures[0].name), "old.png");

  ASSERT_TRUE(editor_.ReplaceTexture(WriteTexture("new.png", 32, 4)));
  EXPECT_EQ(std::string(editor_.Actor()->textures[0].name), "new.png");
  EXPECT_EQ(editor_.Actor()->textures[0].width, 32);
  EXPECT_EQ(editor_.Actor()->textures[0].height, 4);
  EXPECT_EQ(editor_.TextureSurfaces()[0]->GetWidth(), 32);
  EXPECT_EQ(editor_.TexturePath(0), dir_.File("new.png"));
}

TEST_F(TexturesTest, FileNamesMustFitTheRecordOnceStoredAsGbk) {
  // Twelve Chinese characters are 24 bytes in GBK (36 in UTF-8) and fit with ".png".
  const std::string chinese = "贴图贴图贴图贴图贴图贴图.png";
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture(chinese)));
  const TTextureInfo& record = editor_.Actor()->textures[0];
  EXPECT_EQ(std::strlen(record.name), 28u);
  EXPECT_EQ(std::string(record.name, 2), "\xCC\xF9");
  EXPECT_TRUE(messages_.empty());

  // Fourteen are 28 bytes: with ".png" they would be cut, and the cut name would find nothing.
  const std::string tooLong = "贴图贴图贴图贴图贴图贴图贴图.png";
  EXPECT_FALSE(editor_.LoadTexture(WriteTexture(tooLong)));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("31"), std::string::npos);
  EXPECT_EQ(editor_.Actor()->textures.Num(), 1);
  EXPECT_EQ(editor_.TextureSurfaces().Num(), 1);

  // A saved document finds the Chinese file again by its GBK record.
  ASSERT_TRUE(editor_.SaveActor(dir_.File("doc.an1")));
  ASSERT_TRUE(editor_.LoadActor(dir_.File("doc.an1")));
  EXPECT_NE(editor_.TextureSurfaces()[0], nullptr);
  EXPECT_EQ(editor_.TexturePath(0), dir_.File(chinese));

  EXPECT_FALSE(editor_.LoadTexture(dir_.File("nothing.png")));
  EXPECT_EQ(messages_.size(), 2u);
}

// Every texture loaded comes with its record: the two lists never fall out of step.
template <typename Editor>
constexpr bool kLoadsWithoutRecord = requires(Editor& editor) {
  editor.LoadTexture(std::string(), false);
};
static_assert(!kLoadsWithoutRecord<CVelloEditor>);

TEST_F(TexturesTest, AFileEditedOnDiskIsReadAgainWhileUndoBringsBackTheOldPicture) {
  MakeFrame({UPoint(0, 0)});
  editor_.SelectTexture(0);
  const UPoint at = Client(3, 2);
  ASSERT_EQ(Rgb(Picture(), at.x, at.y), Texel(3, 2) & 0x00FFFFFFu);

  // The file is painted over in another program, in one colour and at twice the size.
  const std::string path = dir_.File("body.png");
  ASSERT_TRUE(WritePng(path, PngFromArgb(32, 16, std::vector<uint32_t>(32 * 16, 0xFF00C000u))));
  ASSERT_TRUE(editor_.ReplaceTexture(path));
  EXPECT_EQ(editor_.Actor()->textures[0].width, 32);
  editor_.Render();
  EXPECT_EQ(Rgb(Picture(), at.x, at.y), 0x00C000u);

  // The history kept the picture the texture had before.
  editor_.Undo();
  EXPECT_EQ(editor_.Actor()->textures[0].width, 16);
  editor_.Render();
  EXPECT_EQ(Rgb(Picture(), at.x, at.y), Texel(3, 2) & 0x00FFFFFFu);
}

// Where the view's OpenGL cannot start (or has not started yet), textures are read all the same.
class TexturesWithoutViewTest : public EditorTest {
 protected:
  bool BindsView() const override { return false; }
};

TEST_F(TexturesWithoutViewTest, TexturesAreReadWithoutTheViewAndDrawnOnceItStarts) {
  EXPECT_EQ(editor_.AddTextures({WriteTexture("a.png"), WriteTexture("b.png", 32, 4)}), 2);
  EXPECT_EQ(editor_.Actor()->textures[1].height, 4);
  editor_.SelectTexture(1);
  ASSERT_TRUE(editor_.ReplaceTexture(WriteTexture("c.png", 8, 8)));
  EXPECT_EQ(editor_.Actor()->textures[1].width, 8);
  editor_.SelectModule(editor_.CreateModule(Module(0, 0, 0, 16, 8)));
  editor_.CreateFrame("frame");
  editor_.PlaceModule();
  ASSERT_TRUE(editor_.SaveActor(dir_.File("doc.an1")));

  // The document and a recovered copy of it find their files.
  ASSERT_TRUE(editor_.LoadActor(dir_.File("doc.an1")));
  EXPECT_EQ(editor_.TextureSurfaces()[1]->GetWidth(), 8);
  ASSERT_TRUE(editor_.OpenRecovered(editor_.StoredActor(), dir_.File("doc.an1"), {}));
  EXPECT_EQ(editor_.TexturePath(1), dir_.File("c.png"));
  EXPECT_TRUE(messages_.empty());

  // The view starts: the pictures read before it are drawn.
  ASSERT_TRUE(editor_.ViewInit(&host_));
  editor_.SelectFrame(0);
  editor_.Render();
  const UPoint at = Client(3, 2);
  EXPECT_EQ(Rgb(Picture(), at.x, at.y), Texel(3, 2) & 0x00FFFFFFu);
}
