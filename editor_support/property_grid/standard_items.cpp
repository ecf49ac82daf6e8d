#include "editor_support/property_grid/standard_items.h"

#include "editor_support/property_grid/value_text.h"

namespace {

const QString kTrueText = QStringLiteral("True");
const QString kFalseText = QStringLiteral("False");

}  // namespace

UPropertyGridItemNumber::UPropertyGridItemNumber(const QString& caption, int32_t value,
                                                 int32_t* binding)
    : UPropertyGridItem(caption), m_Binding(binding) {
  SetNumber(value);
}

UPropertyGridItemNumber::UPropertyGridItemNumber(const QString& caption, int32_t value,
                                                 uint32_t* binding)
    : UPropertyGridItem(caption), m_UnsignedBinding(binding) {
  SetNumber(value);
}

void UPropertyGridItemNumber::SetNumber(int32_t value) {
  m_Value = value;
  if (m_Binding != nullptr) {
    *m_Binding = value;
  }
  if (m_UnsignedBinding != nullptr) {
    *m_UnsignedBinding = static_cast<uint32_t>(value);
  }
  UPropertyGridItem::SetValue(QString::number(value));
}

void UPropertyGridItemNumber::SetValue(const QString& text) {
  SetNumber(static_cast<int32_t>(ParseInteger(text)));
}

UPropertyGridItemBool::UPropertyGridItemBool(const QString& caption, bool value, int32_t* binding)
    : UPropertyGridItem(caption), m_Binding(binding) {
  AddChoices();
  SetBool(value);
}

UPropertyGridItemBool::UPropertyGridItemBool(const QString& caption, bool value, uint32_t* binding)
    : UPropertyGridItem(caption), m_UnsignedBinding(binding) {
  AddChoices();
  SetBool(value);
}

void UPropertyGridItemBool::AddChoices() {
  GetConstraints()->AddConstraint(kTrueText, 1);
  GetConstraints()->AddConstraint(kFalseText, 0);
}

void UPropertyGridItemBool::SetBool(bool value) {
  m_Value = value;
  if (m_Binding != nullptr) {
    *m_Binding = value ? 1 : 0;
  }
  if (m_UnsignedBinding != nullptr) {
    *m_UnsignedBinding = value ? 1u : 0u;
  }
  UPropertyGridItem::SetValue(value ? kTrueText : kFalseText);
}

void UPropertyGridItemBool::SetValue(const QString& text) {
  SetBool(text.compare(kTrueText, Qt::CaseInsensitive) == 0);
}
