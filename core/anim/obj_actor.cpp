#include "core/anim/obj_actor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/anim/anim_math.h"
#include "core/foundation/logger.h"

namespace {

template <typename T>
void DestroyAll(UArray<T*>& objects) {
  for (T* object : objects) {
    delete object;
  }
  objects.clear();
}

template <typename T>
int Append(UArray<T*>& objects, T* object) {
  if (object == nullptr) {
    return -1;
  }
  objects.push_back(object);
  return objects.Num() - 1;
}

template <typename T>
int DestroyAt(UArray<T*>& objects, int index) {
  if (!objects.IsValidIndex(index)) {
    return 0;
  }
  delete objects[static_cast<size_t>(index)];
  objects.erase(objects.begin() + index);
  return 1;
}

// The blend arithmetic, in 32-bit floats at every step as the stored pictures were made: the
// difference times the ratio is rounded to a float before it is added.
int16_t BlendPosition(int16_t from, int16_t to, float ratio) {
  const float step = static_cast<float>(to - from) * ratio;
  return TruncToInt16Bits(static_cast<float>(from) + step);
}

float BlendValue(float from, float to, float ratio) {
  const float difference = to - from;
  const float step = difference * ratio;
  return from + step;
}

// Opacity moves by the signed difference, so it fades down as well as up.
uint32_t BlendAlpha(uint32_t from, uint32_t to, float ratio) {
  const auto difference = static_cast<int32_t>(to - from);
  const float step = static_cast<float>(difference) * ratio;
  return TruncToUInt32Bits(static_cast<float>(from) + step);
}

}  // namespace

UObjActionEvent::UObjActionEvent(const UName& event_name, UObjActor* owner)
    : name(event_name), actor(owner) {}

UObjActionEvent::~UObjActionEvent() {
  DestroyAll(entries);
}

UObjActor::UObjActor() = default;

UObjActor::~UObjActor() {
  Destroy();
  DestroyAll(events);
}

void UObjActor::Init() {
  Destroy();
  interpolate = true;
  time = -1.0f;
  action = -1;
  playing = 0;
  loop = false;
  current = nullptr;
}

void UObjActor::Destroy() {
  textures.clear();
  DestroyAll(modules);
  DestroyAll(frames);
  DestroyAll(actions);
  // `current` may point at a frame just destroyed.
  current = nullptr;
}

void UObjActor::AddTexture(const TTextureInfo& info) {
  textures.push_back(info);
}

int UObjActor::AddModule(UObjModule* module) {
  return Append(modules, module);
}

int UObjActor::AddFrame(UObjFrame* frame) {
  return Append(frames, frame);
}

int UObjActor::AddAction(UObjAction* new_action) {
  return Append(actions, new_action);
}

int UObjActor::InsModule(int index, UObjModule* module) {
  if (module != nullptr) {
    const int at = std::clamp(index, 0, modules.Num());
    modules.insert(modules.begin() + at, module);
  }
  return 0;
}

int UObjActor::DelModule(int index) {
  if (DestroyAt(modules, index) == 0) {
    return 0;
  }
  // Placements name modules with 16 bits: none names this module or one after it.
  if (index > UINT16_MAX) {
    return 1;
  }
  const auto removed = static_cast<uint16_t>(index);
  for (UObjFrame* frame : frames) {
    std::erase_if(frame->placements, [&](const TObjFrame& p) { return p.module == removed; });
    for (TObjFrame& placement : frame->placements) {
      if (placement.module > removed) {
        --placement.module;
      }
    }
  }
  return 1;
}

int UObjActor::DelFrame(int index) {
  if (frames.IsValidIndex(index) && current == frames[static_cast<size_t>(index)]) {
    current = nullptr;
  }
  return DestroyAt(frames, index);
}

int UObjActor::DelAction(int index) {
  return DestroyAt(actions, index);
}

UObjAction* UObjActor::GetAction(const UName& action_name) {
  const auto found = std::find_if(actions.begin(), actions.end(),
                                  [&](const UObjAction* a) { return a->name == action_name; });
  return found == actions.end() ? nullptr : *found;
}

int UObjActor::FindAnimByName(const UName& action_name) const {
  const uint16_t hash = action_name.GetGUID();
  for (int i = 0; i < actions.Num(); ++i) {
    if (actions[static_cast<size_t>(i)]->name.GetGUID() == hash) {
      return i;
    }
  }
  return -1;
}

UObjActionEvent* UObjActor::AddActionEvent(const UName& event_name) {
  auto* event = new UObjActionEvent(event_name, this);
  events.push_back(event);
  return event;
}

UObjActionEvent* UObjActor::GetActionEvent(const UName& event_name) {
  const auto found = std::find_if(events.begin(), events.end(),
                                  [&](const UObjActionEvent* e) { return e->name == event_name; });
  return found == events.end() ? nullptr : *found;
}

int UObjActor::DelActionEvent(int index) {
  return DestroyAt(events, index);
}

bool UObjActor::SetIntroploate() {
  for (UObjAction* a : actions) {
    a->SetInterpolation(&frames, true);
  }
  return true;
}

int UObjActor::PlayAnim(const UName& action_name) {
  const int found = FindAnimByName(action_name);
  if (found < 0) {
    Debugger.Log("播放动画失败 %s\n", action_name.GetString());
    return 0;
  }
  action = found;
  return 1;
}

void UObjActor::StopAnim() {
  playing = 0;
}

void UObjActor::AddDeltaTime(float dt) {
  if (playing == 0 || !actions.IsValidIndex(action)) {
    return;
  }
  time += dt;
  if (actions[static_cast<size_t>(action)]->GetTotalTime() <= time) {
    if (loop) {
      time = 0.0f;
    } else {
      StopAnim();
    }
  }
}

int UObjActor::GetInterpolationFrame(int action_index, float at, UObjFrame* out) {
  if (out == nullptr) {
    return 1;
  }
  if (!actions.IsValidIndex(action_index)) {
    return -1;
  }
  const UObjAction& act = *actions[static_cast<size_t>(action_index)];
  out->placements.clear();
  // Ticks count from the start of the action; there is nothing before it.
  if (act.keys.empty() || std::isnan(at) || at < 0.0f) {
    return -1;
  }
  constexpr float kPastLastTick = 4294967296.0f;
  const uint32_t tick =
      at >= kPastLastTick ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(at);

  int in_force = -1;
  int exact = 0;
  act.GetFrameByTime(tick, kFindInForce | kFindExact, &in_force, &exact);
  if (in_force < 0) {
    return -1;
  }
  const TActionFrame& key = act.keys[static_cast<size_t>(in_force)];
  if (key.frame >= frames.size()) {
    return -1;
  }
  const int shown = static_cast<int>(key.frame);
  // The next key is the one after the key in force. The last key never blends, and a blend bit
  // computed before the frames were edited counts only while the frames still match.
  const int next = in_force + 1;
  if (exact == 1 || next >= act.keys.Num() || (key.flags & kKeyBlendsToNext) == 0 ||
      !act.CompareFrame(&frames, in_force)) {
    return shown;
  }
  const TActionFrame& next_key = act.keys[static_cast<size_t>(next)];
  // The key in force starts at or before `tick` and the next key after it, so the span is
  // positive.
  const auto span = static_cast<float>(next_key.time - key.time);
  const auto elapsed = static_cast<float>(static_cast<double>(at) - key.time);
  const float ratio = interpolate ? elapsed / span : 0.0f;

  const UObjFrame& from = *frames[key.frame];
  const UObjFrame& to = *frames[next_key.frame];
  out->placements.reserve(from.placements.size());
  for (size_t j = 0; j < from.placements.size(); ++j) {
    const TObjFrame& p = from.placements[j];
    const TObjFrame& q = to.placements[j];
    TObjFrame r = p;
    r.x = BlendPosition(p.x, q.x, ratio);
    r.y = BlendPosition(p.y, q.y, ratio);
    r.ScaleX = BlendValue(p.ScaleX, q.ScaleX, ratio);
    r.ScaleY = BlendValue(p.ScaleY, q.ScaleY, ratio);
    r.RotateAngle = BlendValue(p.RotateAngle, q.RotateAngle, ratio);
    r.AlphaValue = BlendAlpha(p.AlphaValue, q.AlphaValue, ratio);
    out->placements.push_back(r);
  }
  // Without the origin an in-between would jump by it between the key frames.
  out->origin = UPoint16(BlendPosition(from.origin.x, to.origin.x, ratio),
                         BlendPosition(from.origin.y, to.origin.y, ratio));
  return -2;
}

UObjFrame* UObjActor::GetRenderFrame(int action_index, float at) {
  if (std::isnan(at) || at < 0.0f) {
    return nullptr;
  }
  const int result = GetInterpolationFrame(action_index, at, &scratch);
  if (result == -1) {
    return nullptr;
  }
  current = result < 0 ? &scratch : frames[static_cast<size_t>(result)];
  return current;
}

UObjFrame* UObjActor::GetFrame(int index) {
  return frames.IsValidIndex(index) ? frames[static_cast<size_t>(index)] : nullptr;
}

const UObjFrame* UObjActor::GetFrame(int index) const {
  return frames.IsValidIndex(index) ? frames[static_cast<size_t>(index)] : nullptr;
}
