#include "editor_support/property_grid/choice_item.h"

#include "editor_support/property_grid/value_text.h"

UPropertyGridItemChoice::UPropertyGridItemChoice(const QString& caption,
                                                 std::initializer_list<Choice> choices,
                                                 uint32_t value, uint32_t* binding)
    : UPropertyGridBoundItem(caption, binding) {
  for (const Choice& choice : choices) {
    GetConstraints()->AddConstraint(QString::fromUtf8(choice.first),
                                    static_cast<int>(choice.second));
  }
  SetOwnValue(value);
}

QString UPropertyGridItemChoice::Format(const uint32_t& value) const {
  const UPropertyGridConstraints* choices = GetConstraints();
  for (int i = 0; i < choices->GetCount(); ++i) {
    if (static_cast<uint32_t>(choices->GetDataAt(i)) == value) {
      return choices->GetAt(i);
    }
  }
  return QString::number(value);
}

uint32_t UPropertyGridItemChoice::Parse(const QString& text) const {
  const int index = GetConstraints()->FindConstraint(text);
  if (index >= 0) {
    return static_cast<uint32_t>(GetConstraints()->GetDataAt(index));
  }
  return static_cast<uint32_t>(ParseInteger(text));
}
