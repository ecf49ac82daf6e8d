#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "core/foundation/message.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/property_grid.h"
#include "tests/support/qt_events.h"

namespace {

// A grid with one name item, typed into as a user types, with the messages it shows recorded.
class NameItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousHook_ = SetMessageHook([this](const UMessageRequest& request) {
      messages_.push_back(QString::fromStdString(request.text));
      return UMessageAnswer::Ok;
    });
    grid_.resize(420, 200);
    grid_.SetValueChangedHandler([this](UPropertyGridItem*) { ++changes_; });
    item_ = new MyPropertyGridItemUName(QStringLiteral("Name"), UName("hero"), &name_);
    grid_.AddCategory(QStringLiteral("Actor"))->AddChildItem(item_);
    grid_.ExpandAll();
    grid_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    grid_.activateWindow();
    ProcessEvents();
  }

  void TearDown() override { SetMessageHook(previousHook_); }

  // Opens the item's editor with its text selected, so typing replaces it.
  QLineEdit* OpenEditor() {
    const QRect cell = grid_.GetValueCellRect(item_);
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, cell.center());
    ProcessEvents();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (editor != nullptr) {
      editor->selectAll();
    }
    return editor;
  }

  static void Commit(QLineEdit* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
  }

  UMessageHook previousHook_;
  std::vector<QString> messages_;
  UPropertyGrid grid_;
  MyPropertyGridItemUName* item_ = nullptr;
  UName name_;
  int changes_ = 0;
};

}  // namespace

TEST_F(NameItemTest, TheEditorTakesWhatANameCanStoreAndNoMore) {
  // ASCII: one byte a character, so typing stops after 31.
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  TypeText(editor, QString(40, QLatin1Char('a')));
  EXPECT_EQ(editor->text(), QString(31, QLatin1Char('a')));
  Commit(editor);
  EXPECT_EQ(std::string(name_.GetString()), std::string(31, 'a'));
  EXPECT_EQ(changes_, 1);

  // Chinese: two bytes a character; fifteen fill 30 bytes, one ASCII letter still fits, a
  // sixteenth character or a second letter does not.
  editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  const QString run = QStringLiteral("跑");
  TypeText(editor, run.repeated(16));
  EXPECT_EQ(editor->text(), run.repeated(15));
  TypeText(editor, QStringLiteral("xy"));
  EXPECT_EQ(editor->text(), run.repeated(15) + QStringLiteral("x"));
  Commit(editor);
  EXPECT_EQ(name_.Length(), 31);
  std::string stored;
  for (int i = 0; i < 15; ++i) {
    stored += "\xC5\xDC";  // 跑 in GBK
  }
  EXPECT_EQ(std::string(name_.GetString()), stored + "x");
  EXPECT_EQ(item_->GetValue(), run.repeated(15) + QStringLiteral("x"));
  // Reaching the limit is no error: nothing was shown.
  EXPECT_TRUE(messages_.empty());
}

TEST_F(NameItemTest, ACharacterGbkCannotHoldIsRefusedWithAMessage) {
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  // Thai has no place in GBK; "?" itself is an ordinary character.
  TypeText(editor, QStringLiteral("ab?\u0E01c"));
  EXPECT_EQ(editor->text(), QStringLiteral("ab?c"));
  Commit(editor);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].contains(QStringLiteral("\u0E01"))) << messages_[0].toStdString();
  EXPECT_STREQ(name_.GetString(), "ab?c");
}

TEST_F(NameItemTest, ATextThatDoesNotFitIsRefusedWholeAndTheNameKeepsItsValue) {
  // Commits that do not come through the editor are held to the same rule: nothing is cut.
  item_->OnValueChanged(QString(32, QLatin1Char('b')));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].contains(QStringLiteral("31"))) << messages_[0].toStdString();
  EXPECT_STREQ(name_.GetString(), "hero");
  EXPECT_EQ(item_->GetValue(), QStringLiteral("hero"));
  EXPECT_EQ(changes_, 0);

  item_->SetValue(QStringLiteral("walk\u0E01"));
  EXPECT_EQ(messages_.size(), 2u);
  EXPECT_STREQ(name_.GetString(), "hero");

  // What fits exactly is taken as it is.
  item_->OnValueChanged(QStringLiteral("跑步") + QString(27, QLatin1Char('c')));
  EXPECT_EQ(messages_.size(), 2u);
  EXPECT_EQ(name_.Length(), 31);
  EXPECT_EQ(changes_, 1);
}
