#pragma once

#include <string>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"
#include "core/foundation/name.h"

class UCanvasUtil;
class UMaterial;

// A named list of tiled images (STX files), each loaded as a tile material through a driver
// factory. Names and materials stay in step: image i is names[i] and materials[i].
//
// Stored forms: the names list (int32 count, then 32-byte names); ExportSec (int32 count, then
// each name's hash as int16); ExportTileImage (int32 count, then each name cut at its first '.'
// with "_tileset.png" appended, as 32-byte names).
class CORE_API UTileLib {
 public:
  UTileLib() = default;
  UTileLib(const UTileLib&) = delete;
  UTileLib& operator=(const UTileLib&) = delete;
  // Releases every material.
  virtual ~UTileLib();

  // The factory (not owned) that creates the materials.
  void Init(UCanvasUtil* factory) { m_Factory = factory; }
  // The directory images are loaded from.
  void SetDefaultPath(const char* directory) {
    m_DefaultPath = directory == nullptr ? "" : directory;
  }
  const std::string& GetDefaultPath() const { return m_DefaultPath; }

  // Loads the STX file `name` from the default path as a tile material and appends it with its
  // name; returns its index. The name must be a stored relative name (IsStoredRelativeName):
  // sub-folders of the default path are allowed, nothing outside it. When it is not, or the file
  // cannot be loaded, shows "错误" (caption "警告") through the message hook and returns -1; an
  // image of a name already in the library is not added either (-1).
  int AddImage(UName name);
  // True when no image of the library has `name` (the index plays no part).
  bool Attach(int index, UName name) const;
  // Removes (and releases) image `index`; returns 1, or -1 for an index outside the library.
  int DelImage(int index);
  // Removes every image named `name`; returns how many, or -1 when none had it.
  int DelImage(UName name);
  // Loads each STX path as it is and appends it, named by its bare file name; paths that cannot
  // be loaded are left out.
  void ReadFromFiles(UArray<UName>& paths);
  // Releases every material and empties the library.
  void Clean();

  int size() const { return m_Names.Num(); }
  bool IsEmpty() const { return m_Materials.empty(); }
  // Image `index`'s material and name; null for an index outside the library.
  UMaterial* GetMaterial(int index) const;
  const UName* GetName(int index) const;
  // The materials, for a tile map to index by tile-set number.
  UArray<UMaterial*>* GetMaterials() { return &m_Materials; }
  const UArray<UName>& GetNames() const { return m_Names; }

  void ExportSec(UArchive& ar) const;
  void ExportTileImage(UArchive& ar) const;

 private:
  // A tile material loaded from `path`, or null.
  UMaterial* CreateTile(const std::string& path) const;
  void RemoveAt(int index);

  UArray<UMaterial*> m_Materials;
  UArray<UName> m_Names;
  std::string m_DefaultPath;
  UCanvasUtil* m_Factory = nullptr;
};

// The names list.
CORE_API UArchive& operator<<(UArchive& ar, const UTileLib& lib);
// Reads a names list and adds each image with AddImage, loading it from the default path. A
// count the rest of the stream cannot hold fails the archive and adds nothing.
CORE_API UArchive& operator>>(UArchive& ar, UTileLib& lib);
