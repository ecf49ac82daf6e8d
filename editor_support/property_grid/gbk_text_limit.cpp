#include "editor_support/property_grid/gbk_text_limit.h"

#include <string>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMetaObject>

#include "core/foundation/message.h"
#include "core/foundation/text_codec.h"

UGbkTextCheck CheckGbkText(const QString& text, size_t maxBytes) {
  UGbkTextCheck check;
  size_t bytes = 0;
  // One character at a time: the converter stands '?' in for a character GBK lacks, so a '?'
  // from anything but a '?' marks one.
  for (int i = 0; i < text.size();) {
    const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, length);
    const std::string gbk = Utf8ToGbk(character.toStdString());
    if (gbk == "?" && character != QStringLiteral("?")) {
      check.verdict = UGbkTextCheck::Verdict::NotInGbk;
      check.character = character;
      return check;
    }
    bytes += gbk.size();
    i += length;
  }
  if (bytes > maxBytes) {
    check.verdict = UGbkTextCheck::Verdict::TooLong;
  }
  return check;
}

void ShowGbkTextRefusal(const UGbkTextCheck& check, size_t maxBytes) {
  QString text;
  switch (check.verdict) {
    case UGbkTextCheck::Verdict::Fits:
      return;
    case UGbkTextCheck::Verdict::NotInGbk:
      text = QCoreApplication::translate("Quillet", "字符“%1”无法保存，请换用其他字符")
                 .arg(check.character);
      break;
    case UGbkTextCheck::Verdict::TooLong:
      text =
          QCoreApplication::translate("Quillet", "文字太长：最多 %1 个字节（一个汉字占 2 个字节）")
              .arg(maxBytes);
      break;
  }
  ShowMessage({text.toStdString(), "", UMessageButtons::Ok, UMessageIcon::Warning});
}

UGbkTextValidator::UGbkTextValidator(size_t maxBytes, QLineEdit* editor)
    : QValidator(editor), m_MaxBytes(maxBytes) {
  editor->setValidator(this);
  // Queued: the message box takes the focus, which must not happen inside the editor's own
  // handling of the keystroke.
  connect(
      editor, &QLineEdit::inputRejected, this,
      [this] {
        if (m_LastRefusal.verdict == UGbkTextCheck::Verdict::NotInGbk) {
          ShowGbkTextRefusal(m_LastRefusal, m_MaxBytes);
        }
      },
      Qt::QueuedConnection);
}

QValidator::State UGbkTextValidator::validate(QString& input, int& /*pos*/) const {
  const UGbkTextCheck check = CheckGbkText(input, m_MaxBytes);
  if (check.Fits()) {
    return Acceptable;
  }
  m_LastRefusal = check;
  return Invalid;
}
