#pragma once

#include <cstdint>
#include <vector>

#include "core/foundation/rect.h"

// The example character's texture: a sheet of separate body parts (head, body, arm, leg and a
// shadow) on a transparent ground, each inside its own rectangle so it can be cut as a module.
inline constexpr int kHeroSheetWidth = 128;
inline constexpr int kHeroSheetHeight = 128;

// Where each part lies on the sheet; right and bottom are exclusive.
inline const URect kHeroHead(4, 4, 28, 28);
inline const URect kHeroBody(32, 4, 56, 36);
inline const URect kHeroArm(60, 4, 68, 30);
inline const URect kHeroLeg(72, 4, 82, 32);
inline const URect kHeroShadow(4, 40, 36, 48);

// The sheet's pixels as 0xAARRGGBB words with straight alpha, top row first. The same pixels on
// every run and machine: integer arithmetic only.
std::vector<uint32_t> DrawHeroSheet();
