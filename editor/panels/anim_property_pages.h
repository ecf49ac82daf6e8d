#pragma once

#include "core/anim/obj_action.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"

class UPropertyGrid;

// The property pages of the animation editor. Each fills an empty grid with items bound to the
// fields of one model object, so that a committed edit writes the field at once. The items keep
// pointers into the object: the grid must be emptied before the object moves or goes away.

// "模块属性": the module's attribute and its rectangle in the texture.
void BuildModulePage(UPropertyGrid& grid, UObjModule& module);

// "动作属性": the action's name, its key count (display only) and its speed.
void BuildActionPage(UPropertyGrid& grid, UObjAction& action);

// The frame's name, placement count, origin, collision box and trigger area; with a placement
// index inside the frame's list, also "当前选择Module" for that placement.
void BuildFramePage(UPropertyGrid& grid, UObjFrame& frame, int placement);
