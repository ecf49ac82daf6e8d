#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/foundation/string_table.h"

TEST(UStringTableKeyTest, SameTextSameKey) {
  UStringTableKey table;
  const int key = table.GetString("a");
  EXPECT_GE(key, 0);
  EXPECT_LE(key, 32767);
  EXPECT_EQ(table.GetString("a"), key);
  EXPECT_EQ(table.Size(), 1);
  table.GetString("A");  // case-sensitive: a new entry
  EXPECT_EQ(table.Size(), 2);
}

TEST(UStringTableKeyTest, AddedKeysAreFoundAndPositionsAreInsertionOrder) {
  UStringTableKey table;
  table.AddString(5, "a");
  EXPECT_EQ(table.GetString("a"), 5);
  table.AddString(5, "b");  // no duplicate check
  EXPECT_EQ(table.Size(), 2);
  EXPECT_STREQ(table.GetStringByKey(0), "a");
  EXPECT_STREQ(table.GetStringByKey(1), "b");
  EXPECT_EQ(table.GetNode(1)->key, 5);
  EXPECT_EQ(table.GetNode(2), nullptr);
  EXPECT_EQ(table.GetStringByKey(-1), nullptr);
}

TEST(UStringTableKeyTest, NewKeysAreUnique) {
  UStringTableKey table;
  std::set<int> keys;
  for (int i = 0; i < 2000; ++i) {
    keys.insert(table.GetString(std::to_string(i).c_str()));
  }
  EXPECT_EQ(keys.size(), 2000u);
  EXPECT_GE(*keys.begin(), 0);
  EXPECT_LE(*keys.rbegin(), 32767);
}

TEST(UStringTableKeyTest, FullTableGivesNoKey) {
  UStringTableKey table;
  for (int key = 0; key < 32767; ++key) {
    table.AddString(key, "");
  }
  // One key left: it must be found.
  EXPECT_EQ(table.GetString("last"), 32767);
  EXPECT_EQ(table.GetString("one too many"), -1);
  EXPECT_EQ(table.Size(), 32768);
}

TEST(UStringTableKeyTest, CopiesAndCleans) {
  UStringTableKey table;
  table.AddString(1, "x");
  UStringTableKey copy(table);
  table.clean();
  EXPECT_EQ(table.Size(), 0);
  EXPECT_EQ(copy.Size(), 1);
  EXPECT_STREQ(copy.GetStringByKey(0), "x");
}
