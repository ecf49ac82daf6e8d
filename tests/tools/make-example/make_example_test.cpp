#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kExamples = QUILLET_EXAMPLES_DIR;

// Runs the built generator with `args` (quoted for the shell); its exit status, -1 when it did
// not exit normally. What it writes on stderr goes to `errPath`.
int RunGenerator(const std::string& args, const std::string& errPath) {
  const std::string command =
      std::string("'") + MAKE_EXAMPLE + "' " + args + " 2>'" + errPath + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // top row first

  uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

// Decodes a PNG through libpng into 0xAARRGGBB words with straight alpha.
Picture DecodePng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Picture picture;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    ADD_FAILURE() << path << ": " << image.message;
    return picture;
  }
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.argb.resize(static_cast<size_t>(picture.width) * picture.height);
  if (png_image_finish_read(&image, nullptr, picture.argb.data(), 0, nullptr) == 0) {
    ADD_FAILURE() << path << ": " << image.message;
    picture = Picture{};
  }
  return picture;
}

bool InModule(const UObjActor& actor, int x, int y) {
  for (const UObjModule* module : actor.modules) {
    if (x >= module->left && x < module->right && y >= module->top && y < module->bottom) {
      return true;
    }
  }
  return false;
}

}  // namespace

TEST(MakeExample, TheShippedExampleIsWhatTheGeneratorWrites) {
  TempDir dir;
  ASSERT_EQ(RunGenerator("'" + dir.path().string() + "'", dir.File("stderr.txt")), 0)
      << ReadFileText(dir.File("stderr.txt"));

  // The document byte for byte; the texture pixel for pixel (another zlib may pack it
  // differently).
  const std::vector<unsigned char> made = ReadFileBytes(dir.File("hero.an1"));
  ASSERT_FALSE(made.empty());
  EXPECT_EQ(ReadFileBytes(kExamples + "/hero.an1"), made)
      << "examples/hero.an1 is stale: run make-example examples from the repository root";
  const Picture madeTexture = DecodePng(dir.File("hero.png"));
  const Picture shippedTexture = DecodePng(kExamples + "/hero.png");
  EXPECT_EQ(shippedTexture.width, madeTexture.width);
  EXPECT_EQ(shippedTexture.height, madeTexture.height);
  EXPECT_TRUE(shippedTexture.argb == madeTexture.argb)
      << "examples/hero.png is stale: run make-example examples from the repository root";

  // A second run writes the same bytes again: nothing depends on the clock.
  TempDir again;
  ASSERT_EQ(RunGenerator("'" + again.path().string() + "'", dir.File("stderr.txt")), 0);
  EXPECT_EQ(ReadFileBytes(again.File("hero.an1")), made);
}

TEST(MakeExample, TheExampleIsACharacterCutFromItsTextureWithTwoBlendingActions) {
  UObjActor actor;
  ASSERT_TRUE(LoadActorFile((kExamples + "/hero.an1").c_str(), actor));
  EXPECT_STREQ(actor.name.GetString(), "hero");

  // One texture, found beside the document, with transparency.
  ASSERT_EQ(actor.textures.Num(), 1);
  EXPECT_STREQ(actor.textures[0].name, "hero.png");
  const Picture texture = DecodePng(kExamples + "/" + actor.textures[0].name);
  ASSERT_EQ(texture.width, actor.textures[0].width);
  ASSERT_EQ(texture.height, actor.textures[0].height);
  EXPECT_EQ(texture.At(0, 0) >> 24, 0u);

  // The modules cut the figure's parts out of the texture: each lies inside it and shows
  // something, and nothing visible lies outside every module.
  EXPECT_GE(actor.modules.Num(), 4);
  for (const UObjModule* module : actor.modules) {
    EXPECT_EQ(module->texture, 0);
    ASSERT_LE(module->right, texture.width);
    ASSERT_LE(module->bottom, texture.height);
    ASSERT_LT(module->left, module->right);
    ASSERT_LT(module->top, module->bottom);
    int visible = 0;
    for (int y = module->top; y < module->bottom; ++y) {
      for (int x = module->left; x < module->right; ++x) {
        visible += texture.At(x, y) >> 24 != 0 ? 1 : 0;
      }
    }
    EXPECT_GT(visible, 0) << "module " << module->left << "," << module->top;
  }
  int strayPixels = 0;
  for (int y = 0; y < texture.height; ++y) {
    for (int x = 0; x < texture.width; ++x) {
      strayPixels += texture.At(x, y) >> 24 != 0 && !InModule(actor, x, y) ? 1 : 0;
    }
  }
  EXPECT_EQ(strayPixels, 0);

  // Frames with collision boxes and tags, placing modules that exist.
  EXPECT_GE(actor.frames.Num(), 4);
  for (const UObjFrame* frame : actor.frames) {
    SCOPED_TRACE(frame->name.GetString());
    EXPECT_FALSE(frame->name.IsEmpty());
    EXPECT_GT(frame->collision.GetWidth(), 0);
    EXPECT_GT(frame->collision.GetHeight(), 0);
    EXPECT_FALSE(frame->tags.empty());
    for (const TFrameTag& tag : frame->tags) {
      EXPECT_FALSE(tag.name.IsEmpty());
    }
    ASSERT_FALSE(frame->placements.empty());
    for (const TObjFrame& placement : frame->placements) {
      EXPECT_LT(placement.module, actor.modules.Num());
    }
  }

  // "idle" and "walk": every key but the last blends toward the next once the document is read.
  ASSERT_EQ(actor.actions.Num(), 2);
  for (const char* name : {"idle", "walk"}) {
    SCOPED_TRACE(name);
    const UObjAction* action = actor.GetAction(name);
    ASSERT_NE(action, nullptr);
    ASSERT_GE(action->keys.Num(), 3);
    for (int i = 0; i < action->keys.Num(); ++i) {
      const TActionFrame& key = action->keys[static_cast<size_t>(i)];
      EXPECT_LT(key.frame, static_cast<uint32_t>(actor.frames.Num()));
      if (i + 1 < action->keys.Num()) {
        EXPECT_EQ(key.flags & kKeyBlendsToNext, kKeyBlendsToNext) << "key " << i;
        EXPECT_NE(key.frame, action->keys[static_cast<size_t>(i + 1)].frame);
      }
    }
  }
  // Playing walk between two keys gives an in-between picture.
  const int walk = actor.FindAnimByName("walk");
  UObjFrame between;
  EXPECT_EQ(actor.GetInterpolationFrame(walk, 2.0f, &between), -2);
}

TEST(MakeExample, AFolderThatCannotBeWrittenIsReportedInOneLine) {
  TempDir dir;
  const std::string missing = dir.File("no-such-folder");
  EXPECT_EQ(RunGenerator("'" + missing + "'", dir.File("stderr.txt")), 1);
  const std::string err = ReadFileText(dir.File("stderr.txt"));
  EXPECT_EQ(err.find("make-example: "), 0u) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(RunGenerator("a b", dir.File("stderr.txt")), 2);
}
