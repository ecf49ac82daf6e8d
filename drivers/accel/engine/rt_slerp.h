#pragma once

#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// Spherical interpolation between two matrices: the rotations are interpolated along the shorter
// great arc of their quaternions, the positions linearly. The end matrices are copied, so they
// may change or go away after Initialize. Rotation parts are taken as orthonormal.
class TESSEL_API RtSlerp {
 public:
  RtSlerp();

  void Initialize(const RwMatrixTag* from, const RwMatrixTag* to);
  // The matrix at `t` (0 gives `from`, 1 gives `to`) into `out`.
  void GetMatrix(RwMatrixTag* out, float t) const;

 private:
  struct Quat {
    float w, x, y, z;
  };
  static Quat FromMatrix(const RwMatrixTag& m);

  Quat m_From;
  Quat m_To;
  RwV3d m_FromPos;
  RwV3d m_ToPos;
};
