#pragma once

#include <QByteArray>
#include <QString>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// An item for a float field, shown with a printf format of its own and read as atof reads it.
class PINDLE_API MyPropertyGridItemFloat : public UPropertyGridItem {
 public:
  // `format` holds one floating conversion ("%0.4f"); null, or a format with any other
  // conversion, shows "%0.4f". Binds to `binding` (may be null; never owned) and sets `value`.
  MyPropertyGridItemFloat(const QString& caption, float value, const char* format, float* binding);

  // Stores `value`, writes it through the binding and shows it.
  void SetFloat(float value);
  float GetFloat() const { return m_Value; }
  // Binds to `binding` (null unbinds) and writes the current value into it at once.
  void BindToFloat(float* binding);
  void SetValue(const QString& text) override;

 private:
  float m_Value = 0.0f;
  float* m_Binding;
  QByteArray m_Format;
};
