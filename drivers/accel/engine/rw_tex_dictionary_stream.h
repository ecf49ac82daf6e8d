#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/engine/rw_stream.h"
#include "drivers/accel/engine/rw_texture.h"
#include "drivers/accel/tessel_api.h"

class RwEngine;

// A texture dictionary in a stream is one rwID_TEXDICTIONARY chunk whose payload is:
//   an rwID_STRUCT chunk of 4 bytes: the texture count;
//   per texture, in dictionary order, an rwID_TEXTURENATIVE chunk holding
//     an rwID_STRING chunk: the texture's name;
//     an rwID_STRUCT chunk: width, height, raster format code (32-bit each), then width x height
//     0xAARRGGBB pixels, top row first.
// Every number is 32-bit little-endian.

// One texture as the stream holds it.
struct TESSEL_API RwTextureRecord {
  std::string name;
  int32_t format = 0;  // the raster format code (the format byte times 256)
  RwImage image;
};

// The payload size of `dictionary`'s chunk (header excluded); above 0xFFFFFFFF when it is too
// large for a chunk.
TESSEL_API uint64_t RwTexDictionaryStreamGetSize(const RwTexDictionary& dictionary);

// Writes `dictionary` as one texture-dictionary chunk, header included, reading every texture's
// pixels back from GL. False, with nothing written, when the dictionary is too large for a chunk
// or a texture has no pixels to read; false when a write fails.
TESSEL_API bool RwTexDictionaryStreamWrite(const RwTexDictionary& dictionary, RwStream* stream);

// Decodes a texture-dictionary payload of `size` bytes whose header was just read and hands each
// texture to `sink` in order; needs no GL. Every nested size is checked against its enclosing
// chunk before anything is allocated or read, and a texture's pixels against the image cap. False
// at the first damaged or short chunk (the stream's error says which) or when `sink` returns
// false.
TESSEL_API bool RwTexDictionaryStreamDecode(RwStream* stream, uint32_t size,
                                            const std::function<bool(RwTextureRecord&)>& sink);

// Reads a texture-dictionary payload of `size` bytes whose header was just read into the
// engine's current dictionary: the textures join it in stream order, and the engine keeps one
// reference to each. All or nothing: on failure no texture is added. False when the engine is not
// open, the payload does not decode, or a raster cannot be made.
TESSEL_API bool RwTexDictionaryStreamRead(RwEngine* engine, RwStream* stream, uint32_t size);
