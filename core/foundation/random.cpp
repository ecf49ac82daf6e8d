#include "core/foundation/random.h"

#include <cstdlib>

namespace {
uint32_t seeded_state = 0;
}

void appSRandInit(int seed) {
  seeded_state = static_cast<uint32_t>(seed);
}

float appSRand() {
  seeded_state = seeded_state * 196314165u + 907633515u;
  return static_cast<float>(seeded_state & 0x7FFFFFu) / 8388608.0f;
}

int appRand15() {
  // The high bits of glibc's additive generator are its best ones.
  return (std::rand() >> 16) & 0x7FFF;  // NOLINT(cert-msc30-c, cert-msc50-cpp)
}
