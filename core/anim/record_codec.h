#pragma once

#include "core/anim/obj_action.h"
#include "core/anim/obj_actor.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"
#include "core/foundation/stored_bytes.h"

// The stored forms of the model's records, decoded from and encoded into bytes in memory. The
// document reader and writer run a whole actor through one reader or writer; each record's own
// archive operator runs just that record.
//
// A Read function returns false when the stream ended or held a count it cannot hold; the archive
// is failed then, and the record keeps what was read completely (tags and placements of a frame,
// keys of an action).

bool ReadName(StoredReader& in, UName& name);
bool ReadTexture(StoredReader& in, TTextureInfo& info);
bool ReadModule(StoredReader& in, UObjModule& module);
bool ReadTag(StoredReader& in, TFrameTag& tag);
bool ReadPlacement(StoredReader& in, TObjFrame& placement);
bool ReadFrame(StoredReader& in, UObjFrame& frame);
bool ReadKey(StoredReader& in, TActionFrame& key);
bool ReadAction(StoredReader& in, UObjAction& action);
bool ReadActor(StoredReader& in, UObjActor& actor);

void WriteName(StoredWriter& out, const UName& name);
void WriteTexture(StoredWriter& out, const TTextureInfo& info);
void WriteModule(StoredWriter& out, const UObjModule& module);
void WriteTag(StoredWriter& out, const TFrameTag& tag);
void WritePlacement(StoredWriter& out, const TObjFrame& placement);
void WriteFrame(StoredWriter& out, const UObjFrame& frame);
void WriteKey(StoredWriter& out, const TActionFrame& key);
void WriteAction(StoredWriter& out, const UObjAction& action);
void WriteActor(StoredWriter& out, const UObjActor& actor);
