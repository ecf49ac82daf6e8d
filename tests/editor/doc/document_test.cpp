#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/anim/actor_file.h"
#include "tests/editor/doc/editor_fixture.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class DocumentTest : public EditorTest {
 protected:
  // A saved document with two textures, one module each, and a frame placing both.
  std::string SaveTwoTextureDocument(const std::string& folder) {
    std::filesystem::create_directories(dir_.File(folder));
    EXPECT_TRUE(editor_.LoadTexture(WriteTexture(folder + "/arm.png")));
    EXPECT_TRUE(editor_.LoadTexture(WriteTexture(folder + "/leg.png")));
    editor_.SelectModule(editor_.CreateModule(Module(0, 0, 0, 8, 8)));
    editor_.CreateFrame("stand");
    editor_.PlaceModule();
    editor_.SelectModule(editor_.CreateModule(Module(1, 8, 0, 16, 8)));
    editor_.PlaceModule();
    const std::string path = dir_.File(folder + "/hero.an1");
    EXPECT_TRUE(editor_.SaveActor(path));
    return path;
  }
};

TEST_F(DocumentTest, EveryChangeMarksTheActorModifiedAndSavingClearsIt) {
  EXPECT_EQ(std::string(editor_.Actor()->name.GetString()), "Test");
  EXPECT_FALSE(editor_.IsModified());
  editor_.CreateFrame("one");
  EXPECT_TRUE(editor_.IsModified());
  editor_.CreateAction("walk");
  editor_.SetActorName("hero");
  // The title is told once, when the flag turns.
  EXPECT_EQ(listener_.Count(kChangeModified), 1);
  EXPECT_NE(listener_.Count(kChangeFrames), 0);
  EXPECT_NE(listener_.Count(kChangeActions), 0);

  ASSERT_TRUE(editor_.SaveActor(dir_.File("hero.an1")));
  EXPECT_FALSE(editor_.IsModified());
  EXPECT_EQ(listener_.Count(kChangeModified), 2);

  // A save that fails says where and why, and the edits stay unsaved.
  editor_.CreateFrame("two");
  EXPECT_FALSE(editor_.SaveActor(dir_.File("no-such-folder/hero.an1")));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("no-such-folder/hero.an1"), std::string::npos);
  EXPECT_GT(messages_[0].size(), std::string("无法保存文件 ").size() + 30);
  EXPECT_TRUE(editor_.IsModified());

  editor_.NewActor(std::nullopt);
  EXPECT_FALSE(editor_.IsModified());
  EXPECT_EQ(std::string(editor_.Actor()->name.GetString()), "");
  EXPECT_EQ(editor_.SelectedFrame(), -1);
  EXPECT_EQ(editor_.ShownFrame(), -1);
}

TEST_F(DocumentTest, NamesAreStoredAsGbkAndCutBetweenCharacters) {
  editor_.SetActorName("英雄");
  EXPECT_EQ(std::string(editor_.Actor()->name.GetString()), "\xD3\xA2\xD0\xDB");
  // Sixteen characters of two bytes: only fifteen fit the 31 bytes of a name.
  editor_.SetActorName("英英英英英英英英英英英英英英英英");
  EXPECT_EQ(std::string(editor_.Actor()->name.GetString()).size(), 30u);
}

TEST_F(DocumentTest, OpeningFindsTexturesBesideTheDocumentAndSelectsTheFirstFrame) {
  const std::string folder = dir_.File("art");
  const std::string path = SaveTwoTextureDocument("art");

  // The current directory holds no textures: the document's folder is searched first.
  editor_.SetCurrentDirectory(dir_.File("elsewhere"));
  editor_.NewActor("other");
  editor_.SetCurrentDirectory(dir_.File("elsewhere"));
  editor_.SetInterpolationDefault(0);
  ASSERT_TRUE(editor_.LoadActor(path));
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(editor_.IsModified());
  ASSERT_EQ(editor_.Actor()->textures.Num(), 2);
  ASSERT_EQ(editor_.TextureSurfaces().Num(), 2);
  EXPECT_NE(editor_.TextureSurfaces()[0], nullptr);
  EXPECT_EQ(editor_.TexturePath(0), folder + "/arm.png");
  EXPECT_EQ(editor_.TexturePath(1), folder + "/leg.png");
  EXPECT_EQ(editor_.TexturePath(2), "");
  EXPECT_EQ(editor_.SelectedTexture(), 0);
  EXPECT_EQ(editor_.SelectedFrame(), 0);
  EXPECT_EQ(editor_.ShownFrame(), 0);
  // Blending follows the user's setting, not the reader's starting value.
  EXPECT_FALSE(editor_.Actor()->interpolate);
  EXPECT_NE(listener_.Count(kChangeActor), 0);
}

TEST_F(DocumentTest, MissingTexturesAreListedOnceAndTheirRecordsSurvive) {
  const std::string folder = dir_.File("art");
  const std::string path = SaveTwoTextureDocument("art");
  const std::string saved = ReadBytes(path);
  std::filesystem::remove(folder + "/arm.png");
  std::filesystem::remove(folder + "/leg.png");

  editor_.NewActor("other");
  ASSERT_TRUE(editor_.LoadActor(path));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("arm.png"), std::string::npos);
  EXPECT_NE(messages_[0].find("leg.png"), std::string::npos);
  // The document is open: records, modules and frames as they were, without pictures.
  ASSERT_EQ(editor_.Actor()->textures.Num(), 2);
  EXPECT_EQ(editor_.Actor()->modules.Num(), 2);
  ASSERT_EQ(editor_.TextureSurfaces().Num(), 2);
  EXPECT_EQ(editor_.TextureSurfaces()[0], nullptr);
  EXPECT_EQ(editor_.TexturePath(0), "");
  editor_.Render();  // modules without a picture draw nothing

  // Saving writes the document back unchanged.
  ASSERT_TRUE(editor_.SaveActor(dir_.File("again.an1")));
  EXPECT_EQ(ReadBytes(dir_.File("again.an1")), saved);
}

TEST_F(DocumentTest, ADocumentThatCannotBeReadLeavesTheOpenOneUntouched) {
  editor_.CreateFrame("keep");
  const UObjActor* before = editor_.Actor();

  // Cut short in the middle of its records.
  const std::string full = dir_.File("full.an1");
  ASSERT_TRUE(editor_.SaveActor(full));
  editor_.CreateFrame("unsaved");
  const std::string bytes = ReadBytes(full);
  const std::string damaged = dir_.File("damaged.an1");
  std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() - 20);

  EXPECT_FALSE(editor_.LoadActor(damaged));
  EXPECT_FALSE(editor_.LoadActor(dir_.File("missing.an1")));
  EXPECT_FALSE(editor_.LoadActor(dir_.path().string()));  // a folder
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_NE(messages_[0].find("damaged.an1"), std::string::npos);
  EXPECT_NE(messages_[0].find("损坏"), std::string::npos);
  EXPECT_NE(messages_[1].find("missing.an1"), std::string::npos);
  EXPECT_NE(messages_[1].find("No such file"), std::string::npos);

  EXPECT_EQ(editor_.Actor(), before);
  EXPECT_EQ(editor_.Actor()->frames.Num(), 2);
  EXPECT_EQ(editor_.SelectedFrame(), 1);
  EXPECT_TRUE(editor_.IsModified());
}

TEST_F(DocumentTest, ShutdownSavesLastSaveFirstAndReleasesEverythingOnce) {
  MakeFrame({UPoint(0, 0)});
  editor_.Shutdown();
  EXPECT_FALSE(editor_.IsViewReady());
  EXPECT_EQ(editor_.Actor(), nullptr);
  EXPECT_TRUE(editor_.TextureSurfaces().empty());
  UObjActor saved;
  ASSERT_TRUE(LoadActorFile(dir_.File("LastSave.an1").c_str(), saved));
  EXPECT_EQ(std::string(saved.name.GetString()), "Test");
  EXPECT_EQ(saved.frames.Num(), 1);
  EXPECT_EQ(std::string(saved.textures[0].name), "body.png");

  // Nothing more happens on a second shutdown, nor do operations without an actor.
  std::filesystem::remove(dir_.File("LastSave.an1"));
  editor_.Shutdown();
  editor_.CreateFrame("none");
  editor_.Render();
  EXPECT_FALSE(std::filesystem::exists(dir_.File("LastSave.an1")));
}

TEST_F(DocumentTest, TextureRecordsNeverLeadOutOfTheFoldersSearched) {
  MakeFrame({UPoint(0, 0)});  // body.png in the test folder
  std::filesystem::create_directories(dir_.File("art"));
  ASSERT_TRUE(editor_.SaveActor(dir_.File("art/doc.an1")));
  // A record naming a file outside the document's folder, as a foreign document might.
  UObjActor foreign;
  ASSERT_TRUE(LoadActorFile(dir_.File("art/doc.an1").c_str(), foreign));
  std::strcpy(foreign.textures[0].name, "../body.png");
  ASSERT_TRUE(SaveActorFile(dir_.File("art/doc.an1").c_str(), foreign));

  editor_.SetCurrentDirectory(dir_.File("elsewhere"));
  ASSERT_TRUE(editor_.LoadActor(dir_.File("art/doc.an1")));
  EXPECT_EQ(editor_.TextureSurfaces()[0], nullptr);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("../body.png"), std::string::npos);

  // The bare name beside the document is found.
  std::filesystem::copy_file(dir_.File("body.png"), dir_.File("art/body.png"));
  ASSERT_TRUE(editor_.LoadActor(dir_.File("art/doc.an1")));
  EXPECT_EQ(editor_.TexturePath(0), dir_.File("art/body.png"));
  EXPECT_EQ(std::string(editor_.Actor()->textures[0].name), "../body.png");
}
