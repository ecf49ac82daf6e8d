#include "tools/make-example/hero_actor.h"

#include <cstring>
#include <initializer_list>

#include "tools/make-example/hero_sheet.h"

namespace {

// Module indices, in the order the modules are added.
enum HeroModule : uint16_t { kHead, kBody, kArm, kLeg, kShadow };

// The origin puts the feet 40 pixels below the point the editor shows a frame at, so the figure
// stands in the middle of the view.
const UPoint16 kOrigin(0, 40);

// One pose: where each placement goes and how far the limbs swing (degrees, clockwise). The
// upper body (body, head, arms) rises by `lift` pixels.
struct Pose {
  int lift = 0;
  float backArm = 0.0f;
  float frontArm = 0.0f;
  float backLeg = 0.0f;
  float frontLeg = 0.0f;
};

void Place(UObjFrame& frame, HeroModule module, int x, int y) {
  frame.AddModule(module, x, y);
  TObjFrame& placement = frame.placements.back();
  // Values that take effect only with their enable bit; set as a stored document reads them.
  placement.ScaleX = 1.0f;
  placement.ScaleY = 1.0f;
  placement.AlphaValue = 1;
}

void Swing(UObjFrame& frame, float degrees) {
  TObjFrame& placement = frame.placements.back();
  placement.affine.RotateAngleEnable = 1;
  placement.RotateAngle = degrees;
}

void AddTag(UObjFrame& frame, const char* name, int x, int y, int width, int height, int param1) {
  TFrameTag tag;
  tag.name = name;
  tag.Param1 = param1;
  // A tag's position is the centre of its area.
  tag.x = static_cast<int16_t>(x);
  tag.y = static_cast<int16_t>(y);
  tag.width = static_cast<int16_t>(width);
  tag.height = static_cast<int16_t>(height);
  frame.tags.push_back(tag);
}

// A frame of the figure in `pose`. Every frame places the same modules in the same order
// (shadow, back arm, back leg, front leg, body, head, front arm), which is what lets any two
// of them blend. `swinging` turns the limbs' rotation on, so that walk frames blend their angles.
UObjFrame* MakeFrame(const char* name, const Pose& pose, bool swinging) {
  auto* frame = new UObjFrame;
  frame->name = name;
  frame->origin = kOrigin;
  const int upper = -pose.lift;
  Place(*frame, kShadow, -16, -4);
  Place(*frame, kArm, -19, -55 + upper);
  frame->placements.back().affine.FlipX = 1;
  if (swinging) {
    Swing(*frame, pose.backArm);
  }
  Place(*frame, kLeg, -11, -28);
  if (swinging) {
    Swing(*frame, pose.backLeg);
  }
  Place(*frame, kLeg, 1, -28);
  if (swinging) {
    Swing(*frame, pose.frontLeg);
  }
  Place(*frame, kBody, -12, -56 + upper);
  Place(*frame, kHead, -12, -78 + upper);
  Place(*frame, kArm, 11, -55 + upper);
  if (swinging) {
    Swing(*frame, pose.frontArm);
  }
  frame->collision = URect(-14, -78 + upper, 14, 0);
  AddTag(*frame, "head", 0, -66 + upper, 24, 24, 1);
  AddTag(*frame, "hand", 15, -31 + upper, 8, 6, 2);
  return frame;
}

UObjModule* MakeModule(const URect& part) {
  auto* module = new UObjModule;
  module->texture = 0;
  module->left = static_cast<uint16_t>(part.left);
  module->top = static_cast<uint16_t>(part.top);
  module->right = static_cast<uint16_t>(part.right);
  module->bottom = static_cast<uint16_t>(part.bottom);
  return module;
}

struct Key {
  uint32_t time;
  int frame;
};

UObjAction* MakeAction(const char* name, std::initializer_list<Key> keys) {
  auto* action = new UObjAction;
  action->name = name;
  action->speed = 0;
  for (const Key& key : keys) {
    TActionFrame stored;
    stored.time = key.time;
    stored.frame = static_cast<uint32_t>(key.frame);
    action->InsFrame(stored);
  }
  return action;
}

}  // namespace

void BuildHeroActor(UObjActor& actor) {
  actor.name = "hero";
  TTextureInfo texture;
  std::strncpy(texture.name, kHeroTextureName, sizeof(texture.name) - 1);
  texture.width = kHeroSheetWidth;
  texture.height = kHeroSheetHeight;
  actor.AddTexture(texture);

  for (const URect* part : {&kHeroHead, &kHeroBody, &kHeroArm, &kHeroLeg, &kHeroShadow}) {
    actor.AddModule(MakeModule(*part));
  }

  // Idle: standing, then breathing in (the upper body rises a pixel).
  const int idleStand = actor.AddFrame(MakeFrame("idle_0", Pose{}, false));
  const int idleBreath = actor.AddFrame(MakeFrame("idle_1", Pose{1}, false));
  // Walk: two contact poses with the limbs swung either way, each followed by a passing pose
  // with the limbs straight and the upper body raised.
  const int walkContactA =
      actor.AddFrame(MakeFrame("walk_0", Pose{0, -10.0f, 10.0f, 16.0f, -16.0f}, true));
  const int walkPassA = actor.AddFrame(MakeFrame("walk_1", Pose{2}, true));
  const int walkContactB =
      actor.AddFrame(MakeFrame("walk_2", Pose{0, 10.0f, -10.0f, -16.0f, 16.0f}, true));
  const int walkPassB = actor.AddFrame(MakeFrame("walk_3", Pose{2}, true));
  // The feet that touch the ground mark it, for footstep sounds.
  AddTag(*actor.frames[static_cast<size_t>(walkContactA)], "step", 6, -2, 10, 4, 1);
  AddTag(*actor.frames[static_cast<size_t>(walkContactB)], "step", -6, -2, 10, 4, 2);

  actor.AddAction(MakeAction("idle", {{0, idleStand}, {8, idleBreath}, {16, idleStand}}));
  actor.AddAction(MakeAction(
      "walk",
      {{0, walkContactA}, {4, walkPassA}, {8, walkContactB}, {12, walkPassB}, {16, walkContactA}}));
  actor.SetIntroploate();
}
