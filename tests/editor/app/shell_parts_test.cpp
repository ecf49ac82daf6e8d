// The shell's parts that need no main window: the profile reader, the command router, the file
// dialog filters and the input dialog.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "core/foundation/profile_int.h"
#include "editor/app/input_dialog.h"
#include "editor/services/command_router.h"
#include "tests/editor/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ProfileIntTest, ReadsKeysWithTheWindowsRules) {
  const std::string ini =
      "; settings\r\n"
      "[other]\n"
      "fps=99\n"
      "[ Setting ]\n"
      "  FPS = 25 frames\n"
      "InpolationEnable=0\n"
      "empty=\n"
      "word=abc\n"
      "negative=-7\n"
      "hex=0x1F\n"
      "fps=40\n"
      "[SETTING]\n"
      "late=5\n";
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "fps", 30), 25);
  EXPECT_EQ(ProfileIntFromText(ini, "setting", "inpolationenable", 1), 0);
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "empty", 30), 30);
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "word", 30), 0);
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "negative", 30), -7);
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "hex", 30), 31);
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "missing", 30), 30);
  EXPECT_EQ(ProfileIntFromText(ini, "absent", "fps", 30), 30);
  // Only the first section of a name counts.
  EXPECT_EQ(ProfileIntFromText(ini, "SETTING", "late", 3), 3);
  EXPECT_EQ(ProfileIntFromText("", "SETTING", "fps", 30), 30);
  EXPECT_EQ(ProfileIntFromText("[SETTING", "SETTING", "fps", 30), 30);
}

TEST(ProfileIntTest, MissingFilesFoldersAndFifosGiveTheDefault) {
  TempDir dir;
  EXPECT_EQ(ReadProfileInt(dir.File("anmcfg.ini"), "SETTING", "fps", 30), 30);
  EXPECT_EQ(ReadProfileInt(dir.path().string(), "SETTING", "fps", 30), 30);
  const std::string fifo = dir.File("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadProfileInt(fifo, "SETTING", "fps", 30), 30);
  WriteFileBytes(dir.File("anmcfg.ini"),
                 {'[', 'S', 'E', 'T', 'T', 'I', 'N', 'G', ']', '\n', 'f', 'p', 's', '=', '2', '5'});
  EXPECT_EQ(ReadProfileInt(dir.File("anmcfg.ini"), "SETTING", "fps", 30), 25);
}

class NamedTarget : public CCommandTarget {
 public:
  NamedTarget(std::string name, std::vector<std::string>* log)
      : name_(std::move(name)), log_(log) {}
  void Handle(int id, bool enabled = true, bool checked = false) {
    OnCommand(
        id, [this, id] { log_->push_back(name_ + ":" + std::to_string(id)); },
        [enabled] { return enabled; },
        checked ? std::function<bool()>([] { return true; }) : std::function<bool()>());
  }

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

TEST(CommandRouterTest, TheFirstTargetThatHandlesACommandGetsItAndAnswersItsState) {
  std::vector<std::string> log;
  NamedTarget view("view", &log), doc("doc", &log), frame("frame", &log), app("app", &log);
  CCommandRouter router;
  for (CCommandTarget* target : std::initializer_list<CCommandTarget*>{&view, &doc, &frame, &app}) {
    router.AddTarget(target);
  }
  view.Handle(1);
  doc.Handle(1);
  doc.Handle(2);
  frame.Handle(2);
  frame.Handle(3, /*enabled=*/false);
  app.Handle(3);
  app.Handle(4, true, /*checked=*/true);

  EXPECT_TRUE(router.Execute(1));
  EXPECT_TRUE(router.Execute(2));
  // The frame's disabled handler hides the application's: a disabled command does not run.
  EXPECT_FALSE(router.Execute(3));
  EXPECT_FALSE(router.IsEnabled(3));
  EXPECT_TRUE(router.Execute(4));
  EXPECT_TRUE(router.IsChecked(4));
  EXPECT_TRUE(router.IsCheckable(4));
  EXPECT_FALSE(router.IsCheckable(1));
  // A command that nobody handles is disabled.
  EXPECT_FALSE(router.Execute(5));
  EXPECT_FALSE(router.IsEnabled(5));
  EXPECT_EQ(log, (std::vector<std::string>{"view:1", "doc:2", "app:4"}));

  router.RemoveTarget(&view);
  EXPECT_TRUE(router.Execute(1));
  EXPECT_EQ(log.back(), "doc:1");
}

TEST(FileDialogFilterTest, PairsBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("组合OBJ 文件 (*.an1)|*.an1||"), QStringList{"组合OBJ 文件 (*.an1)"});
  EXPECT_EQ(QtNameFilters("Quillen 动画文件 v1(*.an1)|*.an1|All Files (*.*)|*.*||"),
            (QStringList{"Quillen 动画文件 v1(*.an1)", "All Files (*.*)"}));
  EXPECT_EQ(QtNameFilters("Portable Image|*.png;*.PNG||"),
            QStringList{"Portable Image (*.png *.PNG)"});
  EXPECT_TRUE(QtNameFilters("").isEmpty());
}

// The real input dialog: only its buttons close it, and "确定" takes a text only when it fits.
TEST(InputDialogTest, OnlyTheButtonsCloseItAndOkRefusesTextThatDoesNotFit) {
  ScriptedPrompts prompts;
  CInputDlg dialog(
      "abc", [](const std::string& text) { return TypedTextProblem(text, TypedTextKind::Name); },
      nullptr);
  EXPECT_EQ(dialog.windowTitle(), "请输入");
  auto* ok = dialog.findChild<QPushButton*>("okButton");
  auto* cancel = dialog.findChild<QPushButton*>("cancelButton");
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(ok->text(), "确定");
  EXPECT_EQ(cancel->text(), "取消");
  EXPECT_EQ(dialog.Text(), "abc");

  dialog.show();
  QTest::keyClick(dialog.Edit(), Qt::Key_Return);
  QTest::keyClick(dialog.Edit(), Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());

  // 32 bytes do not fit a name: refused with a message, the dialog stays.
  dialog.Edit()->setText(QString(32, 'x'));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_FALSE(prompts.messages[0].empty());

  // 15 Chinese characters are 30 bytes in GBK: they fit.
  dialog.Edit()->setText(QString::fromUtf8("一二三四五六七八九十一二三四五"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST(InputDialogTest, CancelRejects) {
  CInputDlg dialog("", {}, nullptr);
  dialog.show();
  QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(PromptServiceTest, LibraryMessagesGoThroughTheInstalledService) {
  ScriptedPrompts prompts;
  prompts.answers.push_back(UMessageAnswer::No);
  UMessageRequest request;
  request.text = "库的消息";
  request.buttons = UMessageButtons::YesNoCancel;
  EXPECT_EQ(ShowMessage(request), UMessageAnswer::No);
  EXPECT_EQ(prompts.messages, std::vector<std::string>{"库的消息"});

  // The typed-text helper keeps asking until a text fits or the user cancels.
  prompts.typedTexts = {std::string(40, 'n'), std::string("短名")};
  EXPECT_EQ(prompts.AskTypedText("", TypedTextKind::Name), std::optional<std::string>("短名"));
  EXPECT_EQ(prompts.messages.size(), 2u);
}

}  // namespace
