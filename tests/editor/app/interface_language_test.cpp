// The interface in English: every text of the main window and of the dialogs it opens has its
// English, while the default interface keeps the program's own texts.
#include "tests/editor/support/app_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

#include "editor/app/input_dialog.h"
#include "editor/app/interface_language.h"
#include "editor/app/recovery_dialog.h"
#include "editor/res/command_ids.h"
#include "editor/res/pane_table.h"
#include "editor_support/property_grid/property_grid.h"
#include "tests/editor/support/window_picture.h"

namespace {

// Every caption a user reads in `root` and the widgets, menus and actions under it (not the
// document's own names in the lists' rows, nor what the property pane's values hold).
QStringList ShownTexts(const QWidget& root) {
  QStringList texts{root.windowTitle()};
  for (const QAction* action : root.findChildren<QAction*>()) {
    texts << action->text() << action->toolTip() << action->statusTip();
  }
  for (const QMenu* menu : root.findChildren<QMenu*>()) {
    texts << menu->title();
  }
  for (const QWidget* widget : root.findChildren<QWidget*>()) {
    texts << widget->windowTitle() << widget->toolTip();
  }
  for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
    texts << button->text();
  }
  for (const QLabel* label : root.findChildren<QLabel*>()) {
    texts << label->text();
  }
  for (const QTabBar* tabs : root.findChildren<QTabBar*>()) {
    for (int i = 0; i < tabs->count(); ++i) {
      texts << tabs->tabText(i);
    }
  }
  for (const QComboBox* box : root.findChildren<QComboBox*>()) {
    for (int i = 0; i < box->count(); ++i) {
      texts << box->itemText(i);
    }
  }
  for (const QTreeWidget* tree : root.findChildren<QTreeWidget*>()) {
    for (int column = 0; column < tree->columnCount(); ++column) {
      texts << tree->headerItem()->text(column);
    }
  }
  return texts;
}

// The captions of the property pane's rows as it shows them now.
QStringList PropertyCaptions(CMainFrame& frame) {
  QStringList captions;
  for (QTreeWidgetItemIterator it(frame.PropertyGrid()); *it != nullptr; ++it) {
    captions << (*it)->text(0);
  }
  return captions;
}

// The texts with a Chinese character; a language's name in its own language is not one.
QStringList Chinese(const QStringList& texts) {
  static const QRegularExpression chinese("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
  QStringList found;
  for (const QString& text : texts) {
    if (text.contains(chinese) && text != "中文") {
      found << text;
    }
  }
  return found;
}

QStringList& operator<<(QStringList& list, const std::vector<std::string>& more) {
  for (const std::string& text : more) {
    list << QString::fromStdString(text);
  }
  return list;
}

class InterfaceLanguageTest : public AppTest {
 protected:
  ~InterfaceLanguageTest() override {
    app.reset();
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }

  // Runs `open` and returns the texts of the dialog it runs through the prompt service.
  QStringList DialogTexts(const std::function<void()>& open, const char* picture = nullptr) {
    QStringList texts;
    prompts.onDialog = [&texts, picture](QDialog& dialog) {
      dialog.show();
      texts = ShownTexts(dialog);
      // A dialog's property grid holds captions only.
      for (const QTreeWidget* tree : dialog.findChildren<QTreeWidget*>()) {
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it != nullptr; ++it) {
          texts << (*it)->text(0);
        }
      }
      if (picture != nullptr) {
        EXPECT_TRUE(dialog.grab().save(picture));
      }
    };
    open();
    prompts.onDialog = nullptr;
    EXPECT_FALSE(texts.isEmpty());
    return texts;
  }
};

TEST_F(InterfaceLanguageTest, TheEnglishInterfaceLeavesNoChineseText) {
  ASSERT_TRUE(InstallInterfaceLanguage(*qApp, "en"));
  StartApp(QUILLET_EXAMPLES_DIR "/hero.an1");
  CVelloEditor& e = Editor();
  // Steps named in the history and in Undo.
  e.CreateFrame("walk_extra");
  e.Undo();
  QStringList texts = ShownTexts(Frame());
  for (QDockWidget* dock : Frame().findChildren<QDockWidget*>()) {
    texts << dock->windowTitle();
  }
  const QTreeWidget* history = Frame().Pane(pane::kHistory)->findChild<QTreeWidget*>();
  for (int row = 0; row < history->topLevelItemCount(); ++row) {
    texts << history->topLevelItem(row)->text(1);
  }
  // Every page of the property pane: module, frame, placement, action.
  e.SelectModule(0);
  texts << PropertyCaptions(Frame());
  e.SelectFrame(0);
  texts << PropertyCaptions(Frame());
  e.SelectPlacement(0);
  texts << PropertyCaptions(Frame());
  e.SelectAction(0);
  texts << PropertyCaptions(Frame());
  EXPECT_TRUE(texts.contains("&File"));
  EXPECT_TRUE(texts.contains("Settings"));
  EXPECT_TRUE(texts.contains("Action Keys"));
  EXPECT_TRUE(texts.contains("Collision Box"));
  EXPECT_TRUE(texts.contains("Export to Symbian"));
  EXPECT_TRUE(texts.contains("Add Frame")) << "the step's name in the history";
  // The panes with the most buttons in front, to see that their English fits.
  Frame().Pane(pane::kModuleCut)->raise();
  Frame().Pane(pane::kFrames)->raise();
  QTest::qWait(100);
  EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/english_window.png"));

  // The dialogs: customisation, action settings, auto slicing, a tag's properties, input, about
  // and recovery.
  texts << DialogTexts([this] { Trigger(cmd::kCustomize); },
                       QUILLET_SCREENSHOT_DIR "/english_customize.png");
  const auto double_click_first_row = [this](int paneId) {
    QTreeWidget* list = Frame().Pane(paneId)->findChild<QTreeWidget*>();
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
  };
  texts << DialogTexts([&] { double_click_first_row(pane::kActions); });
  e.SelectTexture(0);
  texts << DialogTexts([this] { Frame().findChild<QAbstractButton*>("autoSlice")->click(); },
                       QUILLET_SCREENSHOT_DIR "/english_auto_slice.png");
  e.SelectFrame(0);
  e.CreateTag(10, 10);
  e.SelectTag(0);
  texts << DialogTexts([&] { double_click_first_row(pane::kFrameTags); });
  CInputDlg input("x", {}, &Frame());
  input.show();
  texts << ShownTexts(input);
  CRecoveryDialog recovery(
      {{"TestActor", "/tmp/a.an1", "2026-01-01T00:00:00Z", ""}, {"b", "", "", "damaged"}},
      &Frame());
  texts << ShownTexts(recovery);
  // What the editor says: a refused frame rate, a message of a library, a status prompt.
  prompts.typedTexts = {"0"};
  Trigger(cmd::kSetFps);
  Trigger(cmd::kExportSymbian);
  Trigger(cmd::kOnionSkin);
  texts << prompts.messages << Frame().StatusPane(0)->text();
  EXPECT_EQ(Chinese(texts), QStringList());
}

TEST_F(InterfaceLanguageTest, WithoutAChoiceTheTextsAreTheProgramsOwnAndEnglishIsKeptForLater) {
  ASSERT_TRUE(InstallInterfaceLanguage(*qApp, ""));
  StartApp();
  const QStringList texts = ShownTexts(Frame());
  for (const char* text : {"&文件", "设置", "导出到Symbian", "导出RWS", "动作帧 ACTION_FRAME",
                           "&Undo\tCtrl+Z", "Ready", "语言 / Language", "中文", "English"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
  }
  EXPECT_FALSE(Chinese(texts).isEmpty());
  for (const char* english : {"&File", "Settings", "Export to Symbian", "Action Keys"}) {
    EXPECT_FALSE(texts.contains(english)) << english;
  }
  auto* chinese = Frame().findChild<QAction*>("language_zh");
  auto* english = Frame().findChild<QAction*>("language_en");
  EXPECT_TRUE(chinese->isChecked());
  english->trigger();
  EXPECT_TRUE(english->isChecked());
  EXPECT_EQ(ChosenInterfaceLanguage(), "en");
  EXPECT_EQ(Frame().StatusPane(0)->text(),
            "界面语言将在下次启动时更改 / The interface language changes at the next start");
  // The choice takes effect at the next start.
  EXPECT_EQ(InterfaceLanguage(), "zh");
}

}  // namespace
