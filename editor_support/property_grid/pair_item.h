#pragma once

#include <QString>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// A parent row that shows the numbers of its two children as "first,second" (a position or a
// size) and is edited through them: the row itself is read-only, and it shows the new pair as
// soon as a child takes an edit.
class PINDLE_API UPropertyGridItemPair : public UPropertyGridItem {
 public:
  // Adds `first` and `second` as children (this item owns them) and shows their pair.
  UPropertyGridItemPair(const QString& caption, UPropertyGridItem* first,
                        UPropertyGridItem* second);

  // Shows the children's values again, after they changed other than by an edit.
  void UpdateFromChildren();
  void OnChildValueChanged(UPropertyGridItem* child) override;
};
