#include "drivers/accel/engine/rt_slerp.h"

#include <cmath>

RtSlerp::RtSlerp() : m_From{1, 0, 0, 0}, m_To{1, 0, 0, 0}, m_FromPos{0, 0, 0}, m_ToPos{0, 0, 0} {}

RtSlerp::Quat RtSlerp::FromMatrix(const RwMatrixTag& m) {
  // Row-vector matrices hold the transpose of the usual column form; the element names below are
  // those of the column form (r_ij = row i, column j).
  const float r00 = m.right.x, r01 = m.up.x, r02 = m.at.x;
  const float r10 = m.right.y, r11 = m.up.y, r12 = m.at.y;
  const float r20 = m.right.z, r21 = m.up.z, r22 = m.at.z;
  const float trace = r00 + r11 + r22;
  Quat q{};
  if (trace > 0.0f) {
    const float s = std::sqrt(trace + 1.0f) * 2.0f;
    q = {0.25f * s, (r21 - r12) / s, (r02 - r20) / s, (r10 - r01) / s};
  } else if (r00 > r11 && r00 > r22) {
    const float s = std::sqrt(1.0f + r00 - r11 - r22) * 2.0f;
    q = {(r21 - r12) / s, 0.25f * s, (r01 + r10) / s, (r02 + r20) / s};
  } else if (r11 > r22) {
    const float s = std::sqrt(1.0f + r11 - r00 - r22) * 2.0f;
    q = {(r02 - r20) / s, (r01 + r10) / s, 0.25f * s, (r12 + r21) / s};
  } else {
    const float s = std::sqrt(1.0f + r22 - r00 - r11) * 2.0f;
    q = {(r10 - r01) / s, (r02 + r20) / s, (r12 + r21) / s, 0.25f * s};
  }
  return q;
}

void RtSlerp::Initialize(const RwMatrixTag* from, const RwMatrixTag* to) {
  m_From = FromMatrix(*from);
  m_To = FromMatrix(*to);
  m_FromPos = from->pos;
  m_ToPos = to->pos;
}

void RtSlerp::GetMatrix(RwMatrixTag* out, float t) const {
  Quat to = m_To;
  float cosine = m_From.w * to.w + m_From.x * to.x + m_From.y * to.y + m_From.z * to.z;
  if (cosine < 0.0f) {  // the other sign of the same rotation takes the shorter arc
    to = {-to.w, -to.x, -to.y, -to.z};
    cosine = -cosine;
  }
  float a = 1.0f - t;
  float b = t;
  if (cosine < 0.9995f) {  // nearly equal rotations interpolate linearly, avoiding 0 / 0
    const float theta = std::acos(cosine);
    const float sine = std::sin(theta);
    a = std::sin((1.0f - t) * theta) / sine;
    b = std::sin(t * theta) / sine;
  }
  Quat q{a * m_From.w + b * to.w, a * m_From.x + b * to.x, a * m_From.y + b * to.y,
         a * m_From.z + b * to.z};
  const float length = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
  q = {q.w / length, q.x / length, q.y / length, q.z / length};

  const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  const float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  out->right = {1 - 2 * (yy + zz), 2 * (xy + wz), 2 * (xz - wy)};
  out->up = {2 * (xy - wz), 1 - 2 * (xx + zz), 2 * (yz + wx)};
  out->at = {2 * (xz + wy), 2 * (yz - wx), 1 - 2 * (xx + yy)};
  out->pos = {m_FromPos.x + (m_ToPos.x - m_FromPos.x) * t,
              m_FromPos.y + (m_ToPos.y - m_FromPos.y) * t,
              m_FromPos.z + (m_ToPos.z - m_FromPos.z) * t};
  out->flags = rwMATRIXTYPEORTHONORMAL;
}
