#pragma once

#include "core/foundation/property.h"
#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// Makes the grid item for a typed property: captioned with the property's name, showing its
// value and bound to the property's own storage, so that edits change the property. Returns a new
// item that the caller owns until it adds it to a grid item, or null for a null property and for
// types without an item (none, pointer, unknown codes). The property must outlive the item.
PINDLE_API UPropertyGridItem* GetMyPropertyItem(UProperty* property);
