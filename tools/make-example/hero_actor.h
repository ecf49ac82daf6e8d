#pragma once

#include "core/anim/obj_actor.h"

// The file name the example document gives its texture.
inline constexpr char kHeroTextureName[] = "hero.png";

// Fills the freshly initialised `actor` with the example character: the texture record of the
// hero sheet, one module per body part, the frames of two actions ("idle" and "walk") with
// collision boxes and tags, and the actions, whose consecutive keys place the same modules so
// that they blend. Every name is fixed, so the same document comes out on every run.
void BuildHeroActor(UObjActor& actor);
