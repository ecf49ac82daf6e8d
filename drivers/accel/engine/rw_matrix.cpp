#include "drivers/accel/engine/rw_matrix.h"

#include <cmath>

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

RwMatrixTag Identity() {
  RwMatrixTag m{};
  RwMatrixSetIdentity(&m);
  return m;
}

// Builds the operation's matrix into `op` and meets it with `m` as `combine` asks.
RwMatrixTag* Combine(RwMatrixTag* m, const RwMatrixTag& op, RwOpCombineType combine) {
  switch (combine) {
    case rwCOMBINEREPLACE:
      *m = op;
      break;
    case rwCOMBINEPRECONCAT:
      RwMatrixMultiply(m, &op, m);
      break;
    case rwCOMBINEPOSTCONCAT:
      RwMatrixMultiply(m, m, &op);
      break;
  }
  return m;
}

RwV3d MapVector(const RwV3d& v, const RwMatrixTag& m) {
  return {v.x * m.right.x + v.y * m.up.x + v.z * m.at.x,
          v.x * m.right.y + v.y * m.up.y + v.z * m.at.y,
          v.x * m.right.z + v.y * m.up.z + v.z * m.at.z};
}

}  // namespace

void RwMatrixSetIdentity(RwMatrixTag* m) {
  m->right = {1, 0, 0};
  m->up = {0, 1, 0};
  m->at = {0, 0, 1};
  m->pos = {0, 0, 0};
  m->flags |= rwMATRIXTYPEORTHONORMAL | rwMATRIXINTERNALIDENTITY;
}

RwMatrixTag* RwMatrixMultiply(RwMatrixTag* out, const RwMatrixTag* a, const RwMatrixTag* b) {
  RwMatrixTag product{};
  product.right = MapVector(a->right, *b);
  product.up = MapVector(a->up, *b);
  product.at = MapVector(a->at, *b);
  const RwV3d moved = MapVector(a->pos, *b);
  product.pos = {moved.x + b->pos.x, moved.y + b->pos.y, moved.z + b->pos.z};
  // A product keeps the orthonormal mark only when both factors have it, and is no longer known
  // to be the identity.
  product.flags = a->flags & b->flags & rwMATRIXTYPEORTHONORMAL;
  *out = product;
  return out;
}

RwMatrixTag* RwMatrixRotate(RwMatrixTag* m, const RwV3d* axis, float angle,
                            RwOpCombineType combine) {
  RwMatrixTag op = Identity();
  const float length = std::sqrt(axis->x * axis->x + axis->y * axis->y + axis->z * axis->z);
  if (length > 0.0f) {
    const float x = axis->x / length;
    const float y = axis->y / length;
    const float z = axis->z / length;
    const float radians = angle * kDegreesToRadians;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float t = 1.0f - c;
    // Rows of the rotation by `radians` about the unit axis, for row vectors.
    op.right = {t * x * x + c, t * x * y + s * z, t * x * z - s * y};
    op.up = {t * x * y - s * z, t * y * y + c, t * y * z + s * x};
    op.at = {t * x * z + s * y, t * y * z - s * x, t * z * z + c};
    op.flags = rwMATRIXTYPEORTHONORMAL;
  }
  return Combine(m, op, combine);
}

RwMatrixTag* RwMatrixScale(RwMatrixTag* m, const RwV3d* scale, RwOpCombineType combine) {
  RwMatrixTag op = Identity();
  op.right.x = scale->x;
  op.up.y = scale->y;
  op.at.z = scale->z;
  op.flags = 0;
  return Combine(m, op, combine);
}

RwMatrixTag* RwMatrixTranslate(RwMatrixTag* m, const RwV3d* offset, RwOpCombineType combine) {
  RwMatrixTag op = Identity();
  op.pos = *offset;
  op.flags = rwMATRIXTYPEORTHONORMAL;
  return Combine(m, op, combine);
}

RwV3d* RwV3dTransformPoints(RwV3d* out, const RwV3d* in, int count, const RwMatrixTag* m) {
  for (int i = 0; i < count; ++i) {
    const RwV3d v = MapVector(in[i], *m);
    out[i] = {v.x + m->pos.x, v.y + m->pos.y, v.z + m->pos.z};
  }
  return out;
}

RwV3d* RwV3dTransformVectors(RwV3d* out, const RwV3d* in, int count, const RwMatrixTag* m) {
  for (int i = 0; i < count; ++i) {
    out[i] = MapVector(in[i], *m);
  }
  return out;
}
