#pragma once

#include <cstddef>
#include <cstdint>

#include <QString>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// A whole number bound to a 32-bit field, shown in decimal and read as atoi reads it. An
// unsigned field receives the number's 32 bits as they are.
class PINDLE_API UPropertyGridItemNumber : public UPropertyGridItem {
 public:
  // Binds to `binding` (may be null; never owned) and sets `value`.
  UPropertyGridItemNumber(const QString& caption, int32_t value, int32_t* binding);
  UPropertyGridItemNumber(const QString& caption, int32_t value, uint32_t* binding);
  // An unbound number.
  UPropertyGridItemNumber(const QString& caption, int32_t value, std::nullptr_t)
      : UPropertyGridItemNumber(caption, value, static_cast<int32_t*>(nullptr)) {}

  // Stores `value`, writes it through the binding and shows it.
  void SetNumber(int32_t value);
  int32_t GetNumber() const { return m_Value; }
  void SetValue(const QString& text) override;

 private:
  int32_t m_Value = 0;
  int32_t* m_Binding = nullptr;
  uint32_t* m_UnsignedBinding = nullptr;
};

// A yes/no value bound to a 32-bit field (1 or 0), picked from the choices "True" and "False".
class PINDLE_API UPropertyGridItemBool : public UPropertyGridItem {
 public:
  // Binds to `binding` (may be null; never owned) and sets `value`.
  UPropertyGridItemBool(const QString& caption, bool value, int32_t* binding);
  UPropertyGridItemBool(const QString& caption, bool value, uint32_t* binding);
  // An unbound yes/no value.
  UPropertyGridItemBool(const QString& caption, bool value, std::nullptr_t)
      : UPropertyGridItemBool(caption, value, static_cast<int32_t*>(nullptr)) {}

  // Stores `value`, writes 1 or 0 through the binding and shows "True" or "False".
  void SetBool(bool value);
  bool GetBool() const { return m_Value; }
  // "True" (in any case) is true; any other text is false.
  void SetValue(const QString& text) override;

 private:
  void AddChoices();

  bool m_Value = false;
  int32_t* m_Binding = nullptr;
  uint32_t* m_UnsignedBinding = nullptr;
};
