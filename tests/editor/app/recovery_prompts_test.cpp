// The two ways the recovery question is answered besides the test double: the dialog a user
// sees, and the script an unattended run reads its answers from.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <string>
#include <vector>

#include "editor/app/file_script_prompts.h"
#include "editor/app/qt_prompt_service.h"
#include "editor/app/recovery_dialog.h"
#include "tests/support/qt_events.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<CRecoveryOffer> ThreeOffers() {
  std::vector<CRecoveryOffer> offers(3);
  offers[0] = {"hero.an1", "/home/ann/hero.an1", "2026-12-07T16:20:05Z", ""};
  offers[1] = {"broken", "", "2026-12-07T16:21:00Z", "the copy is not a whole actor"};
  offers[2] = {"Untitled", "", "2026-12-07T16:22:00Z", ""};
  return offers;
}

int ChoiceOf(const QComboBox* box) {
  return box->currentData().toInt();
}

void Choose(QComboBox* box, CRecoveryChoice choice) {
  box->setCurrentIndex(box->findData(static_cast<int>(choice)));
}

std::string ReadText(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(RecoveryDialog, RestoresOneCopyAtMostAndNeverAnUnreadableOne) {
  CRecoveryDialog dialog(ThreeOffers(), nullptr);
  EXPECT_EQ(dialog.windowTitle(), "恢复文档");
  // Every copy starts as "以后再说"; the unreadable one cannot be restored.
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(ChoiceOf(dialog.ChoiceBox(row)), static_cast<int>(CRecoveryChoice::Keep));
  }
  EXPECT_EQ(dialog.ChoiceBox(1)->findData(static_cast<int>(CRecoveryChoice::Restore)), -1);
  EXPECT_EQ(dialog.ChoiceBox(0)->itemText(0), "恢复");

  Choose(dialog.ChoiceBox(0), CRecoveryChoice::Restore);
  Choose(dialog.ChoiceBox(1), CRecoveryChoice::Delete);
  Choose(dialog.ChoiceBox(2), CRecoveryChoice::Restore);
  // Restoring the third moved the first back to "以后再说".
  EXPECT_EQ(ChoiceOf(dialog.ChoiceBox(0)), static_cast<int>(CRecoveryChoice::Keep));

  // A picture of the dialog as the user sees it, for people to look at.
  dialog.show();
  ProcessEvents();
  EXPECT_TRUE(dialog.grab().save(QUILLET_SCREENSHOT_DIR "/recovery_dialog.png"));

  // Closed without OK, every copy is kept.
  dialog.reject();
  EXPECT_EQ(dialog.Choices(), std::vector<CRecoveryChoice>(3, CRecoveryChoice::Keep));
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_EQ(dialog.Choices(),
            (std::vector<CRecoveryChoice>{CRecoveryChoice::Keep, CRecoveryChoice::Delete,
                                          CRecoveryChoice::Restore}));
}

TEST(RecoveryDialog, IsWhatTheProgramsPromptServiceShowsAndAnswers) {
  CQtPromptService service;
  WhenModalShows([](QWidget* modal) {
    auto* dialog = dynamic_cast<CRecoveryDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    Choose(dialog->ChoiceBox(0), CRecoveryChoice::Delete);
    Choose(dialog->ChoiceBox(2), CRecoveryChoice::Restore);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(service.AskRecovery(ThreeOffers()),
            (std::vector<CRecoveryChoice>{CRecoveryChoice::Delete, CRecoveryChoice::Keep,
                                          CRecoveryChoice::Restore}));
}

TEST(FileScriptPrompts, AnswersFromTheScriptInOrderAndLogsEveryQuestion) {
  TempDir dir;
  const std::string script = dir.File("script.txt");
  const std::string log = dir.File("log.txt");
  {
    const std::string text =
        "restore\r\nrestore\ndelete\n"  // the recovery dialog, three copies
        "no\n"                          // a question
        "bad name\nfine\n"              // the input dialog: refused, then accepted
        "/tmp/a.an1\n"                  // a save dialog
        "\n"                            // an open dialog, cancelled
        "/tmp/a.png|/tmp/b.png\n"       // several files
        "#ff8000\n";                    // a colour
    WriteFileBytes(script, std::vector<unsigned char>(text.begin(), text.end()));
  }
  CFileScriptPrompts prompts(QString::fromStdString(script), QString::fromStdString(log));

  // Only the first restorable copy is restored; an unreadable one is kept instead.
  std::vector<CRecoveryOffer> offers = ThreeOffers();
  std::swap(offers[0], offers[1]);
  EXPECT_EQ(prompts.AskRecovery(offers),
            (std::vector<CRecoveryChoice>{CRecoveryChoice::Keep, CRecoveryChoice::Restore,
                                          CRecoveryChoice::Delete}));
  EXPECT_EQ(prompts.AskYesNoCancel("是否保存?"), UMessageAnswer::No);
  EXPECT_EQ(prompts.AskText("",
                            [](const std::string& text) {
                              return text == "bad name" ? std::string("名字不能有空格")
                                                        : std::string();
                            }),
            "fine");
  EXPECT_EQ(prompts.AskSavePath({}), "/tmp/a.an1");
  EXPECT_EQ(prompts.AskOpenPath({}), std::nullopt);
  EXPECT_EQ(prompts.AskOpenPaths({}), (std::vector<std::string>{"/tmp/a.png", "/tmp/b.png"}));
  EXPECT_EQ(prompts.AskColor(Qt::black), QColor(0xff, 0x80, 0x00));
  // The script has run out: a question is answered as a user who closes it.
  EXPECT_EQ(prompts.AskYesNoCancel("再问?"), UMessageAnswer::Cancel);
  EXPECT_EQ(prompts.AskSavePath({}), std::nullopt);

  const std::string logged = ReadText(log);
  EXPECT_NE(logged.find("recovery: broken |  | 2026-12-07T16:21:00Z | 无法读取\n"),
            std::string::npos)
      << logged;
  EXPECT_NE(logged.find("recovery: hero.an1 | /home/ann/hero.an1 | 2026-12-07T16:20:05Z | "
                        "readable\n"),
            std::string::npos);
  EXPECT_NE(logged.find("message: 是否保存?\n"), std::string::npos);
  EXPECT_NE(logged.find("refused: 名字不能有空格\n"), std::string::npos);
  EXPECT_NE(logged.find("message: 再问?\n"), std::string::npos);

  // A script that cannot be read cancels everything.
  CFileScriptPrompts missing(QString::fromStdString(dir.File("none.txt")), QString());
  EXPECT_EQ(missing.AskYesNoCancel("?"), UMessageAnswer::Cancel);
  EXPECT_EQ(missing.AskRecovery(ThreeOffers()),
            std::vector<CRecoveryChoice>(3, CRecoveryChoice::Keep));
}
