#pragma once

#include <cstdint>

#include "editor/doc/edited_fields.h"

class UPropertyGrid;

// The property pages of the animation editor. Each fills an empty grid with items bound to a copy
// of one record's fields, which the caller owns and hands to the editor context after a commit.
// The copy must outlive the grid's items. Numeric items refuse text their field cannot hold.

// "模块属性": the module's attribute and its rectangle in the texture.
void BuildModulePage(UPropertyGrid& grid, CModuleFields& module);

// "动作属性": the action's name, its key count (display only) and its speed.
void BuildActionPage(UPropertyGrid& grid, CActionFields& action, int keyCount);

// The frame's name, placement count, origin, collision box and trigger area; with a selected
// placement, also "当前选择Module" for it. Its items carry their PlacementField in column 0's
// Qt::UserRole data, and show no value for the fields in `differingFields` (PlacementFieldBit):
// those the selected placements do not share.
void BuildFramePage(UPropertyGrid& grid, CFrameFields& frame, int placementCount,
                    uint32_t differingFields = 0);
