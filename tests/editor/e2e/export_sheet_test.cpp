// The editor's export: File > 导出 > 导出精灵表… on an edited, unsaved document writes exactly what
// the command-line tool writes for the document saved with the edit, a failure names the
// exporter's reason, and a cancelled export writes nothing.
#include "tests/editor/support/app_fixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <filesystem>

#include "editor/panels/export_sheet_dialog.h"
#include "editor/res/strings.h"
#include "tests/support/qt_events.h"

namespace {

class ExportSheetTest : public AppTest {
 protected:
  // Opens a copy of the example document, so that its folder is the test's own.
  void OpenExample() {
    for (const char* name : {"hero.an1", "hero.png"}) {
      std::filesystem::copy_file(std::filesystem::path(QUILLET_EXAMPLES_DIR) / name,
                                 dir.File(name));
    }
    StartApp(dir.File("hero.an1"));
  }

  // The File menu's item "导出精灵表…", chosen as a user does.
  void ChooseExportItem() {
    for (QAction* file : Frame().menuBar()->actions()) {
      for (QAction* item : file->menu() != nullptr ? file->menu()->actions() : QList<QAction*>()) {
        for (QAction* sub : item->menu() != nullptr ? item->menu()->actions() : QList<QAction*>()) {
          if (sub->text() == QString::fromUtf8(res::kExportSheetMenu)) {
            sub->trigger();
            return;
          }
        }
      }
    }
    FAIL() << "no menu item " << res::kExportSheetMenu;
  }

  // Answers the dialog: the folder through "浏览…", `format` and `scale`, then "导出"; the dialog
  // is left as export_sheet_dialog.png when `screenshot` is set.
  void AnswerDialog(const std::string& folder, int format, int scale, bool screenshot = false) {
    prompts.paths.push_back(folder);
    prompts.dialogResult = QDialog::Accepted;
    prompts.onDialog = [=](QDialog& shown) {
      auto& dialog = dynamic_cast<CExportSheetDialog&>(shown);
      for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf8(res::kExportSheetBrowse)) {
          QTest::mouseClick(button, Qt::LeftButton);
        }
      }
      EXPECT_EQ(dialog.Folder()->text().toStdString(), folder);
      dialog.Format()->setCurrentIndex(format);
      dialog.Scale()->setValue(scale);
      dialog.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      if (screenshot) {
        // The fields without a label of their own are named for assistive tools.
        for (QWidget* field : std::initializer_list<QWidget*>{dialog.Actions(), dialog.Folder()}) {
          EXPECT_FALSE(
              QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty());
        }
        EXPECT_TRUE(dialog.grab().save(QUILLET_SCREENSHOT_DIR "/export_sheet_dialog.png"));
      }
      QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
  }
};

TEST_F(ExportSheetTest, ExportsTheUnsavedDocumentAsTheCommandLineToolDoes) {
  OpenExample();
  Editor().RenameAction(0, "dash");
  const std::string out = dir.File("out");
  AnswerDialog(out, 0, 2, true);
  prompts.answers.push_back(UMessageAnswer::No);
  ChooseExportItem();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.empty(); }, 30000));
  EXPECT_EQ(prompts.messages[0].rfind("导出完成", 0), 0u) << prompts.messages[0];
  const std::vector<unsigned char> json = ReadFileBytes(out + "/hero.json");
  EXPECT_NE(std::string(json.begin(), json.end()).find("\"dash/0\""), std::string::npos);

  // The tool exports the document saved with the edit.
  WriteFileBytes(dir.File("edited.an1"), Editor().StoredActor());
  QProcess cli;
  cli.start(QUILLET_CLI, {"export", QString::fromStdString(dir.File("edited.an1")), "--out",
                          QString::fromStdString(dir.File("cli")), "--scale", "2"});
  ASSERT_TRUE(cli.waitForFinished(30000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  for (const char* name : {"hero.png", "hero.json"}) {
    EXPECT_EQ(ReadFileBytes(out + "/" + name), ReadFileBytes(dir.File("cli") + "/" + name)) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 2);

  // A failure is reported with the exporter's reason.
  AnswerDialog(out + "/hero.png", 0, 1);
  ChooseExportItem();
  ASSERT_TRUE(QTest::qWaitFor([this] { return prompts.messages.size() == 2; }, 30000));
  EXPECT_EQ(prompts.messages[1], "导出失败：cannot make the folder '" + out + "/hero.png'");
}

TEST_F(ExportSheetTest, CancelWritesNoFiles) {
  OpenExample();
  const std::string out = dir.File("cancelled");
  AnswerDialog(out, 2, 8);
  ChooseExportItem();
  QPointer<QProgressDialog> progress = Frame().findChild<QProgressDialog*>("Export Progress");
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->isModal());
  QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&progress] { return progress.isNull(); }, 5000));
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(), res::kExportCancelledStatus);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
