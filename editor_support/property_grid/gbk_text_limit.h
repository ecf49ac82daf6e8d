#pragma once

#include <cstddef>

#include <QString>
#include <QValidator>

#include "editor_support/pindle_api.h"

class QLineEdit;

// What a text field stored as GBK bytes can take: every character must exist in GBK, and the
// converted text must fit the field's bytes. Editors refuse what does not fit instead of cutting
// it, so a name is never stored other than as typed.
struct PINDLE_API UGbkTextCheck {
  enum class Verdict { Fits, TooLong, NotInGbk };
  Verdict verdict = Verdict::Fits;
  QString character;  // NotInGbk: the first character GBK cannot hold

  bool Fits() const { return verdict == Verdict::Fits; }
};

PINDLE_API UGbkTextCheck CheckGbkText(const QString& text, size_t maxBytes);

// Tells the user, through Core's message hook, why a text was refused.
PINDLE_API void ShowGbkTextRefusal(const UGbkTextCheck& check, size_t maxBytes);

// Limits a line editor to texts that fit: a keystroke or paste that would make the text too
// long, or bring in a character GBK cannot hold, is refused; the second also gets a message,
// shown once the keystroke has been handled.
class PINDLE_API UGbkTextValidator : public QValidator {
 public:
  // Installs itself on `editor`, which owns it.
  UGbkTextValidator(size_t maxBytes, QLineEdit* editor);

  State validate(QString& input, int& pos) const override;

 private:
  size_t m_MaxBytes;
  // The verdict of the last refused text, for the message when the editor reports the refusal.
  mutable UGbkTextCheck m_LastRefusal;
};
