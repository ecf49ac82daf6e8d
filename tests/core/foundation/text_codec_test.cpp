#include <gtest/gtest.h>

#include <string>

#include "core/foundation/text_codec.h"

namespace {
const std::string kReplacement = "\xEF\xBF\xBD";
}

TEST(TextCodecTest, ConvertsChineseBothWays) {
  EXPECT_EQ(Utf8ToGbk("跑步"), "\xC5\xDC\xB2\xBD");
  EXPECT_EQ(GbkToUtf8("\xC5\xDC\xB2\xBD"), "跑步");
  EXPECT_EQ(GbkToUtf8("hero_\xC5\xDC.png"), "hero_跑.png");
  EXPECT_EQ(Utf8ToGbk("无法找到贴图 %s"), std::string("\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xCC\xF9"
                                                      "\xCD\xBC %s"));
  EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(TextCodecTest, InvalidGbkBecomesReplacementCharacters) {
  // 0xFF is never valid; a lead byte at the very end has no trail.
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a" + kReplacement + "b");
  EXPECT_EQ(GbkToUtf8("ab\xC5"), "ab" + kReplacement);
  EXPECT_EQ(GbkToUtf8("\xC5\xDC\xC5"), "跑" + kReplacement);
}

TEST(TextCodecTest, UnencodableTextBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(Utf8ToGbk("\xE8\xB7"), "?");  // cut off inside a character
}

TEST(TextCodecTest, ExactConversionTellsWhetherAnythingWasLost) {
  std::string gbk;
  EXPECT_TRUE(Utf8ToGbkExact("跑步 run", &gbk));
  EXPECT_EQ(gbk, "\xC5\xDC\xB2\xBD run");
  EXPECT_TRUE(Utf8ToGbkExact("", &gbk));
  EXPECT_EQ(gbk, "");
  EXPECT_FALSE(Utf8ToGbkExact("a😀b", &gbk));
  EXPECT_EQ(gbk, "a?b");
  EXPECT_FALSE(Utf8ToGbkExact("a\xFF", nullptr));
  EXPECT_FALSE(Utf8ToGbkExact("\xE8\xB7", nullptr));
}

TEST(TextCodecTest, LimitsCutBetweenCharacters) {
  EXPECT_EQ(Utf8ToGbk("跑步", 3), "\xC5\xDC");
  EXPECT_EQ(Utf8ToGbk("a跑步", 3), "a\xC5\xDC");
  EXPECT_EQ(Utf8ToGbk("abc", 0), "");
  EXPECT_EQ(GbkFitLength("\xC5\xDC\xB2\xBD", 3), 2u);
  EXPECT_EQ(GbkFitLength("\xC5\xDC\xB2\xBD", 4), 4u);
  EXPECT_EQ(GbkFitLength("abc", 10), 3u);
  // A lead byte with nothing after it counts as one byte.
  EXPECT_EQ(GbkFitLength("ab\xC5", 3), 3u);
}
