#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor_support/ini/ini.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

namespace {

UIni Loaded(const std::string& text) {
  UIni ini;
  EXPECT_TRUE(ini.LoadText(text.data(), text.size()));
  return ini;
}

// The value Read finds for `key`, or "<missing>".
std::string ValueOf(const std::string& text, const char* key) {
  const UIni ini = Loaded(text);
  char value[UIni::kValueBufferSize];
  return ini.Read(key, value) ? std::string(value) : std::string("<missing>");
}

}  // namespace

TEST(UIniTest, WrittenFileHasCrLfLinesAndReadsBack) {
  TempDir dir;
  const std::string path = dir.File("view.ini");
  UIni writer;
  ASSERT_TRUE(writer.BeginWrite(path.c_str()));
  EXPECT_TRUE(writer.SetWriteField("View"));
  EXPECT_TRUE(writer.Write("Zoom", "%d", 2));
  EXPECT_TRUE(writer.Write("Title", "%s %0.1f", "scale", 1.5));
  EXPECT_TRUE(writer.EndWrite());
  EXPECT_EQ(ReadFileText(path), "[View]\r\nZoom = 2\r\nTitle = scale 1.5\r\n");

  UIni reader;
  ASSERT_TRUE(reader.LoadFile(path.c_str()));
  char value[UIni::kValueBufferSize];
  ASSERT_TRUE(reader.Read("Zoom", value));
  EXPECT_STREQ(value, "2");
  ASSERT_TRUE(reader.Read("Title", value));
  EXPECT_STREQ(value, "scale 1.5");
}

TEST(UIniTest, ReadFindsTheFirstLineWhoseFirstWordIsTheKey) {
  struct Case {
    const char* what;
    std::string text;
    const char* key;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"no blank before '='", "Zoom=2\r\n", "Zoom", "<missing>"},
      {"first of two sections wins", "[A]\r\nSize = 1\r\n[B]\r\nSize = 2\r\n", "Size", "1"},
      {"blank line before the key", "[A]\r\n\r\n   \r\nSize = 7\r\n", "Size", "7"},
      {"final line without a break keeps its last character", "A = 1\r\nB = 12", "B", "12"},
      {"LF-only lines keep their last character", "A = 12\nB = 3\n", "A", "12"},
      {"CR LF line", "A = 12\r\nB = 3\r\n", "A", "12"},
      {"leading blanks, tabs and commas are skipped", "A = , \t5 6 \r\n", "A", "5 6 "},
      {"key without '=' has the empty value", "A\r\nB = 1\r\n", "A", ""},
      {"empty value does not run into the next line", "A =\nB = 2\n", "A", ""},
      {"empty CR LF value", "A = \r\nB = 2\r\n", "A", ""},
      {"keys are matched against first words only", "X = A\r\nA = 1\r\n", "A", "1"},
      {"indented key", "   \tA = 1\r\n", "A", "1"},
      {"a longer word is not the key", "Ab = 1\r\n", "A", "<missing>"},
      {"keys are case-sensitive", "zoom = 1\r\n", "Zoom", "<missing>"},
      {"the empty key matches nothing", "\r\n = 1\r\n", "", "<missing>"},
      {"the value starts after the first '='", "A = b = c\r\n", "A", "b = c"},
      {"text ends at a zero byte", std::string("A = 1\0B = 2\n", 12), "B", "<missing>"},
      {"empty text", "", "A", "<missing>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValueOf(c.text, c.key), c.expected) << c.what;
  }
}

TEST(UIniTest, ReadRefusesValuesLongerThanTheDestination) {
  const std::string longest(UIni::kMaxValueLength, 'v');
  const std::string too_long(UIni::kMaxValueLength + 1, 'w');
  const std::string huge_word(5000, 'k');
  const UIni ini =
      Loaded(huge_word + " = 1\r\nA = " + longest + "\r\nB = " + too_long + "\r\nC = 12345\r\n");
  std::vector<char> value(UIni::kValueBufferSize + 16, '#');
  ASSERT_TRUE(ini.Read("A", value.data()));
  EXPECT_EQ(std::string(value.data()), longest);

  std::fill(value.begin(), value.end(), '#');
  EXPECT_FALSE(ini.Read("B", value.data()));
  EXPECT_EQ(value[0], '#') << "a refused read leaves the destination untouched";

  EXPECT_TRUE(ini.Read(huge_word.c_str(), value.data()));
  EXPECT_STREQ(value.data(), "1");

  char small[6];
  EXPECT_FALSE(ini.Read("C", small, 5));
  ASSERT_TRUE(ini.Read("C", small, 6));
  EXPECT_STREQ(small, "12345");
}

TEST(UIniTest, MissingKeyOrFileLeavesEverythingAsItWas) {
  UIni ini = Loaded("A = 1\r\n");
  char value[UIni::kValueBufferSize] = "untouched";
  EXPECT_FALSE(ini.Read("B", value));
  EXPECT_STREQ(value, "untouched");
  int number = 77;
  EXPECT_EQ(ini.Scan("B", "%d", &number), 0);
  EXPECT_EQ(number, 77);

  TempDir dir;
  EXPECT_FALSE(ini.LoadFile(dir.File("missing.ini").c_str()));
  ASSERT_TRUE(ini.Read("A", value)) << "a failed load keeps the text loaded before";
  EXPECT_STREQ(value, "1");

  const char bytes[] = "A = 2";
  EXPECT_FALSE(ini.LoadText(bytes, UIni::kMaxFileSize + 1));
  EXPECT_FALSE(UIni().Read("A", value)) << "nothing loaded";
}

TEST(UIniTest, ScanConvertsOneTokenPerConversion) {
  const UIni ini = Loaded(
      "Pair = 10, 20\r\n"
      "Mixed = -5 2.5 name -1F ff\r\n"
      "Skip = 1 2 3\r\n"
      "Big = 99999999999 -99999999999\r\n"
      "Wrap = 100000000\r\n");
  int a = 0;
  int b = 0;
  EXPECT_EQ(ini.Scan("Pair", "%d %d", &a, &b), 2);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 20);

  int d = 0;
  float f = 0.0f;
  char s[UIni::kTokenBufferSize] = {};
  int x = 0;
  int y = 0;
  EXPECT_EQ(ini.Scan("Mixed", "%d,%f,%s,%x,%X", &d, &f, s, &x, &y), 5);
  EXPECT_EQ(d, -5);
  EXPECT_FLOAT_EQ(f, 2.5f);
  EXPECT_STREQ(s, "name");
  EXPECT_EQ(x, -31);
  EXPECT_EQ(y, 255);

  a = b = 0;
  EXPECT_EQ(ini.Scan("Skip", "%d%q%d", &a, &b), 3) << "an unknown letter skips a token";
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 3);

  int c = -1;
  EXPECT_EQ(ini.Scan("Pair", "%d %d %d", &a, &b, &c), 2) << "stops when tokens run out";
  EXPECT_EQ(c, -1);

  EXPECT_EQ(ini.Scan("Big", "%d %d", &a, &b), 2);
  EXPECT_EQ(a, INT_MAX);
  EXPECT_EQ(b, INT_MIN);
  EXPECT_EQ(ini.Scan("Wrap", "%x", &x), 1);
  EXPECT_EQ(x, 0) << "hexadecimal digits wrap around in 32 bits";

  EXPECT_EQ(ini.Scan("Pair", ""), 0);
  EXPECT_EQ(ini.Scan("Pair", "%"), 0);
}

TEST(UIniTest, ScanStopsAtATokenLongerThanItsBuffer) {
  const std::string longest(UIni::kMaxTokenLength, 't');
  const UIni ini = Loaded("A = " + longest + " " + longest + "x 5\r\n");
  char first[UIni::kTokenBufferSize];
  char second[UIni::kTokenBufferSize] = "untouched";
  EXPECT_EQ(ini.Scan("A", "%s %s", first, second), 1);
  EXPECT_EQ(std::string(first), longest);
  EXPECT_STREQ(second, "untouched");
}

TEST(UIniTest, WriteRefusesWhatCouldNotBeReadBack) {
  UIni ini;
  EXPECT_FALSE(ini.Write("A", "%d", 1)) << "no file is being written";
  EXPECT_FALSE(ini.SetWriteField("View"));

  TempDir dir;
  const std::string path = dir.File("out.ini");
  ASSERT_TRUE(ini.BeginWrite(path.c_str()));
  const std::string longest(UIni::kMaxValueLength, 'v');
  EXPECT_TRUE(ini.Write("Long", "%s", longest.c_str()));
  EXPECT_FALSE(ini.Write("TooLong", "%s%s", longest.c_str(), "v"));
  EXPECT_FALSE(ini.Write("Broken", "%s", "two\nlines"));
  EXPECT_FALSE(ini.Write("Two\r\nKeys", "%d", 1));
  EXPECT_FALSE(ini.SetWriteField("A]\n[B"));
  EXPECT_TRUE(ini.EndWrite());
  EXPECT_EQ(ReadFileText(path), "Long = " + longest + "\r\n");

  UIni reader;
  ASSERT_TRUE(reader.LoadFile(path.c_str()));
  std::vector<char> value(UIni::kValueBufferSize);
  ASSERT_TRUE(reader.Read("Long", value.data()));
  EXPECT_EQ(std::string(value.data()), longest);
}

TEST(UIniTest, CopiesOwnTheirText) {
  auto original = std::make_unique<UIni>(Loaded("A = 1\r\n"));
  UIni copy(*original);
  UIni assigned;
  assigned = *original;
  original.reset();
  char value[UIni::kValueBufferSize];
  ASSERT_TRUE(copy.Read("A", value));
  EXPECT_STREQ(value, "1");
  ASSERT_TRUE(assigned.Read("A", value));
  EXPECT_STREQ(value, "1");
  assigned.Destroy();
  EXPECT_FALSE(assigned.Read("A", value));
  EXPECT_TRUE(copy.Read("A", value));
}

TEST(UIniTest, FilesChangeOnlyWhenWhollyWrittenAndFifosAreRefused) {
  TempDir dir;
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("pipe.ini"), [&] {
    UIni ini;
    return ini.LoadFile(dir.File("pipe.ini").c_str());
  }));
  UIni reader;
  EXPECT_FALSE(reader.LoadFile(dir.path().c_str()));

  const std::string path = dir.File("view.ini");
  const std::string other = dir.File("other.ini");
  {
    UIni ini;
    ASSERT_TRUE(ini.BeginWrite(path.c_str()));
    EXPECT_TRUE(ini.Write("Zoom", "%d", 1));
    EXPECT_FALSE(std::filesystem::exists(path));  // nothing shows before the end
    // Starting another file finishes this one; destroying the writer finishes the other.
    ASSERT_TRUE(ini.BeginWrite(other.c_str()));
    EXPECT_TRUE(ini.Write("Zoom", "%d", 2));
  }
  EXPECT_EQ(ReadFileText(path), "Zoom = 1\r\n");
  EXPECT_EQ(ReadFileText(other), "Zoom = 2\r\n");

  // A line that cannot be written, as on a full disk, keeps the old file whole.
  UIni ini;
  {
    const FileSizeLimit limit(4096);
    ASSERT_TRUE(ini.BeginWrite(path.c_str()));
    const std::string line(1000, 'v');
    bool written = true;
    for (int i = 0; i < 20 && written; ++i) {
      written = ini.Write("Line", "%s", line.c_str());
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(ini.EndWrite());
  }
  EXPECT_EQ(ReadFileText(path), "Zoom = 1\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            3);

  ASSERT_TRUE(ini.BeginWrite("/dev/full"));
  ini.Write("Zoom", "%d", 3);
  EXPECT_FALSE(ini.EndWrite());
  EXPECT_FALSE(ini.BeginWrite(dir.File("no/such/folder.ini").c_str()));
  EXPECT_TRUE(ini.EndWrite());
}
