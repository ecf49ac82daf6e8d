// The thumbnailer as a file manager runs it: the command comes from the installed entry's Exec
// line with %i, %o and %s filled in.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"

namespace {

// The entry's Exec line with the document, the output and the size put in, and its program
// replaced by the built one.
std::string ThumbnailerArguments(const std::string& in, const std::string& out, int size) {
  std::ifstream entry(QUILLET_THUMBNAILER);
  std::string line;
  while (std::getline(entry, line) && line.rfind("Exec=", 0) != 0) {
  }
  EXPECT_EQ(line.rfind("Exec=quillet-cli ", 0), 0u) << line;
  std::istringstream words(line.substr(std::string("Exec=quillet-cli ").size()));
  std::string arguments;
  for (std::string word; words >> word;) {
    const std::string value = word == "%i"   ? Quoted(in)
                              : word == "%o" ? Quoted(out)
                              : word == "%s" ? std::to_string(size)
                                             : word;
    arguments += value + " ";
  }
  return arguments;
}

TEST(ThumbnailerTest, DrawsTheExampleAndRefusesWhatItCannotDrawWithoutOutput) {
  TempDir dir;
  for (const char* file : {"hero.an1", "hero.png"}) {
    std::filesystem::copy_file(std::string(QUILLET_EXAMPLES_DIR "/") + file, dir.File(file));
  }
  const std::string out = dir.File("thumbnail.png");
  CliRun run = RunCli(dir, ThumbnailerArguments(dir.File("hero.an1"), out, 128));
  ASSERT_EQ(run.status, 0) << run.err;
  FIBITMAP* picture = FreeImage_Load(FIF_PNG, out.c_str(), PNG_DEFAULT);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(FreeImage_GetBPP(picture), 32u);
  EXPECT_LE(FreeImage_GetWidth(picture), 128u);
  EXPECT_LE(FreeImage_GetHeight(picture), 128u);
  int drawn = 0;
  for (unsigned y = 0; y < FreeImage_GetHeight(picture); ++y) {
    const BYTE* row = FreeImage_GetScanLine(picture, static_cast<int>(y));
    for (unsigned x = 0; x < FreeImage_GetWidth(picture); ++x) {
      drawn += row[x * 4 + FI_RGBA_ALPHA] != 0 ? 1 : 0;
    }
  }
  FreeImage_Unload(picture);
  // The figure fills a good part of the square; the rest stays transparent.
  EXPECT_GT(drawn, 128 * 128 / 8);
  EXPECT_LT(drawn, 128 * 128);
  // Kept for people to look at.
  std::filesystem::copy_file(out, QUILLET_SCREENSHOT_DIR "/thumbnail.png",
                             std::filesystem::copy_options::overwrite_existing);

  // As in a sandbox that shows the document alone: the texture is missing.
  TempDir alone;
  std::filesystem::copy_file(dir.File("hero.an1"), alone.File("hero.an1"));
  run = RunCli(alone, ThumbnailerArguments(alone.File("hero.an1"), alone.File("t.png"), 128));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("hero.png"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(alone.File("t.png")));

  // A damaged document: cut short.
  std::vector<unsigned char> bytes = ReadFileBytes(dir.File("hero.an1"));
  bytes.resize(bytes.size() / 2);
  WriteFileBytes(dir.File("cut.an1"), bytes);
  run = RunCli(dir, ThumbnailerArguments(dir.File("cut.an1"), dir.File("cut.png"), 128));
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("cut.png")));

  // A size outside 1..1024.
  run = RunCli(dir, ThumbnailerArguments(dir.File("hero.an1"), dir.File("big.png"), 4096));
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("big.png")));
}

}  // namespace
