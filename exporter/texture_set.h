#pragma once

#include <string>

#include "core/anim/obj_actor.h"
#include "core/canvas/canvas_util.h"
#include "core/canvas/surface.h"

// Owns the loaded texture surfaces of an actor, one per texture record, in texture-table order,
// as the actor's drawing expects them.
class CTextureSet {
 public:
  CTextureSet() = default;
  CTextureSet(const CTextureSet&) = delete;
  CTextureSet& operator=(const CTextureSet&) = delete;
  ~CTextureSet();

  // Loads every texture of `actor` from `directory` through `util`; false with the missing one
  // named in `error`.
  bool Load(const UObjActor& actor, const std::string& directory, UCanvasUtil& util,
            std::string& error);

  // Takes `surface` (owned from now on) as the next texture's.
  void Adopt(USurface* surface) { surfaces_.push_back(surface); }

  UArray<USurface*>* Surfaces() { return &surfaces_; }

 private:
  UArray<USurface*> surfaces_;
};
