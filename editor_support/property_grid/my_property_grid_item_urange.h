#pragma once

#include <QString>

#include "core/foundation/range.h"
#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/my_property_grid_item_float.h"
#include "editor_support/property_grid/property_grid_item.h"

class MyPropertyGridItemURangeValues;

// An item for a float range, shown as "min,max" and edited through its two children "Min" and
// "Max"; the row itself is read-only. The range always holds its bounds in order.
class PINDLE_API MyPropertyGridItemURange : public UPropertyGridItem {
 public:
  // `format` shows each bound (one floating conversion; null gives "%0.2f"). Creates the two
  // children, which this item owns, binds to `binding` (may be null; never owned) and sets
  // `value`.
  MyPropertyGridItemURange(const QString& caption, URange value, const char* format,
                           URange* binding);

  // Stores `value`, writes it through the binding, and shows it here and in the children.
  void SetURange(URange value);
  URange GetURange() const { return m_Value; }
  // Binds to `binding` (null unbinds) and writes the current range into it at once.
  void BindToURange(URange* binding);
  // Reads two numbers separated by ',' (a missing one is 0) and stores them in order.
  void SetValue(const QString& text) override;

  // The "Min" and "Max" children, or null once removed.
  MyPropertyGridItemURangeValues* GetMinItem() const { return FindChild(true); }
  MyPropertyGridItemURangeValues* GetMaxItem() const { return FindChild(false); }

 private:
  MyPropertyGridItemURangeValues* FindChild(bool isMin) const;

  URange m_Value{0.0f, 0.0f};
  URange* m_Binding;
};

// One bound of a range item, captioned "Min" or "Max". A committed number replaces that bound
// of the parent range, which then orders its bounds again: "Max" of (1, 4) given 0 makes (0, 1),
// and both children show the range's new bounds.
class PINDLE_API MyPropertyGridItemURangeValues : public MyPropertyGridItemFloat {
 public:
  // `binding` may be null (never owned); a range item's own children are unbound, because the
  // range writes its ordered bounds through its own binding.
  MyPropertyGridItemURangeValues(float value, float* binding, bool isMin,
                                 const char* format = "%0.2f");

  bool IsMin() const { return m_IsMin; }
  void OnValueChanged(const QString& text) override;

 private:
  bool m_IsMin;
};
