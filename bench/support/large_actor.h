#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/anim/obj_actor.h"

// The large document the benchmarks work on: about 1 MB stored, 2,000 frames of 16 placements
// and 2 tags each, and 400 actions of 40 keys, all cut from one 1024 x 1024 texture "sheet.png".
// With `frames` other than 2,000 the actions grow in proportion (20,000 frames: about 10 MB).
constexpr int kLargeActorFrames = 2000;
constexpr int kLargeActorPlacementsPerFrame = 16;
constexpr int kLargeActorTagsPerFrame = 2;
constexpr int kLargeActorActions = 400;
constexpr int kLargeActorKeysPerAction = 40;
constexpr int kLargeActorTextureSize = 1024;

inline void BuildLargeActor(UObjActor& actor, int frames = kLargeActorFrames) {
  actor.Init();
  actor.name = UName("Large");
  TTextureInfo texture;
  std::snprintf(texture.name, sizeof(texture.name), "sheet.png");
  texture.width = kLargeActorTextureSize;
  texture.height = kLargeActorTextureSize;
  actor.AddTexture(texture);
  for (int m = 0; m < kLargeActorPlacementsPerFrame * 4; ++m) {
    auto* module = new UObjModule;
    module->left = static_cast<uint16_t>(m * 16);
    module->right = static_cast<uint16_t>(m * 16 + 16);
    module->bottom = 16;
    actor.AddModule(module);
  }
  for (int f = 0; f < frames; ++f) {
    auto* frame = new UObjFrame;
    std::string name = "Frame " + std::to_string(f);
    frame->name = UName(name.c_str());
    frame->origin = UPoint16(static_cast<int16_t>(f % 64), 32);
    frame->collision = URect(-8, -16, 8, 0);
    for (int t = 0; t < kLargeActorTagsPerFrame; ++t) {
      frame->AddTag(t * 4, -t * 4);
      frame->tags.back().Param1 = f;
    }
    for (int p = 0; p < kLargeActorPlacementsPerFrame; ++p) {
      frame->AddModule(static_cast<uint16_t>((f + p) % (kLargeActorPlacementsPerFrame * 4)), p * 3,
                       -p);
      TObjFrame& placement = frame->placements.back();
      // A mix of plain placements and ones carrying every optional value.
      if (p % 4 == 0) {
        placement.affine.ScaleXEnable = 1;
        placement.affine.ScaleYEnable = 1;
        placement.affine.RotateAngleEnable = 1;
        placement.affine.AlphaBlendEnable = 1;
        placement.ScaleX = 1.5f;
        placement.ScaleY = 0.5f;
        placement.RotateAngle = static_cast<float>(f % 360);
        placement.AlphaValue = 200;
      }
      placement.affine.FlipX = static_cast<uint32_t>(p & 1);
    }
    actor.AddFrame(frame);
  }
  for (int a = 0; a < kLargeActorActions * frames / kLargeActorFrames; ++a) {
    auto* action = new UObjAction;
    std::string name = "Action " + std::to_string(a);
    action->name = UName(name.c_str());
    for (int k = 0; k < kLargeActorKeysPerAction; ++k) {
      action->keys.push_back(TActionFrame{static_cast<uint32_t>(k * 3),
                                          static_cast<uint32_t>((a + k) % frames), 0, 0});
    }
    actor.AddAction(action);
  }
  actor.SetIntroploate();
}
