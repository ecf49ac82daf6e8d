#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "core/foundation/message.h"
#include "editor/services/typed_text.h"

// A numeric property item (`Base`, one of the grid's typed items) that takes only numbers its
// field can hold: any other text is refused with a message naming the values allowed, and the
// item keeps its value. The range is asked for at each commit, so it may depend on other fields
// (a module's right never left of its left).
template <typename Base>
class CCheckedNumberItem : public Base {
 public:
  template <typename... BaseArgs>
  explicit CCheckedNumberItem(std::function<CNumberRange()> range, BaseArgs&&... baseArgs)
      : Base(std::forward<BaseArgs>(baseArgs)...), m_Range(std::move(range)) {}

  void OnValueChanged(const QString& text) override {
    const std::string problem =
        TypedNumberProblem(text.toStdString(), this->GetCaption().toStdString(), m_Range());
    if (problem.empty()) {
      Base::OnValueChanged(text);
      return;
    }
    // The in-place editor is still closing: a modal message now would take its focus and have
    // the same text committed again.
    QTimer::singleShot(0, QCoreApplication::instance(), [problem] {
      ShowMessage({problem, "", UMessageButtons::Ok, UMessageIcon::Warning});
    });
  }

 private:
  std::function<CNumberRange()> m_Range;
};

// The ranges of the stored fields.
template <typename T>
CNumberRange FieldRange() {
  return {static_cast<double>(std::numeric_limits<T>::lowest()),
          static_cast<double>(std::numeric_limits<T>::max()), std::numeric_limits<T>::is_integer};
}

class UPropertyGridItem;

// Checked items bound to a field of a page's or dialog's own copy, over the full range of the
// field's type: a signed 16-bit field, and a signed 32-bit one.
UPropertyGridItem* CheckedShortItem(const QString& caption, int16_t& field);
UPropertyGridItem* CheckedNumberItem(const QString& caption, int32_t& field);
