#include "editor_support/property_grid/my_property_grid_item_urange.h"

#include "editor_support/property_grid/value_text.h"

MyPropertyGridItemURange::MyPropertyGridItemURange(const QString& caption, URange value,
                                                   const char* format, URange* binding)
    : UPropertyGridItem(caption), m_Binding(binding) {
  const char* bound_format = format != nullptr ? format : "%0.2f";
  AddChildItem(new MyPropertyGridItemURangeValues(value.min, nullptr, true, bound_format));
  AddChildItem(new MyPropertyGridItemURangeValues(value.max, nullptr, false, bound_format));
  SetReadOnly(true);
  SetURange(value);
}

void MyPropertyGridItemURange::SetURange(URange value) {
  m_Value = value;
  if (m_Binding != nullptr) {
    *m_Binding = value;
  }
  MyPropertyGridItemURangeValues* min_item = GetMinItem();
  MyPropertyGridItemURangeValues* max_item = GetMaxItem();
  if (min_item != nullptr) {
    min_item->SetFloat(value.min);
  }
  if (max_item != nullptr) {
    max_item->SetFloat(value.max);
  }
  // The children format each bound; the row joins the two.
  const QString min_text = min_item != nullptr ? min_item->GetValue() : QString::number(value.min);
  const QString max_text = max_item != nullptr ? max_item->GetValue() : QString::number(value.max);
  UPropertyGridItem::SetValue(min_text + "," + max_text);
}

void MyPropertyGridItemURange::BindToURange(URange* binding) {
  m_Binding = binding;
  if (m_Binding != nullptr) {
    *m_Binding = m_Value;
  }
}

void MyPropertyGridItemURange::SetValue(const QString& text) {
  const qsizetype comma = text.indexOf(',');
  const float first = ParseFloat(text.left(comma));
  const float second = comma < 0 ? 0.0f : ParseFloat(text.mid(comma + 1));
  SetURange(URange(first, second));
}

MyPropertyGridItemURangeValues* MyPropertyGridItemURange::FindChild(bool isMin) const {
  for (int i = 0; i < childCount(); ++i) {
    auto* bound = dynamic_cast<MyPropertyGridItemURangeValues*>(child(i));
    if (bound != nullptr && bound->IsMin() == isMin) {
      return bound;
    }
  }
  return nullptr;
}

MyPropertyGridItemURangeValues::MyPropertyGridItemURangeValues(float value, float* binding,
                                                               bool isMin, const char* format)
    : MyPropertyGridItemFloat(isMin ? QStringLiteral("Min") : QStringLiteral("Max"), value, format,
                              binding)
    , m_IsMin(isMin) {}

void MyPropertyGridItemURangeValues::OnValueChanged(const QString& text) {
  const float typed = ParseFloat(text);
  if (auto* range = dynamic_cast<MyPropertyGridItemURange*>(GetParentItem())) {
    const URange current = range->GetURange();
    range->SetURange(m_IsMin ? URange(typed, current.max) : URange(current.min, typed));
  } else {
    SetFloat(typed);
  }
  NotifyValueChanged();
}
