#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drivers/accel/engine/rw_raster.h"
#include "drivers/accel/tessel_api.h"

class RwTexDictionary;

// A raster made drawable, shared by reference count. The texture owns its raster; it may sit in
// one texture dictionary, which lists it without holding a reference.
class TESSEL_API RwTexture {
 public:
  // A texture around `raster`, which it then owns, with one reference; null for a null raster.
  static RwTexture* Create(RwRaster* raster);
  // Gives up one reference; the last one takes the texture out of its dictionary and destroys it
  // with its raster.
  static void Destroy(RwTexture* texture);

  RwTexture(const RwTexture&) = delete;
  RwTexture& operator=(const RwTexture&) = delete;

  void AddRef() { ++m_RefCount; }
  int GetRefCount() const { return m_RefCount; }
  RwRaster* GetRaster() const { return m_Raster; }
  const std::string& GetName() const { return m_Name; }
  void SetName(const std::string& name) { m_Name = name; }
  RwTexDictionary* GetDictionary() const { return m_Dictionary; }
  // The version of the image file the texture was decoded from (RwImageFile::Version); none for
  // a texture that was not read from a file.
  const std::optional<uint64_t>& GetFileVersion() const { return m_FileVersion; }
  void SetFileVersion(uint64_t version) { m_FileVersion = version; }

 private:
  friend class RwTexDictionary;
  explicit RwTexture(RwRaster* raster) : m_Raster(raster) {}
  ~RwTexture();

  RwRaster* m_Raster;
  std::string m_Name;
  std::optional<uint64_t> m_FileVersion;
  int m_RefCount = 1;
  RwTexDictionary* m_Dictionary = nullptr;
};

// An ordered list of textures, looked up by name. It holds no references: a texture leaves its
// dictionary when it is destroyed, and destroying a dictionary only empties it.
class TESSEL_API RwTexDictionary {
 public:
  RwTexDictionary() = default;
  RwTexDictionary(const RwTexDictionary&) = delete;
  RwTexDictionary& operator=(const RwTexDictionary&) = delete;
  ~RwTexDictionary();

  // Appends the texture, taking it out of any dictionary it was in.
  void AddTexture(RwTexture* texture);
  void RemoveTexture(RwTexture* texture);
  // The first texture of that name, or null.
  RwTexture* FindNamedTexture(const std::string& name) const;
  // In the order they were added.
  const std::vector<RwTexture*>& GetTextures() const { return m_Textures; }

 private:
  std::vector<RwTexture*> m_Textures;
};
