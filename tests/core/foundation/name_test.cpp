#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/foundation/archive_ansi.h"
#include "core/foundation/archive_memory.h"
#include "core/foundation/name.h"
#include "tests/support/temp_dir.h"

using ::testing::ElementsAreArray;
using Bytes = std::vector<unsigned char>;

namespace {
// "跑步" (run) in GBK.
const char kRunGbk[] = "\xC5\xDC\xB2\xBD";

Bytes PaddedName(const std::string& text, size_t size = 32) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(size, 0);
  return bytes;
}
}  // namespace

TEST(UNameTest, HashesAsciiAndSignedGbkBytes) {
  EXPECT_EQ(UName("ab").GetGUID(), 97 * 5 + 98);
  EXPECT_EQ(UName().GetGUID(), 0);
  EXPECT_EQ(UName("\xB6").GetGUID(), 65536 - 74);
  EXPECT_EQ(UName(kRunGbk).GetGUID(), 56804);
}

TEST(UNameTest, CachedIdFollowsTheConstructionRules) {
  EXPECT_EQ(UName().GetCachedId(), 0xFFFF);
  UName name("ab");
  EXPECT_EQ(name.GetCachedId(), 583);
  name = "zz";  // text assignment keeps the id
  EXPECT_EQ(name.GetCachedId(), 583);
  EXPECT_EQ(name.GetGUID(), UName("zz").GetGUID());
  UName copy(name);
  EXPECT_EQ(copy.GetCachedId(), 583);
  UName assigned;
  assigned = name;  // copy assignment rehashes
  EXPECT_EQ(assigned.GetCachedId(), name.GetGUID());
  EXPECT_EQ(name.Empty(), 1);
  EXPECT_EQ(name.GetCachedId(), 0);
  EXPECT_TRUE(name.IsEmpty());
}

TEST(UNameTest, ComparesTextCaseSensitively) {
  EXPECT_FALSE(UName("Run") == UName("run"));
  EXPECT_TRUE(UName("Run") != UName("run"));
  EXPECT_TRUE(UName("Run") == UName("Run"));
  UName edited("Run");
  edited.GetString()[0] = 'r';
  EXPECT_TRUE(edited == UName("run"));
  EXPECT_EQ(UName(nullptr).Length(), 0);
}

TEST(UNameTest, LongTextsAreCutBetweenCharacters) {
  const std::string forty(40, 'x');
  UName ascii(forty.c_str());
  EXPECT_EQ(ascii.Length(), 31);
  EXPECT_EQ(ascii.GetString()[31], '\0');

  // 15 double-byte characters (30 bytes) then one more: the 16th would end at byte 32.
  std::string chinese;
  for (int i = 0; i < 16; ++i) {
    chinese += "\xC5\xDC";
  }
  UName cut(chinese.c_str());
  EXPECT_EQ(cut.Length(), 30);
  // One ASCII byte first shifts the characters, so 31 bytes fit exactly.
  UName shifted(("a" + chinese).c_str());
  EXPECT_EQ(shifted.Length(), 31);

  UNameShort short_name("abcdefghij");
  EXPECT_EQ(short_name.Length(), 7);
  UNameShort short_chinese("\xC5\xDC\xC5\xDC\xC5\xDC\xC5\xDC");
  EXPECT_EQ(short_chinese.Length(), 6);
}

TEST(UNameTest, StoredAsExactlyThirtyTwoBytes) {
  UArchiveMemory ar;
  ar << UName("Run");
  EXPECT_THAT(ar.GetBuffer(), ElementsAreArray(PaddedName("Run")));

  const std::string longest(31, 'q');
  UArchiveMemory longest_ar;
  longest_ar << UName(longest.c_str());
  EXPECT_THAT(longest_ar.GetBuffer(), ElementsAreArray(PaddedName(longest)));
  longest_ar.Open(nullptr, ArRead);
  UName read;
  longest_ar >> read;
  EXPECT_EQ(std::string(read.GetString()), longest);
  EXPECT_EQ(read.GetCachedId(), read.GetGUID());
  EXPECT_FALSE(longest_ar.IsFailed());
}

TEST(UNameTest, ReadingAnUnterminatedNameKeepsItTerminated) {
  const Bytes stored(32, 'z');
  UArchiveMemory ar(stored.data(), stored.size());
  UName name;
  ar >> name;
  EXPECT_EQ(name.Length(), 31);
  EXPECT_FALSE(ar.IsFailed());
}

TEST(UNameListTest, StoredAsCountThenNames) {
  UArray<UName> names;
  names.push_back(UName("a.stx"));
  names.push_back(UName(kRunGbk));
  UArchiveMemory ar;
  ar << names;
  Bytes expected = {2, 0, 0, 0};
  for (const std::string& text : {std::string("a.stx"), std::string(kRunGbk)}) {
    const Bytes padded = PaddedName(text);
    expected.insert(expected.end(), padded.begin(), padded.end());
  }
  EXPECT_THAT(ar.GetBuffer(), ElementsAreArray(expected));

  ar.Open(nullptr, ArRead);
  UArray<UName> read;
  ar >> read;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_TRUE(read[0] == UName("a.stx"));
  EXPECT_TRUE(read[1] == UName(kRunGbk));
}

TEST(UNameListTest, RoundTripsThroughAFile) {
  TempDir dir;
  const std::string path = dir.File("names.bin");
  UArray<UName> names;
  for (int i = 0; i < 100; ++i) {
    names.push_back(UName(("tile" + std::to_string(i)).c_str()));
  }
  {
    UArchiveAnsi ar(path.c_str(), ArWrite);
    ar << names;
  }
  EXPECT_EQ(ReadFileBytes(path).size(), 4u + 100u * 32u);
  UArchiveAnsi ar(path.c_str(), ArRead);
  UArray<UName> read;
  ar >> read;
  ASSERT_EQ(read.size(), names.size());
  EXPECT_TRUE(read[99] == UName("tile99"));
}

TEST(UNameListTest, RefusesCountsTheStreamCannotHold) {
  struct Case {
    Bytes stored;
    size_t expected_names;
  };
  const Bytes one_name = PaddedName("x");
  Bytes truncated = {2, 0, 0, 0};
  truncated.insert(truncated.end(), one_name.begin(), one_name.end());
  truncated.insert(truncated.end(), one_name.begin(), one_name.begin() + 10);
  const std::vector<Case> cases = {
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0},  // negative count
      {{0xFF, 0xFF, 0xFF, 0x7F}, 0},  // more names than bytes
      {truncated, 0},                 // two names announced, one and a third stored
      {{1, 0}, 0},                    // the count itself is cut off
  };
  for (const Case& c : cases) {
    UArchiveMemory ar(c.stored.data(), c.stored.size());
    UArray<UName> names;
    names.push_back(UName("stale"));
    ar >> names;
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_EQ(names.size(), c.expected_names);
  }
}

TEST(UNameShortTest, HashFollowsItsOwnRule) {
  EXPECT_EQ(UNameShort("ab").GetGUID(), 391);
  // "abc": sum 294; even indices subtract 0 and 2 * (99 / 2) = 98; odd index 1 adds 196.
  EXPECT_EQ(UNameShort("abc").GetGUID(), 294 - 98 + 196);
  // Signed bytes: 0xB6 is -74; -74 / 2 truncates to -37.
  EXPECT_EQ(UNameShort("a\xB6\xB6").GetGUID(),
            static_cast<uint16_t>(97 - 74 - 74 - 2 * -37 + 2 * 1 * -74));
  EXPECT_EQ(UNameShort().GetGUID(), 0);
}

TEST(UNameShortTest, BehavesLikeAName) {
  UNameShort name("idle");
  EXPECT_EQ(name.Length(), 4);
  EXPECT_TRUE(name == UNameShort("idle"));
  EXPECT_TRUE(name != UNameShort("Idle"));
  name = "walk";
  EXPECT_STREQ(name.GetString(), "walk");
  EXPECT_EQ(name.Empty(), 1);
  EXPECT_TRUE(name.IsEmpty());
  EXPECT_EQ(sizeof(UNameShort), 8u);
}
