#include "drivers/accel/geometry.h"

#include <cmath>

#include "drivers/accel/engine/rt_slerp.h"
#include "drivers/accel/engine/rw_matrix.h"

namespace {

RwOpCombineType Combine(int combine) {
  return static_cast<RwOpCombineType>(combine);
}

}  // namespace

RwMatrixTag GetRotateMatrix(float angle) {
  RwMatrixTag m{};
  const RwV3d axis{0.0f, 0.0f, 1.0f};
  RwMatrixRotate(&m, &axis, angle, rwCOMBINEREPLACE);
  return m;
}

RwMatrixTag GetScaleMatrix(RwV3d* scale) {
  RwMatrixTag m{};
  RwMatrixScale(&m, scale, rwCOMBINEREPLACE);
  return m;
}

RwMatrixTag GetTransMatrix(RwV3d* offset) {
  RwMatrixTag m{};
  RwMatrixTranslate(&m, offset, rwCOMBINEREPLACE);
  return m;
}

RwV3d* TransformVectors(RwV3d* out, const RwV3d* in, int count, const RwMatrixTag* m) {
  return RwV3dTransformVectors(out, in, count, m);
}

RwV3d* TransformVector(RwV3d* out, const RwV3d* in, const RwMatrixTag* m) {
  return RwV3dTransformVectors(out, in, 1, m);
}

RwV3d* TransformPoint(RwV3d* out, const RwV3d* in, const RwMatrixTag* m) {
  return RwV3dTransformPoints(out, in, 1, m);
}

void MatrixTrans(RwMatrixTag* m, RwV3d* offset, int combine) {
  RwMatrixTranslate(m, offset, Combine(combine));
}

void MatrixRotate(RwMatrixTag* m, const RwV3d* axis, float angle, int combine) {
  RwMatrixRotate(m, axis, angle, Combine(combine));
}

void MatrixScale(RwMatrixTag* m, RwV3d* scale, int combine) {
  RwMatrixScale(m, scale, Combine(combine));
}

void MatrixSetIdentity(RwMatrixTag* m) {
  RwMatrixSetIdentity(m);
}

RwMatrixTag* MatrixMultiply(RwMatrixTag* out, RwMatrixTag* a, RwMatrixTag* b) {
  return RwMatrixMultiply(out, a, b);
}

void* SlerpCreate(int /*flags*/) {
  return new RtSlerp();
}

void SlerpInitialize(void* slerp, RwMatrixTag* from, RwMatrixTag* to) {
  static_cast<RtSlerp*>(slerp)->Initialize(from, to);
}

void SlerpGetMatrix(void* slerp, RwMatrixTag* out, float t) {
  static_cast<const RtSlerp*>(slerp)->GetMatrix(out, t);
}

void SlerpDestroy(void* slerp) {
  delete static_cast<RtSlerp*>(slerp);
}

int PointWithinTriangle(RwV3d* point, RwV3d* triangle, RwV3d* normal) {
  const float nx = std::fabs(normal->x);
  const float ny = std::fabs(normal->y);
  const float nz = std::fabs(normal->z);
  // Project onto (s, t), the two axes other than the normal's dominant one.
  float RwV3d::*s = nullptr;
  float RwV3d::*t = nullptr;
  if (nz <= ny) {
    if (nx < ny) {  // y dominant
      s = &RwV3d::z;
      t = &RwV3d::x;
    } else {  // x dominant
      s = &RwV3d::y;
      t = &RwV3d::z;
    }
  } else if (nx < nz) {  // z dominant
    s = &RwV3d::y;
    t = &RwV3d::x;
  } else {  // x dominant
    s = &RwV3d::y;
    t = &RwV3d::z;
  }
  const float ps = point->*s;
  const float pt = point->*t;
  bool inside = false;
  const int edges[3][2] = {{0, 2}, {1, 0}, {2, 1}};
  for (const auto& edge : edges) {
    const RwV3d& a = triangle[edge[0]];
    const RwV3d& b = triangle[edge[1]];
    const float as = a.*s, at = a.*t, bs = b.*s, bt = b.*t;
    if (((as <= ps && ps < bs) || (bs <= ps && ps < as)) &&
        pt < (ps - as) * (bt - at) / (bs - as) + at) {
      inside = !inside;
    }
  }
  return inside ? 1 : 0;
}

int PointWithinBox(RwV3d* point, RwV3d* corners) {
  RwV3d normal{0.0f, 0.0f, -1.0f};
  RwV3d first[3] = {corners[0], corners[1], corners[2]};
  RwV3d second[3] = {corners[0], corners[2], corners[3]};
  return PointWithinTriangle(point, first, &normal) != 0 ||
                 PointWithinTriangle(point, second, &normal) != 0
             ? 1
             : 0;
}

int PointWithinBox(RwV3d* point, RwV3d* corners, const RwMatrixTag* /*m*/) {
  return PointWithinBox(point, corners);
}
