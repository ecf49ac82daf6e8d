#include "core/canvas/window_host.h"

UWindowHost::~UWindowHost() = default;

bool UWindowHost::PresentPicture(const uint8_t* /*pixels*/, int /*width*/, int /*height*/,
                                 int /*stride*/) {
  return false;
}

bool UWindowHost::MakeContextCurrent() {
  return false;
}

uint32_t UWindowHost::GetFramebuffer() const {
  return 0;
}

void UWindowHost::SwapBuffers() {}
