#pragma once

#include <cstdint>

#include "core/anim/obj_action.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"
#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"
#include "core/foundation/name.h"

class UObjActor;

// One entry of a texture table: the image's file name without directory, and its size.
struct CORE_API TTextureInfo {
  static constexpr int kNameSize = 32;

  char name[kNameSize] = {};  // NUL-padded; at most 31 bytes of text
  int32_t width = 0;          // only values up to 65535 survive storage
  int32_t height = 0;
};

// An entry of an action event; it carries a name and nothing else yet.
struct CORE_API TActionEventEntry {
  UName name;
};

// A named event of an actor with the entries it owns. Events are not stored in documents.
class CORE_API UObjActionEvent {
 public:
  UObjActionEvent(const UName& event_name, UObjActor* owner);
  UObjActionEvent(const UObjActionEvent&) = delete;
  UObjActionEvent& operator=(const UObjActionEvent&) = delete;
  // Destroys the entries.
  virtual ~UObjActionEvent();

  UName name;
  UArray<TActionEventEntry*> entries;  // owned
  UObjActor* actor;
};

// One sprite with its animations: the texture table, the modules cut from the textures, the
// frames made of placed modules, the actions made of timed keys, and a playback clock.
//
// Every reference inside an actor is an index (placement -> module, module -> texture, key ->
// frame); the add and delete operations keep the indices valid. A document read from outside may
// still hold indices that point nowhere: every lookup here checks them and never follows a bad
// one.
class CORE_API UObjActor {
 public:
  UObjActor();
  // An actor owns its modules, frames, actions and events; it is not copyable.
  UObjActor(const UObjActor&) = delete;
  UObjActor& operator=(const UObjActor&) = delete;
  // Destroys everything the actor owns, events included.
  virtual ~UObjActor();

  // Destroy(), then the playback members and `interpolate` take their starting values.
  void Init();
  // Empties the texture table and destroys every module, frame and action. Events stay.
  void Destroy();

  void AddTexture(const TTextureInfo& info);
  // Append an object the actor takes over and return its index; a null object is refused with
  // -1.
  int AddModule(UObjModule* module);
  int AddFrame(UObjFrame* frame);
  int AddAction(UObjAction* action);
  // Inserts `module` (taken over) before position `index`, clamped to the list; placements are
  // not renumbered, so this puts back a module that was deleted. Returns 0.
  int InsModule(int index, UObjModule* module);
  // Destroys module `index`, removes its placements from every frame and renumbers the
  // placements of later modules. Returns 0 for an index outside the list, else 1.
  int DelModule(int index);
  // Destroy frame or action `index`; 0 for an index outside the list, else 1. DelFrame leaves
  // the keys to the caller, who first calls UObjAction::DelOneFrame(index) on every action.
  int DelFrame(int index);
  int DelAction(int index);

  // The first action whose name equals `action_name` (case-sensitive), or null.
  UObjAction* GetAction(const UName& action_name);
  // The index of the first action whose name has the same 16-bit hash, or -1.
  int FindAnimByName(const UName& action_name) const;

  // Creates an event without entries, owned by the actor, and returns it.
  UObjActionEvent* AddActionEvent(const UName& event_name);
  UObjActionEvent* GetActionEvent(const UName& event_name);
  // Destroys event `index` with its entries; 0 for an index outside the list, else 1.
  int DelActionEvent(int index);

  // Recomputes the blend bits of every action from the frames. Returns true.
  bool SetIntroploate();

  // Selects the action whose name hashes like `action_name` and returns 1, or logs and returns
  // 0. The clock itself is the caller's to start: set `time` and `playing` (and `loop`).
  int PlayAnim(const UName& action_name);
  void StopAnim();
  // Advances a running clock by `dt` ticks; at the end of the action it restarts (loop) or
  // stops.
  void AddDeltaTime(float dt);

  // What to show of action `action` at tick `time`:
  //   1   `out` is null; nothing was done.
  //   -1  nothing to show: no such action, no key in force, a negative or NaN time, or a key
  //       whose frame does not exist.
  //   >=0 the index of the frame to show unchanged; `out`'s placements have been emptied.
  //   -2  `out` holds the in-between of the key in force and the next key: placements and
  //       origin blended linearly.
  // A key blends only when its blend bit is set and its frame still passes the blend test
  // against the next key's frame; the last key always shows its own frame.
  int GetInterpolationFrame(int action, float time, UObjFrame* out);

  // The picture to draw for action `action` at tick `time`: a frame of the list, or the scratch
  // frame holding a blended in-between; null when there is nothing to draw (`time` negative or
  // NaN, or GetInterpolationFrame has nothing). A picture found becomes `current`. The returned
  // frame belongs to the actor and stays valid until the next call or the next edit.
  UObjFrame* GetRenderFrame(int action, float time);
  // Frame `index`, or null for an index outside the list.
  UObjFrame* GetFrame(int index);
  const UObjFrame* GetFrame(int index) const;

  // Draws action `action` at tick `time` with its origin at `pos`: the key frame in force or the
  // blended in-between (GetRenderFrame); nothing when there is nothing to show. `surfaces` holds
  // one loaded image per texture, in texture-table order.
  void Render(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos, int action, float time);
  // Draws frame `index`; nothing for an index outside the list. `current` does not change.
  void RenderFrame(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos, int index);

  UName name;
  UArray<TTextureInfo> textures;
  UArray<UObjModule*> modules;      // owned
  UArray<UObjFrame*> frames;        // owned
  UArray<UObjAction*> actions;      // owned
  UArray<UObjActionEvent*> events;  // owned

  bool interpolate = true;       // blend between keys at all
  float time = -1.0f;            // playback clock, in ticks
  int32_t action = -1;           // selected action, -1 for none
  int32_t playing = 0;           // nonzero while the clock runs
  bool loop = false;             // restart at the end instead of stopping
  UObjFrame* current = nullptr;  // the picture drawn last: a frame of the list or `scratch`
  UObjFrame scratch;             // holds blended pictures
};

// A texture record: the 32 name bytes, then width and height as u16 (36 bytes).
CORE_API UArchive& operator<<(UArchive& ar, const TTextureInfo& info);
CORE_API UArchive& operator>>(UArchive& ar, TTextureInfo& info);

// The actor: the whole ".an1" document. Name, then the texture, module, frame and action counts
// each followed by its records. Reading empties the texture table, appends modules, frames and
// actions (read into a freshly initialised actor), and recomputes the blend bits at the end.
// A count the rest of the stream cannot hold, or a read that ends early, fails the archive;
// the actor then holds only the records read completely.
CORE_API UArchive& operator<<(UArchive& ar, const UObjActor& actor);
CORE_API UArchive& operator>>(UArchive& ar, UObjActor& actor);

inline constexpr int kStoredTextureSize = 36;
inline constexpr int kStoredModuleSize = 12;
