#pragma once

#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// Matrix and geometry helpers for the editor, so it can rotate markers and hit-test rotated
// shapes without calling the engine. Angles are in degrees; a positive angle about (0, 0, 1)
// turns clockwise on a screen whose y grows downwards. `combine` is an RwOpCombineType (0
// replaces the matrix).

TESSEL_API RwMatrixTag GetRotateMatrix(float angle);
TESSEL_API RwMatrixTag GetScaleMatrix(RwV3d* scale);
TESSEL_API RwMatrixTag GetTransMatrix(RwV3d* offset);
// Rotation and scale only, no translation; each returns `out`.
TESSEL_API RwV3d* TransformVectors(RwV3d* out, const RwV3d* in, int count, const RwMatrixTag* m);
TESSEL_API RwV3d* TransformVector(RwV3d* out, const RwV3d* in, const RwMatrixTag* m);
// With the translation; returns `out`.
TESSEL_API RwV3d* TransformPoint(RwV3d* out, const RwV3d* in, const RwMatrixTag* m);
TESSEL_API void MatrixTrans(RwMatrixTag* m, RwV3d* offset, int combine);
TESSEL_API void MatrixRotate(RwMatrixTag* m, const RwV3d* axis, float angle, int combine);
TESSEL_API void MatrixScale(RwMatrixTag* m, RwV3d* scale, int combine);
// Identity vectors; flag bits already set are kept and the orthonormal and identity marks added.
TESSEL_API void MatrixSetIdentity(RwMatrixTag* m);
// out = a then b; returns `out`.
TESSEL_API RwMatrixTag* MatrixMultiply(RwMatrixTag* out, RwMatrixTag* a, RwMatrixTag* b);

// Spherical interpolation between two matrices. SlerpCreate returns an interpolator owned by the
// caller, who frees it with SlerpDestroy; `flags` is accepted for callers that pass one (the end
// matrices are always copied).
TESSEL_API void* SlerpCreate(int flags);
TESSEL_API void SlerpInitialize(void* slerp, RwMatrixTag* from, RwMatrixTag* to);
TESSEL_API void SlerpGetMatrix(void* slerp, RwMatrixTag* out, float t);
TESSEL_API void SlerpDestroy(void* slerp);

// 1 when `point` (taken to lie in the triangle's plane) is inside `triangle[0..2]`, else 0. The
// test projects onto the two axes other than the dominant one of `normal` and counts edge
// crossings with half-open edges, without tolerance.
TESSEL_API int PointWithinTriangle(RwV3d* point, RwV3d* triangle, RwV3d* normal);
// 1 when `point` is inside the quadrilateral `corners[0..3]` (split into the triangles 0-1-2 and
// 0-2-3, seen along (0, 0, -1)), else 0.
TESSEL_API int PointWithinBox(RwV3d* point, RwV3d* corners);
// The same test on the untransformed corners; `m` does not change the result.
TESSEL_API int PointWithinBox(RwV3d* point, RwV3d* corners, const RwMatrixTag* m);
