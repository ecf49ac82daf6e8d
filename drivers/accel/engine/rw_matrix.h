#pragma once

#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// Matrix and vector routines of the engine. Vectors are rows: a point p maps to
// p.x * right + p.y * up + p.z * at + pos. Angles are in degrees; a positive rotation about
// (0, 0, 1) turns x towards y, which is clockwise on a screen whose y grows downwards.

// Sets `m` to the identity, keeping its flag bits and adding the orthonormal and identity marks.
TESSEL_API void RwMatrixSetIdentity(RwMatrixTag* m);
// out = a then b (a applied first); `out` may be either input.
TESSEL_API RwMatrixTag* RwMatrixMultiply(RwMatrixTag* out, const RwMatrixTag* a,
                                         const RwMatrixTag* b);
// Rotation by `angle` degrees about `axis` (normalised here; a zero axis gives the identity).
TESSEL_API RwMatrixTag* RwMatrixRotate(RwMatrixTag* m, const RwV3d* axis, float angle,
                                       RwOpCombineType combine);
TESSEL_API RwMatrixTag* RwMatrixScale(RwMatrixTag* m, const RwV3d* scale, RwOpCombineType combine);
TESSEL_API RwMatrixTag* RwMatrixTranslate(RwMatrixTag* m, const RwV3d* offset,
                                          RwOpCombineType combine);
// Points include the translation; vectors do not. `out` may be `in`.
TESSEL_API RwV3d* RwV3dTransformPoints(RwV3d* out, const RwV3d* in, int count,
                                       const RwMatrixTag* m);
TESSEL_API RwV3d* RwV3dTransformVectors(RwV3d* out, const RwV3d* in, int count,
                                        const RwMatrixTag* m);
