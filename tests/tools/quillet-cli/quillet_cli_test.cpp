#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "tests/core/tiles/tile_test_support.h"
#include "tests/support/file_faults.h"
#include "tests/support/model_records.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"

using Bytes = std::vector<unsigned char>;

namespace {

// An actor with GBK names and every kind of float value a placement can carry.
void BuildActor(UObjActor& actor) {
  actor.Init();
  actor.name = UName("\xD0\xD0\xD7\xDF");  // "行走" in GBK
  TTextureInfo texture;
  std::strcpy(texture.name, "t.png");
  texture.width = 64;
  texture.height = 32;
  actor.AddTexture(texture);
  auto* module = new UObjModule(Module(3, 0, 0, 16, 8));  // texture 3 does not exist: kept as is
  module->Attribute = 9;
  actor.AddModule(module);
  auto* frame = new UObjFrame;
  frame->name = UName("f\"1\\");
  frame->origin = UPoint16(-5, 6);
  frame->collision = URect(-1, -2, 3, 4);
  TFrameTag tag;
  tag.name = UName("hit");
  tag.Param1 = -7;
  tag.Param2 = 8;
  tag.x = 1;
  tag.y = 2;
  tag.width = 3;
  tag.height = 4;
  frame->tags.push_back(tag);
  frame->AddModule(0, 10, -20);
  TObjFrame& p = frame->placements[0];
  p.affine.FlipY = 1;
  p.affine.Rotate = 2;
  p.affine.ScaleXEnable = 1;
  p.affine.ScaleYEnable = 1;
  p.affine.RotateAngleEnable = 1;
  p.affine.AlphaBlendEnable = 1;
  p.affine.AlphaBlendMode = 5;
  p.affine.AlphaBlendOP = 1;
  p.ScaleX = 0.1f;
  p.ScaleY = -std::numeric_limits<float>::infinity();
  p.RotateAngle = std::nanf("");
  p.AlphaValue = 200;
  frame->AddModule(0, 0, 0);
  actor.AddFrame(frame);
  auto* action = new UObjAction;
  action->name = UName("\xB9\xA5");  // "攻" in GBK
  action->speed = 3;
  action->keys.push_back(TActionFrame{0, 0, 0, 0});
  action->keys.push_back(TActionFrame{5, 0, 0, 0});
  actor.AddAction(action);
}

const char kExpectedDump[] =
    R"({"name":"行走","textures":[{"name":"t.png","width":64,"height":32}],)"
    R"("modules":[{"texture":3,"Attribute":9,"left":0,"top":0,"right":16,"bottom":8}],)"
    R"("frames":[{"name":"f\"1\\","origin":[-5,6],"collision":[-1,-2,3,4],)"
    R"("tags":[{"name":"hit","Param1":-7,"Param2":8,"x":1,"y":2,"width":3,"height":4}],)"
    R"("placements":[{"module":0,"x":10,"y":-20,"FlipX":0,"FlipY":1,"Rotate":2,)"
    R"("ScaleXEnable":1,"ScaleYEnable":1,"RotateAngleEnable":1,"AlphaBlendEnable":1,)"
    R"("AlphaBlendMode":5,"AlphaBlendOP":1,"Reserved":0,"ScaleX":0.100000001,)"
    R"("ScaleY":"-inf","RotateAngle":"nan","AlphaValue":200},)"
    R"({"module":0,"x":0,"y":0,"FlipX":0,"FlipY":0,"Rotate":0,"ScaleXEnable":0,)"
    R"("ScaleYEnable":0,"RotateAngleEnable":0,"AlphaBlendEnable":0,"AlphaBlendMode":0,)"
    R"("AlphaBlendOP":0,"Reserved":0,"ScaleX":1,"ScaleY":1,"RotateAngle":0,"AlphaValue":1}]}],)"
    R"("actions":[{"name":"攻","speed":3,"keys":[{"time":0,"frame":0,"flags":1,"reserved":0},)"
    R"({"time":5,"frame":0,"flags":0,"reserved":0}]}]})"
    "\n";

}  // namespace

TEST(QuilletCliTest, DumpPrintsTheDocumentAsRead) {
  TempDir dir;
  const std::string doc = dir.File("doc.an1");
  UObjActor actor;
  BuildActor(actor);
  ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));
  const CliRun run = RunCli(dir, "dump " + Quoted(doc));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kExpectedDump);
  EXPECT_EQ(run.err, "");
}

TEST(QuilletCliTest, ResaveRewritesOnlyTheFreeBytesAndIsStable) {
  TempDir dir;
  const std::string in = dir.File("in.an1");
  UObjActor actor;
  BuildActor(actor);
  actor.SetIntroploate();  // the blend bits a reader recomputes
  ASSERT_TRUE(SaveActorFile(in.c_str(), actor));
  Bytes original = ReadFileBytes(in);
  // As the original editor leaves them: a non-zero tag head, a stale hash and padding, and a
  // stale blend bit on the last key.
  Bytes noisy = original;
  const size_t tag_at = 32 + 4 + 36 + 4 + 12 + 4 + 32 + 4 + 16 + 4;
  noisy[tag_at] = 0x5A;
  noisy[tag_at + 36] = 0x11;
  noisy[tag_at + 38] = 0x22;
  const size_t last_key_flags = noisy.size() - 8;
  noisy[last_key_flags] = 1;
  WriteFileBytes(in, noisy);

  const std::string out = dir.File("out.an1");
  CliRun run = RunCli(dir, "resave " + Quoted(in) + " " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFileBytes(out), original);

  const std::string again = dir.File("again.an1");
  run = RunCli(dir, "resave " + Quoted(out) + " " + Quoted(again));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(again), original);
}

TEST(QuilletCliTest, ErrorsAreOneLineWithTheirExitStatus) {
  TempDir dir;
  const std::string doc = dir.File("doc.an1");
  UObjActor actor;
  BuildActor(actor);
  ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));
  Bytes truncated = ReadFileBytes(doc);
  truncated.resize(truncated.size() - 3);
  const std::string cut = dir.File("cut.an1");
  WriteFileBytes(cut, truncated);

  struct Case {
    std::string args;
    int status;
  };
  const Case cases[] = {
      {"dump " + Quoted(dir.File("missing.an1")), 1},
      {"dump " + Quoted(cut), 1},
      {"resave " + Quoted(cut) + " " + Quoted(dir.File("x.an1")), 1},
      {"resave " + Quoted(doc) + " " + Quoted(dir.File("no/dir/x.an1")), 1},
      {"", 2},
      {"dump", 2},
      {"dump " + Quoted(doc) + " extra", 2},
      {"resave " + Quoted(doc), 2},
      {"frobnicate", 2},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(dir, c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
    ASSERT_FALSE(run.err.empty()) << c.args;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.args << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.an1")));
  EXPECT_EQ(
      RunCli(dir, "dump " + Quoted(cut)).err,
      "quillet-cli dump: '" + cut + "' is damaged: its key count is more than the file can hold\n");
}

TEST(QuilletCliTest, HelpOnTheToolAndEachCommand) {
  TempDir dir;
  for (const char* args : {"--help", "dump --help", "resave --help", "resave -h", "draws --help",
                           "stx-import --help", "stx-export --help", "stx-info -h"}) {
    const CliRun run = RunCli(dir, args);
    EXPECT_EQ(run.status, 0) << args;
    EXPECT_NE(run.out.find("Usage: quillet-cli"), std::string::npos) << args;
    EXPECT_EQ(run.err, "") << args;
  }
  const CliRun tool = RunCli(dir, "--help");
  EXPECT_NE(tool.out.find("dump"), std::string::npos);
  EXPECT_NE(tool.out.find("resave"), std::string::npos);
  EXPECT_NE(tool.out.find("draws"), std::string::npos);
  EXPECT_NE(tool.out.find("stx-import"), std::string::npos);
}

namespace {

// Two textures; module 0 on texture 1, module 1 on texture 0; frame 0 places module 0 with
// origin (10, 20), frame 1 places module 0 further right and module 1 mirrored; one action
// blends from frame 0 to frame 0 moved (keys 0 and 4) and ends on frame 1.
void BuildDrawingActor(UObjActor& actor) {
  actor.Init();
  for (const char* name : {"a.png", "b.png"}) {
    TTextureInfo texture;
    std::strcpy(texture.name, name);
    texture.width = 64;
    texture.height = 64;
    actor.AddTexture(texture);
  }
  for (const uint16_t texture : {uint16_t{1}, uint16_t{0}}) {
    actor.AddModule(new UObjModule(Module(texture, 2, 4, 18, 12)));
  }
  auto* first = new UObjFrame;
  first->origin = UPoint16(10, 20);
  first->AddModule(0, 0, 0);
  actor.AddFrame(first);
  auto* moved = new UObjFrame(*first);
  moved->placements[0].x = 8;
  actor.AddFrame(moved);
  auto* last = new UObjFrame;
  last->AddModule(0, 30, 0);
  last->AddModule(1, 0, 0);
  last->placements[1].affine.FlipX = 1;
  last->placements[1].affine.AlphaBlendEnable = 1;
  last->placements[1].AlphaValue = 0x80;
  actor.AddFrame(last);
  auto* action = new UObjAction;
  action->keys.push_back(TActionFrame{0, 0, 0, 0});
  action->keys.push_back(TActionFrame{4, 1, 0, 0});
  action->keys.push_back(TActionFrame{6, 2, 0, 0});
  actor.AddAction(action);
}

}  // namespace

TEST(QuilletCliTest, DrawsListsTheSurfaceDrawsOfAFrameAndAnInBetween) {
  TempDir dir;
  const std::string doc = dir.File("doc.an1");
  UObjActor actor;
  BuildDrawingActor(actor);
  ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));

  CliRun run = RunCli(dir, "draws " + Quoted(doc) + " --frame 2 --pos 100,-5");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, R"({"call":"DrawSurface","dst":[130,-5,146,3],"surface":1,"src":[2,4,18,12],)"
                     R"("fx":{"size":16,"flags":0,"angle":0,"color":0}})"
                     "\n"
                     R"({"call":"DrawSurface","dst":[100,-5,116,3],"surface":0,"src":[2,4,18,12],)"
                     R"("fx":{"size":16,"flags":258,"angle":0,"color":2164260863}})"
                     "\n");

  // Halfway between the first two keys the placement has moved 4 of its 8 pixels.
  run = RunCli(dir, "draws " + Quoted(doc) + " --action 0 --time 2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, R"({"call":"DrawSurface","dst":[14,20,30,28],"surface":1,"src":[2,4,18,12],)"
                     R"("fx":{"size":16,"flags":0,"angle":0,"color":0}})"
                     "\n");

  run = RunCli(dir, "draws " + Quoted(doc) + " --action 0 --time -1");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST(QuilletCliTest, DrawsRefusesPicturesTheDocumentDoesNotHave) {
  TempDir dir;
  const std::string doc = dir.File("doc.an1");
  UObjActor actor;
  BuildDrawingActor(actor);
  ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));
  const std::string quoted = Quoted(doc);
  for (const std::string& args :
       {"draws " + quoted, "draws " + quoted + " --frame 3", "draws " + quoted + " --frame x",
        "draws " + quoted + " --frame 0 --action 0 --time 1", "draws " + quoted + " --action 0",
        "draws " + quoted + " --action 1 --time 0", "draws " + quoted + " --action 0 --time z",
        "draws " + quoted + " --frame 0 --pos 3", "draws " + quoted + " --frame 0 --zoom 2",
        "draws " + quoted + " --frame"}) {
    const CliRun run = RunCli(dir, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << args << ": " << run.err;
  }
  const CliRun missing = RunCli(dir, "draws " + Quoted(dir.File("none.an1")) + " --frame 0");
  EXPECT_EQ(missing.status, 1);
}

namespace {

// A 20 x 10 picture of 4 x 4 tiles: tile 1 is tile 0 mirrored left-right, tile 2 repeats tile 0,
// tiles 3 and 4 are new; the last 4 columns and 2 rows are not whole tiles.
TBitmap StxSourcePicture() {
  return MakePicture(20, 10, [](int x, int y) {
    const int tx = x / 4;
    const int u = x % 4;
    const int v = y % 4;
    if (y >= 4) {
      return TileColor(5 + tx, u, v);
    }
    switch (tx) {
      case 0:
      case 2:
        return TileColor(0, u, v);
      case 1:
        return TileColor(0, 3 - u, v);
      default:
        return TileColor(tx, u, v);
    }
  });
}

}  // namespace

TEST(QuilletCliTest, StxImportInfoAndExportWorkOnRealPictures) {
  TempDir dir;
  const TBitmap picture = StxSourcePicture();
  ASSERT_TRUE(SavePicture(picture.get(), dir.File("level.png"), FIF_PNG));
  const std::string stx = dir.File("out.stx");
  CliRun run = RunCli(dir, "stx-import " + Quoted(dir.File("level.png")) + " " + Quoted(stx) +
                               " --tile 4x4 --flips");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, R"({"stx":")" + stx + R"(","tileset":")" + dir.File("out_tileset.png") +
                         R"(","mapWidth":5,"mapHeight":2,"tileCount":8})" + "\n");
  EXPECT_TRUE(std::filesystem::exists(dir.File("out_tileset.png")));

  run = RunCli(dir, "stx-info " + Quoted(stx));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            R"({"width":20,"height":10,"tileWidth":4,"tileHeight":4,"mapWidth":5,"mapHeight":2,)"
            R"("tileCount":8,"tileset":"out_tileset.png",)"
            R"("map":[0,134217728,0,1,2,3,4,5,6,7]})"
            "\n");

  const std::string png = dir.File("whole.png");
  run = RunCli(dir, "stx-export " + Quoted(stx) + " " + Quoted(png));
  ASSERT_EQ(run.status, 0) << run.err;
  const TBitmap whole = ReadPicture(png);
  ASSERT_NE(whole, nullptr);
  ASSERT_EQ(FreeImage_GetWidth(whole.get()), 20u);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(PixelAt(whole.get(), x, y), PixelAt(picture.get(), x, y)) << x << "," << y;
    }
  }

  run =
      RunCli(dir, "stx-export " + Quoted(stx) + " --tileset-square " + Quoted(dir.File("sq.png")));
  ASSERT_EQ(run.status, 0) << run.err;
  const TBitmap sheet = ReadPicture(dir.File("sq.png"));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(FreeImage_GetWidth(sheet.get()), 12u);  // 8 tiles: 3 columns, 3 rows
  EXPECT_EQ(FreeImage_GetHeight(sheet.get()), 12u);

  run = RunCli(dir, "stx-import " + Quoted(dir.File("level.png")) + " " +
                        Quoted(dir.File("all.stx")) + " --tile 4x4 --no-compress");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("tileCount":10)"), std::string::npos) << run.out;
}

TEST(QuilletCliTest, StxErrorsAreOneLineWithTheirExitStatus) {
  TempDir dir;
  const TBitmap small = MakePicture(6, 6, [](int x, int y) { return TileColor(1, x, y); });
  ASSERT_TRUE(SavePicture(small.get(), dir.File("small.png"), FIF_PNG));
  WriteFileBytes(dir.File("junk.stx"), Bytes(40, 7));
  struct Case {
    std::string args;
    int status;
  };
  const std::string out = Quoted(dir.File("o.stx"));
  const Case cases[] = {
      {"stx-import " + Quoted(dir.File("small.png")) + " " + out + " --tile 8x8", 1},
      {"stx-import " + Quoted(dir.File("none.png")) + " " + out + " --tile 4x4", 1},
      {"stx-import " + Quoted(dir.File("small.png")) + " " + out, 2},
      {"stx-import " + Quoted(dir.File("small.png")) + " " + out + " --tile 0x4", 2},
      {"stx-import " + Quoted(dir.File("small.png")) + " " + out + " --tile 4by4", 2},
      {"stx-import " + Quoted(dir.File("small.png")) + " --tile 4x4", 2},
      {"stx-info " + Quoted(dir.File("junk.stx")), 1},
      {"stx-info " + Quoted(dir.File("none.stx")), 1},
      {"stx-info", 2},
      {"stx-export " + Quoted(dir.File("junk.stx")) + " " + Quoted(dir.File("x.png")), 1},
      {"stx-export " + Quoted(dir.File("junk.stx")), 2},
      {"stx-export " + Quoted(dir.File("junk.stx")) + " --square x.png", 2},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(dir, c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
    ASSERT_FALSE(run.err.empty()) << c.args;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.args << ": " << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.stx")));
  const CliRun smallRun = RunCli(dir, cases[0].args);
  EXPECT_NE(smallRun.err.find("smaller than one tile"), std::string::npos) << smallRun.err;
}

TEST(QuilletCliTest, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
  TempDir dir;
  const std::string out = Quoted(dir.File("o.stx"));
  std::string message;
  const auto refused = [&](const std::string& fifo, const std::string& args) {
    return RefusesFifoAtOnce(fifo, [&] {
      const CliRun run = RunCli(dir, args);
      message = run.err;
      return run.status != 1;
    });
  };
  EXPECT_TRUE(refused(dir.File("doc.an1"), "dump " + Quoted(dir.File("doc.an1"))));
  EXPECT_EQ(message,
            "quillet-cli dump: cannot open '" + dir.File("doc.an1") + "': not a regular file\n");
  EXPECT_TRUE(refused(dir.File("map.stx"), "stx-info " + Quoted(dir.File("map.stx"))));
  EXPECT_TRUE(refused(dir.File("in.png"),
                      "stx-import " + Quoted(dir.File("in.png")) + " " + out + " --tile 4x4"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.stx")));
}

TEST(QuilletCliTest, StandardOutputIsWrittenInPlaceAndChecked) {
  TempDir dir;
  const std::string doc = dir.File("doc.an1");
  UObjActor actor;
  BuildDrawingActor(actor);
  ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));
  const std::string log = dir.File("build.log");
  WriteFileBytes(log, {'l', 'o', 'g'});
  CliRun run = RunCli(dir, "resave " + Quoted(doc) + " /dev/stdout >> " + Quoted(log));
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(RunCli(dir, "resave " + Quoted(doc) + " " + Quoted(dir.File("out.an1"))).status, 0);
  Bytes expected = {'l', 'o', 'g'};
  const Bytes document = ReadFileBytes(dir.File("out.an1"));
  expected.insert(expected.end(), document.begin(), document.end());
  EXPECT_EQ(ReadFileBytes(log), expected);

  const TBitmap picture = MakePicture(8, 4, [](int x, int y) { return TileColor(x, x, y); });
  ASSERT_TRUE(SavePicture(picture.get(), dir.File("in.png"), FIF_PNG));
  ASSERT_EQ(RunCli(dir, "stx-import " + Quoted(dir.File("in.png")) + " " +
                            Quoted(dir.File("map.stx")) + " --tile 4x4")
                .status,
            0);
  for (const std::string& args : {"dump " + Quoted(doc), "draws " + Quoted(doc) + " --frame 0",
                                  std::string("--help"), "stx-info " + Quoted(dir.File("map.stx")),
                                  "stx-import " + Quoted(dir.File("in.png")) + " " +
                                      Quoted(dir.File("again.stx")) + " --tile 4x4"}) {
    run = RunCli(dir, args + " > /dev/full");
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.err, "quillet-cli: cannot write the standard output: No space left on device\n")
        << args;
  }
}
