#include "editor/services/typed_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(TypedTextTest, NamesCountGbkBytesAndTextsCountCharacters) {
  EXPECT_EQ(TypedTextProblem("", TypedTextKind::Name), "");
  EXPECT_EQ(TypedTextProblem(std::string(31, 'a'), TypedTextKind::Name), "");
  EXPECT_NE(TypedTextProblem(std::string(32, 'a'), TypedTextKind::Name), "");
  // Fifteen Chinese characters are 30 bytes in GBK (45 in UTF-8); sixteen are 32.
  std::string chinese;
  for (int i = 0; i < 15; ++i) {
    chinese += "动";
  }
  EXPECT_EQ(TypedTextProblem(chinese, TypedTextKind::Name), "");
  EXPECT_EQ(TypedTextProblem(chinese + "a", TypedTextKind::Name), "");
  EXPECT_NE(TypedTextProblem(chinese + "动", TypedTextKind::Name), "");

  // Other texts: 128 characters, whatever their bytes.
  std::string text;
  for (int i = 0; i < 128; ++i) {
    text += "字";
  }
  EXPECT_EQ(TypedTextProblem(text, TypedTextKind::Text), "");
  EXPECT_NE(TypedTextProblem(text + "a", TypedTextKind::Text), "");
}

TEST(TypedTextTest, CharactersGbkCannotHoldAreRefused) {
  // An emoji and a Hangul syllable have no GBK form; a lone continuation byte is no UTF-8.
  for (const char* bad : {"a\xF0\x9F\x98\x80", "\xED\x95\x9C", "ab\x80"}) {
    const std::string problem = TypedTextProblem(bad, TypedTextKind::Name);
    EXPECT_NE(problem, "") << bad;
    EXPECT_NE(TypedTextProblem(bad, TypedTextKind::Text), "") << bad;
  }
  EXPECT_NE(TypedTextProblem(std::string("a\0b", 3), TypedTextKind::Text), "");
  EXPECT_EQ(TypedTextProblem("Walk_01 行走", TypedTextKind::Name), "");
}
