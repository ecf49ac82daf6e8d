#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "core/anim/actor_file.h"
#include "core/anim/obj_action.h"
#include "core/foundation/text_codec.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"

namespace {

const std::string kExample = QUILLET_EXAMPLES_DIR "/hero.an1";

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.insert(std::filesystem::relative(entry.path(), folder).string());
  }
  return names;
}

// The example saved beside its texture as `file`, with the actor and its actions renamed
// (UTF-8 names, stored as GBK).
std::string RenamedExample(const TempDir& dir, const std::string& file, const std::string& actor,
                           const std::string& idle, const std::string& walk) {
  UObjActor model;
  EXPECT_TRUE(LoadActorFile(kExample.c_str(), model));
  model.name = Utf8ToGbk(actor, 31).c_str();
  model.actions[0]->name = Utf8ToGbk(idle, 31).c_str();
  model.actions[1]->name = Utf8ToGbk(walk, 31).c_str();
  // An action without keys has nothing to export and fails nothing.
  auto* empty = new UObjAction();
  empty->name = "empty";
  model.AddAction(empty);
  EXPECT_TRUE(SaveActorFile(dir.File(file).c_str(), model));
  return dir.File(file);
}

TEST(QuilletCliExportTest, NamesAreSafeNumberedInOrderAndFailuresAreNamed) {
  TempDir dir;
  std::filesystem::copy_file(QUILLET_EXAMPLES_DIR "/hero.png", dir.File("hero.png"));
  const std::string chinese = RenamedExample(dir, "a.an1", "英雄", "站立", "走路");
  const std::string hostile = RenamedExample(dir, "b.an1", "../英雄", "a/b", "a_b");
  std::filesystem::create_directory(dir.File("alone"));
  std::filesystem::copy_file(kExample, dir.File("alone/hero.an1"));
  const std::string out = dir.File("out");

  const std::string documents = Quoted(chinese) + " " + Quoted(dir.File("alone/hero.an1")) + " " +
                                Quoted(hostile) + " " + Quoted(chinese);
  const CliRun run =
      RunCli(dir, "export " + documents + " --format gif --jobs 3 --out " + Quoted(out));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("alone/hero.an1: cannot load texture 'hero.png'"), std::string::npos)
      << run.err;
  EXPECT_EQ(FilesIn(out),
            (std::set<std::string>{"英雄_站立.gif", "英雄_走路.gif", ".._英雄_a_b.gif",
                                   ".._英雄_a_b_2.gif", "英雄_2_站立.gif", "英雄_2_走路.gif"}));

  // The same export on one thread writes the same bytes.
  RunCli(dir, "export " + documents + " --format gif --jobs 1 --out " + Quoted(out + "1"));
  for (const std::string& name : FilesIn(out)) {
    EXPECT_EQ(ReadFileBytes(out + "/" + name), ReadFileBytes(out + "1/" + name)) << name;
  }
}

TEST(QuilletCliExportTest, UsageErrorsAndHelp) {
  TempDir dir;
  const std::string out = " --out " + Quoted(dir.File("out"));
  const std::string example = "export " + Quoted(kExample);
  for (const char* tail :
       {" --scale 0", " --format bmp", " --fps -1", " --driver vulkan", " --jobs 0", " --action"}) {
    EXPECT_EQ(RunCli(dir, example + out + tail).status, 2) << tail;
  }
  EXPECT_EQ(RunCli(dir, "export" + out).status, 2);
  EXPECT_EQ(RunCli(dir, example).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
  const CliRun help = RunCli(dir, "export --help");
  for (const char* option :
       {"--out", "--action", "--format", "--scale", "--padding", "--max-size", "--pot", "--no-trim",
        "--keys", "--fps", "--driver", "--textures", "--jobs"}) {
    EXPECT_NE(help.out.find(std::string("  ") + option), std::string::npos) << option;
  }
}

}  // namespace
