#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/foundation/message.h"

TEST(MessageTest, InstalledHookReceivesTheMessageAndAnswers) {
  std::vector<UMessageRequest> shown;
  UMessageHook previous = SetMessageHook([&shown](const UMessageRequest& request) {
    shown.push_back(request);
    return UMessageAnswer::Yes;
  });
  const UMessageAnswer answer = ShowMessage(
      {"错误：无法打开有关的hKEY", "Quillet", UMessageButtons::YesNo, UMessageIcon::Error});
  EXPECT_EQ(answer, UMessageAnswer::Yes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "错误：无法打开有关的hKEY");
  EXPECT_EQ(shown[0].buttons, UMessageButtons::YesNo);
  SetMessageHook(previous);
}

TEST(MessageTest, DefaultHookWritesToStandardErrorAndLosesNothing) {
  SetMessageHook(nullptr);
  testing::internal::CaptureStderr();
  const UMessageAnswer answer =
      ShowMessage({"无法找到贴图 a.png", "", UMessageButtons::YesNoCancel, UMessageIcon::Warning});
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "无法找到贴图 a.png\n");
  EXPECT_EQ(answer, UMessageAnswer::Cancel);
  EXPECT_EQ(SafeAnswer(UMessageButtons::Ok), UMessageAnswer::Ok);
  EXPECT_EQ(SafeAnswer(UMessageButtons::YesNo), UMessageAnswer::No);
  EXPECT_EQ(SafeAnswer(UMessageButtons::OkCancel), UMessageAnswer::Cancel);
}
