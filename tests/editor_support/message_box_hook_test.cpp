#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "core/foundation/message.h"
#include "editor_support/dialogs/message_box_hook.h"

namespace {

// Presses `button` in the message box once it is shown, and remembers what the box said.
struct MessageBoxAnswerer {
  QString text;
  QString title;

  void PressWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      text = box->text();
      title = box->windowTitle();
      box->button(button)->click();
    });
  }
};

}  // namespace

TEST(MessageBoxHookTest, ShowsTheTextAndAnswersWithThePressedButton) {
  const UMessageHook previous = InstallMessageBoxHook();
  struct Case {
    UMessageButtons buttons;
    QMessageBox::StandardButton pressed;
    UMessageAnswer answer;
  };
  const Case cases[] = {
      {UMessageButtons::Ok, QMessageBox::Ok, UMessageAnswer::Ok},
      {UMessageButtons::YesNo, QMessageBox::No, UMessageAnswer::No},
      {UMessageButtons::YesNoCancel, QMessageBox::Yes, UMessageAnswer::Yes},
      {UMessageButtons::OkCancel, QMessageBox::Cancel, UMessageAnswer::Cancel},
  };
  for (const Case& c : cases) {
    MessageBoxAnswerer answerer;
    answerer.PressWhenShown(c.pressed);
    const UMessageAnswer answer =
        ShowMessage({"无法找到贴图 a.png", "Quillet", c.buttons, UMessageIcon::Warning});
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(answerer.text, QString::fromUtf8("无法找到贴图 a.png"));
    EXPECT_EQ(answerer.title, QStringLiteral("Quillet"));
  }
  SetMessageHook(previous);
}
