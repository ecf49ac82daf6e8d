#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/foundation/archive_ansi.h"
#include "core/foundation/archive_memory.h"
#include "core/foundation/archive_null.h"
#include "core/foundation/property.h"
#include "tests/support/temp_dir.h"

using ::testing::ElementsAreArray;
using Bytes = std::vector<unsigned char>;

namespace {

Bytes Stored(const UProperty& property) {
  UArchiveMemory ar;
  ar << property;
  return ar.GetBuffer();
}

// The stored form after the 36-byte type and name.
Bytes StoredValue(const UProperty& property) {
  const Bytes all = Stored(property);
  return Bytes(all.begin() + 36, all.end());
}

UProperty ReadBack(const Bytes& bytes, bool* failed = nullptr) {
  UArchiveMemory ar(bytes.data(), bytes.size());
  UProperty property;
  ar >> property;
  if (failed != nullptr) {
    *failed = ar.IsFailed();
  }
  return property;
}

}  // namespace

TEST(UPropertyTest, DefaultIsAnUnknownPropertyWithoutValue) {
  UProperty property;
  EXPECT_EQ(property.GetType(), PROPERTY_NONE);
  EXPECT_STREQ(property.GetName().GetString(), "UnknowProperty");
  EXPECT_EQ(property.GetPtrData(), nullptr);
}

TEST(UPropertyTest, TypeAndNameHeadEveryStoredForm) {
  UProperty property(PROPERTY_NONE, UName("Speed"));
  Bytes expected = {0, 0, 0, 0, 'S', 'p', 'e', 'e', 'd'};
  expected.resize(36, 0);
  EXPECT_THAT(Stored(property), ElementsAreArray(expected));
}

TEST(UPropertyTest, EachKindStoresItsValue) {
  struct Case {
    UProperty property;
    Bytes value;
  };
  const UName name("p");
  std::vector<Case> cases = {
      {UProperty(PROPERTY_BYTE, name, "200"), {200}},
      {UProperty(PROPERTY_SHORT, name, "-2"), {0xFE, 0xFF}},
      {UProperty(PROPERTY_INT, name, "258"), {2, 1, 0, 0}},
      {UProperty(PROPERTY_BOOL, name, "1"), {1, 0, 0, 0}},
      {UProperty(PROPERTY_FLOAT, name, "2.5"), {0, 0, 0x20, 0x40}},
      {UProperty(PROPERTY_STRING, name, "abcde"), {5, 0, 0, 0, 'a', 'b', 'c', 'd', 'e'}},
      {UProperty(PROPERTY_POINT, name, "3,4"), {3, 0, 0, 0, 4, 0, 0, 0}},
      {UProperty(PROPERTY_RECT, name, "1,2,3,4"), {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}},
      {UProperty(PROPERTY_RANGE, name, "4,1"), {0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x40}},
      {UProperty(PROPERTY_VECTOR, name, "1,2,3"),
       {0, 0, 0x80, 0x3F, 0, 0, 0, 0x40, 0, 0, 0x40, 0x40}},
      {UProperty(PROPERTY_RGBA, name, "255,0,0,128"), {0, 0, 0xFF, 0x80}},
      {UProperty(PROPERTY_POINTER, name), {0, 0, 0, 0}},
      {UProperty(99, name, "7"), {}},
  };
  Bytes name_value(32, 0);
  name_value[0] = 'R';
  name_value[1] = 'u';
  name_value[2] = 'n';
  cases.push_back({UProperty(PROPERTY_NAME, name, "Run fast"), name_value});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.property.GetType());
    EXPECT_THAT(StoredValue(c.property), ElementsAreArray(c.value));
    UArchiveNull counter;
    counter << c.property;
    EXPECT_EQ(counter.TotalSize(), static_cast<int>(36 + c.value.size()));

    bool failed = true;
    UProperty read = ReadBack(Stored(c.property), &failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(read.GetType(), c.property.GetType());
    EXPECT_THAT(StoredValue(read), ElementsAreArray(c.value));
  }
}

TEST(UPropertyTest, DefaultTextsParseIntoTheValue) {
  const UName name("p");
  EXPECT_FLOAT_EQ(UProperty(PROPERTY_FLOAT, name, "2.5").GetFloat(), 2.5f);
  EXPECT_EQ(UProperty(PROPERTY_POINT, name, "3,4").GetPoint(), UPoint(3, 4));
  EXPECT_EQ(UProperty(PROPERTY_VECTOR, name, "1,2,3").GetVector(), UVector(1, 2, 3));
  EXPECT_EQ(UProperty(PROPERTY_INT, name, nullptr).GetInt(), 0);
  EXPECT_EQ(UProperty(PROPERTY_SHORT, name, "70000").GetShort(), static_cast<int16_t>(70000));
  EXPECT_STREQ(UProperty(PROPERTY_STRING, name, "  first second").GetString().c_str(), "first");
  UProperty rect(PROPERTY_RECT, name, "-1,2,30,40");
  EXPECT_EQ(rect.GetRect().left, -1);
  EXPECT_EQ(rect.GetRect().bottom, 40);
  UProperty range(PROPERTY_RANGE, name, "9,3");
  EXPECT_EQ(range.GetRange().min, 3.0f);
  EXPECT_EQ(range.GetRange().max, 9.0f);
  EXPECT_EQ(UProperty(PROPERTY_RGBA, name, "1,2,3,4").GetRgba().color, 0x04010203u);
  EXPECT_EQ(UProperty(PROPERTY_RGBA, name, "300,-5,0,255").GetRgba().color, 0xFFFF0000u);
}

TEST(UPropertyTest, GettersBindToTheStoredValue) {
  UProperty property(PROPERTY_INT, UName("Count"));
  int32_t& bound = property.GetInt();
  bound = 17;
  EXPECT_EQ(*static_cast<const int32_t*>(property.GetPtrData()), 17);
  UProperty copy = property;
  EXPECT_EQ(copy.GetInt(), 17);
  EXPECT_EQ(copy.GetGUID(), property.GetGUID());
}

TEST(UPropertyTest, GuidRefreshesOnlyWhenAsked) {
  UProperty property(PROPERTY_INT, UName("ab"));
  property.ReflashGUID();
  EXPECT_EQ(property.GetGUID(), 583);
  property.SetName(UName("cd"));
  EXPECT_EQ(property.GetGUID(), 583);
  property.ReflashGUID();
  EXPECT_EQ(property.GetGUID(), static_cast<int16_t>(UName("cd").GetGUID()));

  const UProperty read = ReadBack(Stored(UProperty(PROPERTY_BYTE, UName("ab"))));
  EXPECT_EQ(read.GetGUID(), 583);
}

TEST(UPropertyTest, LongStringsAreCutToTheValueArea) {
  const std::string long_text(1500, 'k');
  UProperty property(PROPERTY_STRING, UName("s"));
  property.SetString(long_text.c_str());
  EXPECT_EQ(std::strlen(property.GetString().c_str()), 1023u);
  EXPECT_EQ(StoredValue(property).size(), 4u + 1023u);
}

TEST(UPropertyTest, OverlongStoredTextKeepsItsHeadAndFails) {
  UProperty writer(PROPERTY_STRING, UName("s"));
  Bytes stored = Stored(writer);
  stored.resize(36);
  const int32_t length = 1500;
  for (int i = 0; i < 4; ++i) {
    stored.push_back(static_cast<unsigned char>(length >> (8 * i)));
  }
  for (int i = 0; i < length; ++i) {
    stored.push_back(static_cast<unsigned char>('a' + i % 26));
  }
  stored.push_back(0x77);  // whatever follows the text

  UArchiveMemory ar(stored.data(), stored.size());
  UProperty read;
  ar >> read;
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(std::strlen(read.GetString().c_str()), 1023u);
  EXPECT_EQ(read.GetString().text[1022], 'a' + 1022 % 26);
  // The rest of the text was skipped, so the stream is in step with what follows.
  EXPECT_EQ(ar.GetPos(), static_cast<int>(stored.size()) - 1);
}

TEST(UPropertyTest, DamagedStoredTextsFail) {
  const Bytes header = Stored(UProperty(PROPERTY_STRING, UName("s")));
  for (const Bytes& tail :
       {Bytes{0xFF, 0xFF, 0xFF, 0xFF, 'a'}, Bytes{10, 0, 0, 0, 'a', 'b'}, Bytes{3, 0}}) {
    Bytes stored(header.begin(), header.begin() + 36);
    stored.insert(stored.end(), tail.begin(), tail.end());
    bool failed = false;
    const UProperty read = ReadBack(stored, &failed);
    EXPECT_TRUE(failed);
    EXPECT_LT(std::strlen(const_cast<UProperty&>(read).GetString().c_str()), 3u);
  }
}

TEST(UPropertyTest, PointerKeepsTheStreamInStepAndReadsBackNull) {
  int target = 0;
  UProperty property(PROPERTY_POINTER, UName("ptr"));
  property.SetPtr(&target);
  UArchiveMemory ar;
  ar << property << 5;
  ar.Open(nullptr, ArRead);
  UProperty read;
  int after = 0;
  ar >> read >> after;
  EXPECT_EQ(read.GetPtr(), nullptr);
  EXPECT_EQ(after, 5);
}

TEST(UPropertyTest, ListRoundTripsThroughAFile) {
  TempDir dir;
  const std::string path = dir.File("props.bin");
  std::vector<UProperty> written = {
      UProperty(PROPERTY_NAME, UName("Texture"), "hero.png"),
      UProperty(PROPERTY_RECT, UName("Bounds"), "0,0,64,32"),
      UProperty(PROPERTY_STRING, UName("Note"), "\xC5\xDC\xB2\xBD"),
      UProperty(PROPERTY_FLOAT, UName("Scale"), "0.75"),
  };
  {
    UArchiveAnsi ar(path.c_str(), ArWrite);
    for (const UProperty& property : written) {
      ar << property;
    }
  }
  UArchiveAnsi ar(path.c_str(), ArRead);
  for (UProperty& expected : written) {
    UProperty read;
    ar >> read;
    ASSERT_FALSE(ar.IsFailed());
    EXPECT_THAT(Stored(read), ElementsAreArray(Stored(expected)));
  }
  EXPECT_EQ(ar.GetPos(), ar.TotalSize());
}
