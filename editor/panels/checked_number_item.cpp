#include "editor/panels/checked_number_item.h"

#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/standard_items.h"

UPropertyGridItem* CheckedShortItem(const QString& caption, int16_t& field) {
  return new CCheckedNumberItem<MyPropertyGridItemShort>(FieldRange<int16_t>, caption, field,
                                                         &field);
}

UPropertyGridItem* CheckedNumberItem(const QString& caption, int32_t& field) {
  return new CCheckedNumberItem<UPropertyGridItemNumber>(FieldRange<int32_t>, caption, field,
                                                         &field);
}
