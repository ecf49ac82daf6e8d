#pragma once

#include <QString>

#include "editor_support/property_grid/property_grid_item.h"

// An item holding a value of type T, optionally bound to an engine field of the same type that
// receives every value the item takes. Derived items say how a value is shown and how a typed
// text is read.
template <typename T>
class UPropertyGridBoundItem : public UPropertyGridItem {
 public:
  T GetOwnValue() const { return m_Value; }
  // Binds the item to `binding` (null unbinds); the binding receives the next value set, not the
  // current one. The item never owns it.
  void BindToValue(T* binding) { m_Binding = binding; }

  // Stores `value`, writes it through the binding and shows it.
  virtual void SetOwnValue(T value) {
    m_Value = value;
    if (m_Binding != nullptr) {
      *m_Binding = value;
    }
    UPropertyGridItem::SetValue(Format(m_Value));
  }
  // Reads the typed text into a value and sets it.
  void SetValue(const QString& text) override { SetOwnValue(Parse(text)); }

 protected:
  UPropertyGridBoundItem(const QString& caption, T* binding)
      : UPropertyGridItem(caption), m_Value(), m_Binding(binding) {}

  virtual QString Format(const T& value) const = 0;
  virtual T Parse(const QString& text) const = 0;

 private:
  T m_Value;
  T* m_Binding;
};
