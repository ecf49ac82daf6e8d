#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/foundation/message.h"
#include "editor_support/registry/register.h"
#include "editor_support/registry/registry_store.h"
#include "tests/support/temp_dir.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kOpenFailed = "错误：无法打开有关的hKEY";
constexpr const char* kQueryFailed = "错误：无法查询有关的注册表信息";
constexpr const char* kSetFailed = "错误：无法设置有关的注册表信息";
constexpr const char* kKey = "Software\\Quillet\\Settings";

// Each test gets a registry of its own on disk and records the messages shown.
class URegisterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_directory_ = URegistryStore::GetDirectory();
    URegistryStore::SetDirectory(dir_.path().string());
    previous_hook_ = SetMessageHook([this](const UMessageRequest& request) {
      messages_.push_back(request.text);
      return UMessageAnswer::Ok;
    });
    ASSERT_TRUE(URegistryStore(HKEY_CURRENT_USER).CreateKey(kKey));
  }
  void TearDown() override {
    SetMessageHook(previous_hook_);
    URegistryStore::SetDirectory(previous_directory_);
  }

  std::vector<std::string> TakeMessages() { return std::exchange(messages_, {}); }
  std::vector<unsigned char> Shown() const {
    return {reg_.GetValue(), reg_.GetValue() + reg_.GetSize()};
  }

  TempDir dir_;
  URegister reg_;
  std::vector<std::string> messages_;

 private:
  std::string previous_directory_;
  UMessageHook previous_hook_;
};

}  // namespace

TEST_F(URegisterTest, EachWriteStoresItsTypeAndBytes) {
  const unsigned char text[] = "C:\\sprites";
  const int number = 0x01020304;
  const unsigned char binary[4] = {0xDE, 0xAD, 0xBE, 0xEF};
  EXPECT_EQ(reg_.SetValue_S(HKEY_CURRENT_USER, kKey, "Path", text), 0);
  EXPECT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, kKey, "Count", &number), 0);
  EXPECT_EQ(reg_.SetValue_B(HKEY_CURRENT_USER, kKey, "Bits", binary), 0);

  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Path"), 0);
  EXPECT_EQ(reg_.GetType(), REG_SZ);
  EXPECT_EQ(Shown(), std::vector<unsigned char>(text, text + sizeof(text)));
  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Count"), 0);
  EXPECT_EQ(reg_.GetType(), REG_DWORD);
  EXPECT_THAT(Shown(), ElementsAre(0x04, 0x03, 0x02, 0x01));
  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Bits"), 0);
  EXPECT_EQ(reg_.GetType(), REG_BINARY);
  EXPECT_THAT(Shown(), ElementsAre(0xDE, 0xAD, 0xBE, 0xEF));
  EXPECT_THAT(TakeMessages(), IsEmpty());

  // The values are on disk: a helper started afresh finds them.
  URegister later;
  ASSERT_EQ(later.ShowContent(HKEY_CURRENT_USER, "software\\QUILLET\\settings", "count"), 0)
      << "key and value names ignore case";
  EXPECT_EQ(later.GetSize(), 4u);
}

TEST_F(URegisterTest, FailuresReturnOneAndShowTheirMessage) {
  const unsigned char text[] = "x";
  const int number = 1;
  struct Case {
    const char* what;
    std::function<int(URegister&)> operation;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"query under a missing key",
       [](URegister& r) { return r.ShowContent(HKEY_CURRENT_USER, "Software\\Nope", "A"); },
       {kOpenFailed}},
      {"query of a missing value",
       [](URegister& r) { return r.ShowContent(HKEY_CURRENT_USER, kKey, "Nope"); },
       {kQueryFailed}},
      {"string under a missing key",
       [&](URegister& r) { return r.SetValue_S(HKEY_CURRENT_USER, "Software\\Nope", "A", text); },
       {kQueryFailed}},
      {"number under a missing key",
       [&](URegister& r) {
         return r.SetValue_D(HKEY_CURRENT_USER, "Software\\Nope", "A", &number);
       },
       {kQueryFailed}},
      {"binary under a missing key",
       [&](URegister& r) { return r.SetValue_B(HKEY_CURRENT_USER, "Software\\Nope", "A", text); },
       {kQueryFailed}},
      {"string without text",
       [](URegister& r) { return r.SetValue_S(HKEY_CURRENT_USER, kKey, "A", nullptr); },
       {kSetFailed}},
      {"the same key under another root",
       [&](URegister& r) { return r.SetValue_D(HKEY_LOCAL_MACHINE, kKey, "A", &number); },
       {kQueryFailed}},
      {"deleting a missing value",
       [](URegister& r) { return r.DeleteValue(HKEY_CURRENT_USER, kKey, "Nope"); },
       {}},
      {"deleting a value under a missing key",
       [](URegister& r) { return r.DeleteValue(HKEY_CURRENT_USER, "Software\\Nope", "A"); },
       {}},
      {"deleting a missing key",
       [](URegister& r) { return r.DeleteKey(HKEY_CURRENT_USER, kKey, "Nope"); },
       {}},
      {"deleting a key that has sub-keys",
       [](URegister& r) { return r.DeleteKey(HKEY_CURRENT_USER, "Software", "Quillet"); },
       {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.operation(reg_), 1) << c.what;
    EXPECT_EQ(TakeMessages(), c.messages) << c.what;
  }
  URegistryStore user(HKEY_CURRENT_USER);
  EXPECT_FALSE(user.KeyExists("Software\\Nope")) << "a failed write creates no key";
  EXPECT_FALSE(URegistryStore(HKEY_LOCAL_MACHINE).KeyExists(kKey));
  EXPECT_TRUE(user.KeyExists("Software\\Quillet"));
}

TEST_F(URegisterTest, DeleteRemovesValuesAndKeys) {
  const int number = 5;
  ASSERT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, kKey, "Count", &number), 0);
  EXPECT_EQ(reg_.DeleteValue(HKEY_CURRENT_USER, kKey, "Count"), 0);
  EXPECT_EQ(reg_.DeleteValue(HKEY_CURRENT_USER, kKey, "Count"), 1);
  EXPECT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Count"), 1);
  EXPECT_THAT(TakeMessages(), ElementsAre(kQueryFailed));

  // An empty key exists until deleted; deleting it takes its values along.
  ASSERT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, kKey, "Count", &number), 0);
  EXPECT_EQ(reg_.DeleteKey(HKEY_CURRENT_USER, "Software\\Quillet", "Settings"), 0);
  URegistryStore user(HKEY_CURRENT_USER);
  EXPECT_FALSE(user.KeyExists(kKey));
  EXPECT_TRUE(user.KeyExists("Software\\Quillet"));
  ASSERT_TRUE(user.CreateKey(kKey));
  EXPECT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Count"), 1);
  EXPECT_THAT(TakeMessages(), ElementsAre(kQueryFailed));
}

TEST_F(URegisterTest, QueryTakesValuesUpToTheWholeBufferAfterSmallerOnes) {
  const int number = 7;
  std::vector<unsigned char> full(URegister::kValueBufferSize, 'a');
  full.back() = '\0';
  std::vector<unsigned char> too_long(URegister::kValueBufferSize + 1, 'b');
  too_long.back() = '\0';
  ASSERT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, kKey, "Small", &number), 0);
  ASSERT_EQ(reg_.SetValue_S(HKEY_CURRENT_USER, kKey, "Full", full.data()), 0);
  ASSERT_EQ(reg_.SetValue_S(HKEY_CURRENT_USER, kKey, "TooLong", too_long.data()), 0);

  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Small"), 0);
  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "Full"), 0);
  EXPECT_EQ(Shown(), full);

  EXPECT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "TooLong"), 1);
  EXPECT_THAT(TakeMessages(), ElementsAre(kQueryFailed));
  EXPECT_EQ(Shown(), full) << "a failed query leaves the buffer as it was";
  EXPECT_EQ(reg_.GetType(), REG_SZ);
}

TEST_F(URegisterTest, EachRootIsAStoreOfItsOwn) {
  const int user_number = 1;
  const int machine_number = 2;
  ASSERT_TRUE(URegistryStore(HKEY_LOCAL_MACHINE).CreateKey(kKey));
  ASSERT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, kKey, "N", &user_number), 0);
  ASSERT_EQ(reg_.SetValue_D(HKEY_LOCAL_MACHINE, kKey, "N", &machine_number), 0);
  ASSERT_EQ(reg_.ShowContent(HKEY_LOCAL_MACHINE, kKey, "N"), 0);
  EXPECT_THAT(Shown(), ElementsAre(2, 0, 0, 0));
  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, kKey, "N"), 0);
  EXPECT_THAT(Shown(), ElementsAre(1, 0, 0, 0));
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "HKEY_CURRENT_USER.ini"));
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "HKEY_LOCAL_MACHINE.ini"));
  EXPECT_FALSE(URegistryStore(static_cast<HKEY>(99)).CreateKey(kKey)) << "unknown root";
}

TEST_F(URegisterTest, NamesKeepEveryByte) {
  // A GBK value name and a '/' inside a key name reach the store and come back unchanged.
  const char* key = "Software\\A/B\\\xC9\xE8\xD6\xC3";
  const char* name = "\xB4\xB0\xBF\xDA";
  const int number = 3;
  ASSERT_TRUE(URegistryStore(HKEY_CURRENT_USER).CreateKey(key));
  EXPECT_FALSE(URegistryStore(HKEY_CURRENT_USER).KeyExists("Software\\A"));
  ASSERT_EQ(reg_.SetValue_D(HKEY_CURRENT_USER, key, name, &number), 0);
  ASSERT_EQ(reg_.ShowContent(HKEY_CURRENT_USER, key, name), 0);
  EXPECT_THAT(Shown(), ElementsAre(3, 0, 0, 0));
}
