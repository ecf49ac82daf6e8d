// The prompt service of the running program shows real dialogs; here a timer plays the user.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/app/input_dialog.h"
#include "editor/app/qt_prompt_service.h"
#include "tests/support/qt_events.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(QtPromptServiceTest, MessagesShowTheirTextAndAnswerTheButtonPressed) {
  CQtPromptService service;
  QString shown;
  WhenModalShows([&shown](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(service.AskYesNoCancel("请确要删除吗?"), UMessageAnswer::No);
  EXPECT_EQ(shown, "请确要删除吗?");

  WhenModalShows(
      [](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click(); });
  UMessageRequest request;
  request.text = "此版本不支持";
  EXPECT_EQ(service.ShowMessage(request), UMessageAnswer::Ok);
}

TEST(QtPromptServiceTest, TheInputDialogReturnsTheConfirmedTextOrNothing) {
  CQtPromptService service;
  WhenModalShows([](QWidget* modal) {
    auto* dialog = dynamic_cast<CInputDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Text(), "30");
    dialog->Edit()->setText("15");
    dialog->findChild<QPushButton*>("okButton")->click();
  });
  EXPECT_EQ(service.AskText("30", {}), std::optional<std::string>("15"));

  WhenModalShows([](QWidget* modal) { modal->findChild<QPushButton*>("cancelButton")->click(); });
  EXPECT_EQ(service.AskText("x", {}), std::nullopt);
}

TEST(QtPromptServiceTest, FileDialogsUseTheFiltersExtensionAndProposedName) {
  TempDir dir;
  CQtPromptService service;
  CFileDialogRequest request;
  request.filter = "组合OBJ 文件 (*.an1)|*.an1||";
  request.defaultExtension = ".an1";
  request.initialName = dir.File("TestActor.an1");
  WhenModalShows([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"组合OBJ 文件 (*.an1)"});
    EXPECT_EQ(dialog->defaultSuffix(), "an1");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), "TestActor.an1");
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::optional<std::string> path = service.AskSavePath(request);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, dir.File("TestActor.an1"));

  WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(service.AskOpenPath(request), std::nullopt);
}

TEST(QtPromptServiceTest, ColourDialogAndAbout) {
  CQtPromptService service;
  WhenModalShows([](QWidget* modal) {
    auto* dialog = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(Qt::black));
    dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
    dialog->accept();
  });
  EXPECT_EQ(service.AskColor(QColor(Qt::black)), std::optional<QColor>(QColor(0x12, 0x34, 0x56)));

  QStringList texts;
  WhenModalShows([&texts](QWidget* modal) {
    for (const QLabel* label : modal->findChildren<QLabel*>()) {
      texts << label->text();
    }
    qobject_cast<QDialog*>(modal)->accept();
  });
  service.ShowAbout();
  EXPECT_TRUE(texts.contains("Quillen"));
  EXPECT_TRUE(texts.join(' ').contains("1.6b"));
}

}  // namespace
