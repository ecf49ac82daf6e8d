#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include <QString>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/bound_item.h"

// A value picked from named choices and bound to an unsigned 32-bit field: picking a choice
// writes the value that choice stands for. A value that no choice names is shown as its number,
// so an unknown value stays visible and unchanged until the user picks another.
class PINDLE_API UPropertyGridItemChoice : public UPropertyGridBoundItem<uint32_t> {
 public:
  using Choice = std::pair<const char*, uint32_t>;

  // Offers `choices` (caption and value) in the order given, binds to `binding` (may be null;
  // never owned) and sets `value`.
  UPropertyGridItemChoice(const QString& caption, std::initializer_list<Choice> choices,
                          uint32_t value, uint32_t* binding);

 protected:
  // The caption of the first choice with `value`, else the number.
  QString Format(const uint32_t& value) const override;
  // The value of the choice with this caption, else the number the text starts with (atoi).
  uint32_t Parse(const QString& text) const override;
};
