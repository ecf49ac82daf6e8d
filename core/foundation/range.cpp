#include "core/foundation/range.h"

#include "core/foundation/random.h"

float URange::GetRand() const {
  const float span = min - max;
  return max + span * static_cast<float>(appRand15()) / 32767.0f;
}

float URange::GetSRand() const {
  const float span = min - max;
  return max + span * static_cast<float>(appRand15() % 512) / 512.0f;
}
