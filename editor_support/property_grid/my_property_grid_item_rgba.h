#pragma once

#include <QString>

#include "core/foundation/rgba.h"
#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// An item for a 0xAARRGGBB colour: a swatch of the colour followed by the text
// "red; green; blue ;alpha ", and a "..." button that opens the colour dialog.
class PINDLE_API MyPropertyGridItemRGBA : public UPropertyGridItem {
 public:
  // Binds to `binding` (may be null; never owned) and sets `value`.
  MyPropertyGridItemRGBA(const QString& caption, RGBA value, RGBA* binding);

  // Stores `value`, writes it through the binding and shows it.
  void SetColor(RGBA value);
  RGBA GetColor() const { return m_Value; }
  // Binds to `binding` (null unbinds) and writes the current colour into it at once.
  void BindToColor(RGBA* binding);

  // "%i; %i; %i ;%i " with red, green, blue and alpha.
  static QString RGBToString(RGBA color);
  // Reads four fields separated by ';' as red, green, blue and alpha; a number above 254 gives
  // 255, any other keeps its low 8 bits, and a missing field gives 0.
  static RGBA StringToRGB(const QString& text);

  void SetValue(const QString& text) override;
  // Draws the swatch at the left of the value and the text after it. Returns true.
  bool OnDrawItemValue(QPainter& painter, const QRect& valueRect) override;
  // Opens the colour dialog on the item's colour; a confirmed colour (with alpha 255) is applied
  // as if the user had typed it.
  void OnInplaceButtonDown() override;
  // The editor starts right of the swatch.
  QRect GetValueRect(const QRect& cellRect) const override;

 private:
  RGBA m_Value;
  RGBA* m_Binding;
};
