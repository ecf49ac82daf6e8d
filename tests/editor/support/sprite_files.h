#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "core/anim/obj_action.h"
#include "core/anim/obj_actor.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"
#include "tests/support/png_writer.h"

// A small sprite for the editor's tests: a 32 x 32 texture whose left half is red and right half
// blue, one module for each half, and frames placing them, with an action that plays the frames.
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr int kTextureSize = 32;
constexpr int kHalf = kTextureSize / 2;

inline bool WriteSpriteTexture(const std::string& path) {
  std::vector<uint32_t> texels;
  for (int y = 0; y < kTextureSize; ++y) {
    for (int x = 0; x < kTextureSize; ++x) {
      texels.push_back(x < kHalf ? kRed : kBlue);
    }
  }
  return WritePng(path, PngFromArgb(kTextureSize, kTextureSize, texels));
}

// Writes "sprite.png" and `document` beside it: modules red (0) and blue (1), each a half of
// the texture; frame 0 places red at (0, 0), frame 1 blue at (16, 0); action "walk" shows frame 0
// at tick 0 and frame 1 at tick 2.
inline bool WriteSpriteDocument(const std::string& folder, const std::string& document) {
  if (!WriteSpriteTexture(folder + "/sprite.png")) {
    return false;
  }
  UObjActor actor;
  actor.Init();
  actor.name = "sprite";
  TTextureInfo texture;
  std::snprintf(texture.name, sizeof(texture.name), "%s", "sprite.png");
  texture.width = kTextureSize;
  texture.height = kTextureSize;
  actor.AddTexture(texture);
  for (int half = 0; half < 2; ++half) {
    auto* module = new UObjModule;
    module->left = static_cast<uint16_t>(half * kHalf);
    module->right = static_cast<uint16_t>(half * kHalf + kHalf);
    module->bottom = kTextureSize;
    actor.AddModule(module);
    auto* frame = new UObjFrame;
    frame->name = half == 0 ? "red" : "blue";
    frame->AddModule(static_cast<uint16_t>(half), half * kHalf, 0);
    actor.AddFrame(frame);
  }
  auto* action = new UObjAction;
  action->name = "walk";
  action->InsFrame(TActionFrame{0, 0, 0, 0});
  action->InsFrame(TActionFrame{2, 1, 0, 0});
  actor.AddAction(action);
  actor.SetIntroploate();
  return SaveActorFile((folder + "/" + document).c_str(), actor);
}
