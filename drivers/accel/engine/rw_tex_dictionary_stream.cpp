#include "drivers/accel/engine/rw_tex_dictionary_stream.h"

#include <vector>

#include "drivers/accel/engine/rw_engine.h"
#include "drivers/accel/engine/rw_raster.h"

namespace {

constexpr uint32_t kWordSize = 4;
// Width, height and format before the pixels.
constexpr uint32_t kTextureStructHead = 3 * kWordSize;

uint64_t PixelBytes(const RwRaster& raster) {
  return uint64_t{kWordSize} * static_cast<uint64_t>(raster.GetWidth()) *
         static_cast<uint64_t>(raster.GetHeight());
}

// The payload size of a texture's rwID_TEXTURENATIVE chunk.
uint64_t TextureChunkSize(const RwTexture& texture) {
  return kRwChunkHeaderSize + RwStringChunkPayloadSize(texture.GetName().size()) +
         kRwChunkHeaderSize + kTextureStructHead + PixelBytes(*texture.GetRaster());
}

bool WriteTexture(RwStream* stream, const RwTexture& texture) {
  const RwRaster& raster = *texture.GetRaster();
  std::vector<uint32_t> pixels(static_cast<size_t>(raster.GetWidth()) *
                               static_cast<size_t>(raster.GetHeight()));
  if (!raster.GetPixels(pixels.data())) {
    return false;
  }
  const uint32_t head[] = {static_cast<uint32_t>(raster.GetWidth()),
                           static_cast<uint32_t>(raster.GetHeight()),
                           static_cast<uint32_t>(raster.GetFormat())};
  if (!RwStreamWriteChunkHeader(stream, rwID_TEXTURENATIVE,
                                static_cast<uint32_t>(TextureChunkSize(texture))) ||
      !RwStreamWriteString(stream, texture.GetName()) ||
      !RwStreamWriteChunkHeader(stream, rwID_STRUCT,
                                static_cast<uint32_t>(kTextureStructHead + PixelBytes(raster))) ||
      !RwStreamWriteUInt32(stream, head, 3)) {
    return false;
  }
  return RwStreamWriteUInt32(stream, pixels.data(), pixels.size());
}

// Reads the header of a chunk nested in one with `*room` payload bytes left, which must be of
// `type`, of an accepted version and lie wholly within the room; takes it out of the room.
bool ReadNestedHeader(RwStream* stream, uint64_t* room, uint32_t type, RwChunkHeaderInfo* info) {
  if (*room < kRwChunkHeaderSize) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  if (!RwStreamReadChunkHeaderInfo(stream, info)) {
    return false;
  }
  if (info->type != type || info->length > *room - kRwChunkHeaderSize) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  if (!RwVersionAccepted(info->version)) {
    stream->SetError(RwStreamError::kBadVersion);
    return false;
  }
  *room -= kRwChunkHeaderSize + info->length;
  return true;
}

bool DecodeTexture(RwStream* stream, uint32_t size, RwTextureRecord* record) {
  uint64_t room = size;
  RwChunkHeaderInfo info;
  if (!ReadNestedHeader(stream, &room, rwID_STRING, &info) ||
      !RwStreamReadString(stream, info, &record->name) ||
      !ReadNestedHeader(stream, &room, rwID_STRUCT, &info)) {
    return false;
  }
  // The struct closes the texture chunk, and its size must be exactly that of the pixels its
  // head announces.
  if (room != 0 || info.length < kTextureStructHead) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  uint32_t head[3];
  if (!RwStreamReadUInt32(stream, head, 3)) {
    return false;
  }
  const auto width = static_cast<int32_t>(head[0]);
  const auto height = static_cast<int32_t>(head[1]);
  record->format = static_cast<int32_t>(head[2]);
  if (!RwImageWithinCap(width, height) ||
      info.length - kTextureStructHead !=
          uint64_t{kWordSize} * static_cast<uint64_t>(width) * static_cast<uint64_t>(height) ||
      (record->format & ~static_cast<int32_t>(rwRASTERFORMATMASK)) != 0) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  // The chunk sizes were checked against the stream, so these pixels are in the file.
  if (!RwImageAllocate(&record->image, width, height)) {
    return false;
  }
  return RwStreamReadUInt32(stream, record->image.pixels.data(), record->image.pixels.size());
}

}  // namespace

uint64_t RwTexDictionaryStreamGetSize(const RwTexDictionary& dictionary) {
  uint64_t size = kRwChunkHeaderSize + kWordSize;
  for (const RwTexture* texture : dictionary.GetTextures()) {
    size += kRwChunkHeaderSize + TextureChunkSize(*texture);
  }
  return size;
}

bool RwTexDictionaryStreamWrite(const RwTexDictionary& dictionary, RwStream* stream) {
  const uint64_t size = RwTexDictionaryStreamGetSize(dictionary);
  if (stream == nullptr || size > UINT32_MAX) {
    return false;
  }
  for (const RwTexture* texture : dictionary.GetTextures()) {
    if (texture->GetRaster()->GetGlTexture() == 0) {
      return false;
    }
  }
  const auto count = static_cast<uint32_t>(dictionary.GetTextures().size());
  if (!RwStreamWriteChunkHeader(stream, rwID_TEXDICTIONARY, static_cast<uint32_t>(size)) ||
      !RwStreamWriteChunkHeader(stream, rwID_STRUCT, kWordSize) ||
      !RwStreamWriteUInt32(stream, &count, 1)) {
    return false;
  }
  for (const RwTexture* texture : dictionary.GetTextures()) {
    if (!WriteTexture(stream, *texture)) {
      return false;
    }
  }
  return true;
}

bool RwTexDictionaryStreamDecode(RwStream* stream, uint32_t size,
                                 const std::function<bool(RwTextureRecord&)>& sink) {
  if (stream == nullptr) {
    return false;
  }
  uint64_t room = size;
  RwChunkHeaderInfo info;
  uint32_t count = 0;
  if (!ReadNestedHeader(stream, &room, rwID_STRUCT, &info)) {
    return false;
  }
  if (info.length != kWordSize) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  if (!RwStreamReadUInt32(stream, &count, 1)) {
    return false;
  }
  // No list is sized by the count: each texture is checked against the room left as it comes, so
  // a count the payload cannot hold ends at the first missing texture.
  for (uint32_t i = 0; i < count; ++i) {
    RwTextureRecord record;
    if (!ReadNestedHeader(stream, &room, rwID_TEXTURENATIVE, &info) ||
        !DecodeTexture(stream, info.length, &record) || !sink(record)) {
      return false;
    }
  }
  if (room != 0) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  return true;
}

bool RwTexDictionaryStreamRead(RwEngine* engine, RwStream* stream, uint32_t size) {
  if (engine == nullptr || !engine->IsOpen()) {
    return false;
  }
  std::vector<RwTexture*> textures;
  const bool decoded = RwTexDictionaryStreamDecode(stream, size, [&](RwTextureRecord& record) {
    RwRaster* raster = RwRaster::Create(engine, record.image.width, record.image.height,
                                        static_cast<int32_t>(rwRASTERTYPETEXTURE) | record.format);
    if (raster == nullptr || !raster->SetPixels(record.image.pixels.data())) {
      RwRaster::Destroy(raster);
      return false;
    }
    RwTexture* texture = RwTexture::Create(raster);
    texture->SetName(record.name);
    textures.push_back(texture);
    return true;
  });
  if (!decoded) {
    for (RwTexture* texture : textures) {
      RwTexture::Destroy(texture);
    }
    return false;
  }
  RwTexDictionary* dictionary = engine->GetCurrentTexDictionary();
  for (RwTexture* texture : textures) {
    dictionary->AddTexture(texture);
    engine->KeepTexture(texture);
  }
  return true;
}
