#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/anim/actor_file.h"
#include "core/anim/obj_actor.h"
#include "core/foundation/archive_ansi.h"
#include "core/foundation/archive_memory.h"
#include "tests/core/anim/allocation_meter.h"
#include "tests/support/model_records.h"
#include "tests/support/temp_dir.h"

using ::testing::ElementsAre;
using Bytes = std::vector<unsigned char>;

namespace {

// Bytes from hex text ("01 00 FD FF"), for literal layouts.
Bytes Hex(const std::string& text) {
  std::istringstream in(text);
  Bytes bytes;
  unsigned value = 0;
  while (in >> std::hex >> value) {
    bytes.push_back(static_cast<unsigned char>(value));
  }
  return bytes;
}

// A stored 32-byte name: the text, then zeros.
Bytes NameBytes(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(32, 0);
  return bytes;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

template <typename T>
Bytes Stored(const T& value) {
  UArchiveMemory ar;
  ar << value;
  return ar.GetBuffer();
}

template <typename T>
T ReadBack(const Bytes& bytes, bool* failed = nullptr) {
  UArchiveMemory ar(bytes.data(), bytes.size());
  T value;
  ar >> value;
  if (failed != nullptr) {
    *failed = ar.IsFailed();
  }
  return value;
}

// Reads a document from memory into a fresh actor; returns whether it read cleanly.
bool ReadDocument(const Bytes& bytes, UObjActor& actor) {
  actor.Init();
  UArchiveMemory ar(bytes.data(), bytes.size());
  ar >> actor;
  return !ar.IsFailed();
}

TFrameTag HitTag() {
  TFrameTag tag;
  tag.name = UName("hit");
  tag.Param1 = -1;
  tag.Param2 = 0x01020304;
  tag.x = 1;
  tag.y = -2;
  tag.width = 3;
  tag.height = 4;
  return tag;
}

// "hit" hashes to 0x0CA9.
const Bytes kHitTagBlock =
    Cat({Hex("00 00 00 00"), NameBytes("hit"),
         Hex("A9 0C 00 00  FF FF FF FF  04 03 02 01  01 00 FE FF 03 00 04 00")});

// A small document: actor "A"; texture "t.png" 64x32; one module; frame "f" with origin (5, -6),
// collision (-1, 2, 3, 4), the "hit" tag and one faded placement; action "run" with keys at 0
// and 8 both showing the frame (the first blends toward the second).
const Bytes kSmallDocument = Cat({
    NameBytes("A"),
    Hex("01 00 00 00"),
    NameBytes("t.png"),
    Hex("40 00 20 00"),
    Hex("01 00 00 00"),
    Hex("00 00 07 00 01 00 02 00 21 00 22 00"),
    Hex("01 00 00 00"),
    NameBytes("f"),
    Hex("05 00 FA FF"),
    Hex("FF FF FF FF 02 00 00 00 03 00 00 00 04 00 00 00"),
    Hex("01 00 00 00"),
    kHitTagBlock,
    Hex("00 00 00 00 00 00 00 00 00 00 00 00"),
    Hex("01 00 00 00"),
    Hex("00 00 02 00 03 00 80 00 80 00 00 00"),
    Hex("01 00 00 00"),
    NameBytes("run"),
    Hex("00 00 00 00"),
    Hex("02 00 00 00"),
    Hex("00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00"),
    Hex("08 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"),
});

// Offsets of the counts in kSmallDocument.
constexpr size_t kTextureCountAt = 32;
constexpr size_t kModuleCountAt = 72;
constexpr size_t kFrameCountAt = 88;
constexpr size_t kTagCountAt = 144;
constexpr size_t kPlacementCountAt = 216;
constexpr size_t kActionCountAt = 232;
constexpr size_t kKeyCountAt = 272;

void BuildSmallActor(UObjActor& actor) {
  actor.Init();
  actor.name = UName("A");
  TTextureInfo texture;
  std::strcpy(texture.name, "t.png");
  texture.width = 64;
  texture.height = 32;
  actor.AddTexture(texture);
  auto* module = new UObjModule(Module(0, 1, 2, 33, 34));
  module->Attribute = 7;
  actor.AddModule(module);
  auto* frame = new UObjFrame;
  frame->name = UName("f");
  frame->origin = UPoint16(5, -6);
  frame->collision = URect(-1, 2, 3, 4);
  frame->tags.push_back(HitTag());
  frame->AddModule(0, 2, 3);
  frame->placements[0].affine.AlphaBlendEnable = 1;
  frame->placements[0].AlphaValue = 0x80;
  actor.AddFrame(frame);
  auto* action = new UObjAction;
  action->name = UName("run");
  action->speed = 0;
  action->keys.push_back(TActionFrame{0, 0, 0, 0});
  action->keys.push_back(TActionFrame{8, 0, 0, 0});
  actor.AddAction(action);
  actor.SetIntroploate();
}

void PutInt32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
  }
}

}  // namespace

TEST(PlacementFormTest, OptionalFieldsFollowTheirEnableBits) {
  TObjFrame p;
  p.module = 1;
  p.x = -3;
  p.y = 4;
  p.affine.FlipY = 1;
  p.affine.ScaleXEnable = 1;
  p.ScaleX = 2.0f;
  p.ScaleY = 5.0f;  // not enabled, not stored
  EXPECT_EQ(Stored(p), Hex("01 00 FD FF 04 00 12 00 00 00 00 40"));

  TObjFrame plain;
  plain.module = 0x0102;
  plain.affine.Rotate = 3;
  plain.affine.FlipX = 1;
  plain.affine.AlphaBlendMode = 5;
  EXPECT_EQ(Stored(plain), Hex("02 01 00 00 00 00 0D 05"));

  TObjFrame all;
  all.affine.ScaleXEnable = 1;
  all.affine.ScaleYEnable = 1;
  all.affine.RotateAngleEnable = 1;
  all.affine.AlphaBlendEnable = 1;
  all.affine.AlphaBlendOP = 5;
  all.affine.Reserved = 1;
  all.ScaleX = 1.0f;
  all.ScaleY = -2.0f;
  all.RotateAngle = 0.5f;
  all.AlphaValue = 0x11223344;
  const Bytes stored = Stored(all);
  EXPECT_EQ(stored, Hex("00 00 00 00 00 00 F0 D0  00 00 80 3F  00 00 00 C0  00 00 00 3F "
                        "44 33 22 11"));
  bool failed = true;
  EXPECT_EQ(ReadBack<TObjFrame>(stored, &failed), all);
  EXPECT_FALSE(failed);
}

TEST(PlacementFormTest, ValuesNotStoredReadAsNeutral) {
  UObjFrame frame;
  frame.AddModule(4, 1, 2);  // scales 0.0 and alpha 0 in memory, nothing enabled
  const TObjFrame p = ReadBack<TObjFrame>(Stored(frame.placements[0]));
  EXPECT_EQ(p.module, 4);
  EXPECT_EQ(p.ScaleX, 1.0f);
  EXPECT_EQ(p.ScaleY, 1.0f);
  EXPECT_EQ(p.RotateAngle, 0.0f);
  EXPECT_EQ(p.AlphaValue, 1u);
}

TEST(TagFormTest, IsOneFiftySixByteBlock) {
  EXPECT_EQ(Stored(HitTag()), kHitTagBlock);
  EXPECT_EQ(kHitTagBlock.size(), 56u);

  // The free head, the hash and the padding are ignored on reading.
  Bytes noisy = kHitTagBlock;
  for (size_t at : {0, 1, 2, 3, 36, 37, 38, 39}) {
    noisy[at] = 0xEE;
  }
  const TFrameTag tag = ReadBack<TFrameTag>(noisy);
  EXPECT_STREQ(tag.name.GetString(), "hit");
  EXPECT_EQ(tag.name.GetCachedId(), 0x0CA9);
  EXPECT_EQ(tag.Param1, -1);
  EXPECT_EQ(tag.Param2, 0x01020304);
  EXPECT_EQ(tag.x, 1);
  EXPECT_EQ(tag.y, -2);
  EXPECT_EQ(tag.width, 3);
  EXPECT_EQ(tag.height, 4);
}

TEST(RecordFormTest, ModulesTexturesAndKeys) {
  UObjModule module;
  module.texture = 2;
  module.Attribute = 0xABCD;
  module.left = 1;
  module.top = 2;
  module.right = 0x1234;
  module.bottom = 4;
  EXPECT_EQ(Stored(module), Hex("02 00 CD AB 01 00 02 00 34 12 04 00"));
  const UObjModule back = ReadBack<UObjModule>(Stored(module));
  EXPECT_EQ(back.Attribute, 0xABCD);
  EXPECT_EQ(back.right, 0x1234);

  TTextureInfo texture;
  std::strcpy(texture.name, "a.png");
  texture.width = 70000;
  texture.height = 65535;
  EXPECT_EQ(Stored(texture), Cat({NameBytes("a.png"), Hex("70 11 FF FF")}));
  const TTextureInfo read = ReadBack<TTextureInfo>(Stored(texture));
  EXPECT_STREQ(read.name, "a.png");
  EXPECT_EQ(read.width, 4464);
  EXPECT_EQ(read.height, 65535);

  const TActionFrame key{0x01020304, 7, 1, 9};
  EXPECT_EQ(Stored(key), Hex("04 03 02 01 07 00 00 00 01 00 00 00 09 00 00 00"));
  const TActionFrame key_back = ReadBack<TActionFrame>(Stored(key));
  EXPECT_EQ(key_back.time, 0x01020304u);
  EXPECT_EQ(key_back.frame, 7u);
  EXPECT_EQ(key_back.flags, 0u);  // blend bits are recomputed, never taken from the file
  EXPECT_EQ(key_back.reserved, 0u);
}

TEST(RecordFormTest, ModuleRectangleExchange) {
  UObjModule module;
  module.left = 1;
  module.top = 2;
  module.right = 300;
  module.bottom = 0xFFFF;
  UArchiveMemory ar;
  module.ExportAbsoult(ar, 99, 99);
  EXPECT_EQ(ar.GetBuffer(), Hex("01 00 02 00 2C 01 FF FF"));

  UArchiveMemory in;
  in << 0.25f << 0.5f << 0.999f << 1.0f;
  in.Open(nullptr, ArRead);
  module.ImportFloat(in, 200, 100);
  EXPECT_EQ(module.left, 50);
  EXPECT_EQ(module.top, 50);
  EXPECT_EQ(module.right, 199);  // 199.8 truncated
  EXPECT_EQ(module.bottom, 100);

  UArchiveMemory hostile;
  hostile << std::nanf("") << -1.0f << 1e30f << 1.0f;
  hostile.Open(nullptr, ArRead);
  module.ImportFloat(hostile, 70000, 100);
  EXPECT_EQ(module.left, 0);
  EXPECT_EQ(module.top, static_cast<uint16_t>(-100));
  EXPECT_EQ(module.bottom, 100);
}

TEST(DocumentFormTest, EmptyActorIsItsNameAndFourZeroCounts) {
  UObjActor actor;
  actor.Init();
  actor.name = UName("TestActor");
  const Bytes expected = Cat({NameBytes("TestActor"), Bytes(16, 0)});
  EXPECT_EQ(Stored(actor), expected);
  EXPECT_EQ(expected.size(), 48u);
}

TEST(DocumentFormTest, SmallDocumentHasTheExactLayout) {
  UObjActor actor;
  BuildSmallActor(actor);
  EXPECT_EQ(Stored(actor), kSmallDocument);

  UObjActor read;
  ASSERT_TRUE(ReadDocument(kSmallDocument, read));
  EXPECT_STREQ(read.name.GetString(), "A");
  ASSERT_EQ(read.textures.Num(), 1);
  EXPECT_STREQ(read.textures[0].name, "t.png");
  EXPECT_EQ(read.textures[0].width, 64);
  ASSERT_EQ(read.modules.Num(), 1);
  EXPECT_EQ(read.modules[0]->bottom, 34);
  ASSERT_EQ(read.frames.Num(), 1);
  const UObjFrame& frame = *read.frames[0];
  EXPECT_EQ(frame.origin.y, -6);
  EXPECT_EQ(frame.collision.left, -1);
  ASSERT_EQ(frame.tags.Num(), 1);
  EXPECT_EQ(frame.tags[0].Param2, 0x01020304);
  ASSERT_EQ(frame.placements.Num(), 1);
  EXPECT_EQ(frame.placements[0].AlphaValue, 0x80u);
  EXPECT_EQ(frame.placements[0].ScaleX, 1.0f);
  ASSERT_EQ(read.actions.Num(), 1);
  EXPECT_STREQ(read.actions[0]->name.GetString(), "run");
  EXPECT_EQ(read.actions[0]->speed, 0);
  // The blend bits were recomputed from the frames after reading.
  ASSERT_EQ(read.actions[0]->keys.Num(), 2);
  EXPECT_EQ(read.actions[0]->keys[0].flags, 1u);
  EXPECT_EQ(read.actions[0]->keys[1].flags, 0u);
  EXPECT_EQ(Stored(read), kSmallDocument);
}

TEST(DocumentFormTest, ReadingAppendsToAnActorThatWasNotInitialised) {
  UObjActor actor;
  actor.AddModule(new UObjModule);
  actor.AddTexture(TTextureInfo{});
  actor.AddTexture(TTextureInfo{});
  UArchiveMemory ar(kSmallDocument.data(), kSmallDocument.size());
  ar >> actor;
  EXPECT_FALSE(ar.IsFailed());
  EXPECT_EQ(actor.textures.Num(), 1);  // the texture table is replaced
  EXPECT_EQ(actor.modules.Num(), 2);   // the other lists are appended to
}

TEST(DocumentFormTest, BadIndicesAreKeptAndNeverFollowed) {
  Bytes bytes = kSmallDocument;
  bytes[76] = 5;      // the module's texture index, past the texture table
  bytes[220] = 9;     // the placement's module index, past the module list
  bytes[280] = 0x2A;  // the first key's frame index, past the frame list
  UObjActor actor;
  ASSERT_TRUE(ReadDocument(bytes, actor));
  EXPECT_EQ(actor.modules[0]->texture, 5);
  EXPECT_EQ(actor.frames[0]->placements[0].module, 9);
  EXPECT_EQ(actor.actions[0]->keys[0].frame, 42u);
  EXPECT_EQ(actor.actions[0]->keys[0].flags, 0u);
  EXPECT_EQ(actor.GetInterpolationFrame(0, 3.0f, &actor.scratch), -1);
  EXPECT_EQ(actor.GetRenderFrame(0, 3.0f), nullptr);
  Bytes rewritten = bytes;
  rewritten[284] = 0;  // the recomputed blend bit of the first key
  EXPECT_EQ(Stored(actor), rewritten);
}

// After a read that ends early the actor holds only the records read completely.
TEST(DocumentFormTest, TruncatedDocumentsFailKeepingCompleteRecords) {
  for (size_t length = 0; length < kSmallDocument.size(); ++length) {
    const Bytes cut(kSmallDocument.begin(), kSmallDocument.begin() + static_cast<long>(length));
    UObjActor actor;
    EXPECT_FALSE(ReadDocument(cut, actor)) << length;
    const int textures = length >= 72 ? 1 : 0;
    const int modules = length >= 88 ? 1 : 0;
    const int frames = length >= 232 ? 1 : 0;
    EXPECT_EQ(actor.textures.Num(), textures) << length;
    EXPECT_EQ(actor.modules.Num(), modules) << length;
    EXPECT_EQ(actor.frames.Num(), frames) << length;
    EXPECT_EQ(actor.actions.Num(), 0) << length;
  }
}

TEST(DocumentFormTest, CountsTheRestCannotHoldFailWithoutAllocating) {
  const size_t count_offsets[] = {kTextureCountAt,   kModuleCountAt, kFrameCountAt, kTagCountAt,
                                  kPlacementCountAt, kActionCountAt, kKeyCountAt};
  const uint32_t bad_counts[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x00100000, 400};
  for (size_t at : count_offsets) {
    for (uint32_t count : bad_counts) {
      Bytes bytes = kSmallDocument;
      PutInt32(bytes, at, count);
      UObjActor actor;
      bool read_cleanly = true;
      size_t allocated = 0;
      {
        AllocationMeter meter;
        read_cleanly = ReadDocument(bytes, actor);
        allocated = meter.Bytes();
      }
      EXPECT_FALSE(read_cleanly) << "count " << count << " at " << at;
      EXPECT_LE(allocated, 16 * bytes.size() + 4096) << "count " << count << " at " << at;
    }
  }
}

// A file of N bytes whose counts all claim as much as the remaining bytes allow.
TEST(DocumentFormTest, MemoryStaysProportionalToTheFile) {
  // 10,000 placements of 8 bytes: the most placements a file of this size can hold.
  constexpr int kPlacements = 10000;
  Bytes bytes = Cat(
      {NameBytes("A"), Bytes(8, 0), Hex("01 00 00 00"), NameBytes("f"), Bytes(4 + 16 + 4 + 12, 0)});
  const Bytes count = Hex("10 27 00 00");
  bytes.insert(bytes.end(), count.begin(), count.end());
  bytes.resize(bytes.size() + 8 * kPlacements, 0);
  bytes.resize(bytes.size() + 4, 0);  // no actions
  UObjActor actor;
  size_t allocated = 0;
  {
    AllocationMeter meter;
    ASSERT_TRUE(ReadDocument(bytes, actor));
    allocated = meter.Bytes();
  }
  EXPECT_EQ(actor.frames[0]->GetModuleSize(), kPlacements);
  EXPECT_LE(allocated, 16 * bytes.size());
}

TEST(ActorFileTest, SavesAndLoadsThroughRealFiles) {
  TempDir dir;
  const std::string path = dir.File("sprite.an1");
  UObjActor actor;
  BuildSmallActor(actor);
  ASSERT_TRUE(SaveActorFile(path.c_str(), actor));
  EXPECT_EQ(ReadFileBytes(path), kSmallDocument);
  // No temporary file is left beside the document.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  UObjActor loaded;
  loaded.AddModule(new UObjModule);  // loading starts from a fresh actor
  ASSERT_TRUE(LoadActorFile(path.c_str(), loaded));
  EXPECT_EQ(loaded.modules.Num(), 1);
  EXPECT_EQ(loaded.actions[0]->keys[0].flags, 1u);

  // Saving again replaces the document.
  loaded.name = UName("B");
  ASSERT_TRUE(SaveActorFile(path.c_str(), loaded));
  EXPECT_EQ(ReadFileBytes(path)[0], 'B');
}

TEST(ActorFileTest, FailuresAreReportedAndLeaveTheTargetAlone) {
  TempDir dir;
  const std::string path = dir.File("sprite.an1");
  UObjActor actor;
  std::string reason;
  EXPECT_FALSE(LoadActorFile(path.c_str(), actor, &reason));
  EXPECT_EQ(reason, "cannot open '" + path + "': No such file or directory");

  WriteFileBytes(path, Bytes(kSmallDocument.begin(), kSmallDocument.end() - 1));
  EXPECT_FALSE(LoadActorFile(path.c_str(), actor, &reason));
  EXPECT_EQ(reason, "'" + path + "' is damaged: its key count is more than the file can hold");
  EXPECT_EQ(actor.frames.Num(), 1);
  EXPECT_EQ(actor.actions.Num(), 0);
  WriteFileBytes(path, Bytes(kSmallDocument.begin(), kSmallDocument.begin() + 20));
  EXPECT_FALSE(LoadActorFile(path.c_str(), actor, &reason));
  EXPECT_EQ(reason, "'" + path + "' is damaged: it ends early");

  BuildSmallActor(actor);
  EXPECT_FALSE(SaveActorFile(dir.File("no/such/dir.an1").c_str(), actor, &reason));
  EXPECT_NE(reason.find("no/such"), std::string::npos) << reason;
  EXPECT_FALSE(SaveActorFile(nullptr, actor, &reason));
  EXPECT_FALSE(reason.empty());
  // A target that cannot be replaced (a directory) is left as it was, with no temporary file.
  const std::string occupied = dir.File("occupied.an1");
  std::filesystem::create_directory(occupied);
  std::filesystem::create_directory(occupied + "/inside");
  EXPECT_FALSE(SaveActorFile(occupied.c_str(), actor));
  EXPECT_TRUE(std::filesystem::is_directory(occupied + "/inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(ActorFileTest, ADocumentLargerThanTheReadBufferLoadsWhole) {
  // Records straddle every block boundary of the file archive's read-ahead.
  UObjActor actor;
  actor.Init();
  actor.name = UName("Large");
  actor.AddModule(new UObjModule);
  for (int f = 0; f < 1000; ++f) {
    auto* frame = new UObjFrame;
    frame->name = UName(("Frame " + std::to_string(f)).c_str());
    frame->AddTag(f, -f);
    for (int p = 0; p < 13; ++p) {
      frame->AddModule(0, p, f);
      frame->placements.back().affine.ScaleXEnable = static_cast<uint32_t>(p % 3 == 0);
      frame->placements.back().ScaleX = static_cast<float>(p) / 4.0f;
      frame->placements.back().affine.AlphaBlendEnable = static_cast<uint32_t>(p % 5 == 0);
      frame->placements.back().AlphaValue = static_cast<uint32_t>(p);
    }
    actor.AddFrame(frame);
  }
  auto* action = new UObjAction;
  for (uint32_t k = 0; k < 500; ++k) {
    action->keys.push_back(TActionFrame{k, k % 1000, 0, 0});
  }
  actor.AddAction(action);
  actor.SetIntroploate();  // the blend bits a load computes

  TempDir dir;
  const std::string path = dir.File("large.an1");
  ASSERT_TRUE(SaveActorFile(path.c_str(), actor));
  const Bytes saved = ReadFileBytes(path);
  ASSERT_GT(saved.size(), 3u * 65536u);
  UObjActor loaded;
  ASSERT_TRUE(LoadActorFile(path.c_str(), loaded));
  EXPECT_EQ(Stored(loaded), saved);
  EXPECT_EQ(loaded.frames[999]->placements[12].y, 999);
}

TEST(ActorFileTest, WhatIsNotARegularFileIsRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.an1");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto loaded = std::async(std::launch::async, [&] {
    UObjActor actor;
    return LoadActorFile(fifo.c_str(), actor);
  });
  if (loaded.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    UArchiveAnsi unblock(fifo.c_str(), ArWrite);
    FAIL() << "loading a FIFO blocked";
  }
  EXPECT_FALSE(loaded.get());
  UObjActor actor;
  EXPECT_FALSE(LoadActorFile(dir.path().c_str(), actor));
}

TEST(ActorFileTest, ThreadsReadingOneArchiveTakeWholeRecords) {
  // Key i is stored with time i and frame i; a record torn between two readers would mix them.
  // Enough keys that, read a value at a time, the two readers do cut into each other's records.
  constexpr uint32_t kKeys = 400000;
  TempDir dir;
  const std::string path = dir.File("keys.bin");
  {
    UArchiveAnsi ar(path.c_str(), ArWrite);
    for (uint32_t i = 0; i < kKeys; ++i) {
      ar << TActionFrame{i, i, 0, 0};
    }
  }
  UArchiveAnsi ar(path.c_str(), ArRead);
  std::vector<uint32_t> seen[2];
  int torn[2] = {0, 0};
  auto reader = [&](int which) {
    for (uint32_t i = 0; i < kKeys / 2; ++i) {
      TActionFrame key;
      ar >> key;
      torn[which] += key.time != key.frame ? 1 : 0;
      seen[which].push_back(key.time);
    }
  };
  std::thread a(reader, 0);
  std::thread b(reader, 1);
  a.join();
  b.join();
  EXPECT_FALSE(ar.IsFailed());
  EXPECT_EQ(torn[0] + torn[1], 0);
  std::vector<uint32_t> all = seen[0];
  all.insert(all.end(), seen[1].begin(), seen[1].end());
  std::sort(all.begin(), all.end());
  for (uint32_t i = 0; i < kKeys; ++i) {
    ASSERT_EQ(all[i], i);
  }
}
