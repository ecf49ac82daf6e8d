#pragma once

#include <cstdint>

// What the user is editing, which decides the property page and what the view's mouse does.
enum class EditMode : int32_t {
  Module,  // a module of the selected texture
  Frame,   // the selected frame, its placements and tags
  Action,  // the selected action and its keys
};
