#pragma once

#include <memory>
#include <vector>

#include "core/anim/obj_actor.h"

// The actor's stored form (the bytes a save writes) in memory, as the history and recovery keep it.

// Reads an actor from its stored form; null when the bytes are not a whole actor.
std::unique_ptr<UObjActor> ReadStoredActor(const std::vector<unsigned char>& stored);

std::vector<unsigned char> EncodeActor(const UObjActor& actor);
