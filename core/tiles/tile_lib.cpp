#include "core/tiles/tile_lib.h"

#include <algorithm>
#include <cstring>

#include "core/canvas/canvas_util.h"
#include "core/canvas/material.h"
#include "core/foundation/message.h"
#include "core/tiles/stored_name.h"

namespace {

void Destroy(UMaterial* material) {
  if (material != nullptr) {
    material->Release();
    delete material;
  }
}

}  // namespace

UTileLib::~UTileLib() {
  Clean();
}

UMaterial* UTileLib::CreateTile(const std::string& path) const {
  MatCreateParam param;
  if (m_Factory == nullptr || path.size() >= sizeof(param.fileName)) {
    return nullptr;
  }
  std::memcpy(param.fileName, path.c_str(), path.size() + 1);
  return m_Factory->CreateUMaterial(MAT_TILE, param);
}

int UTileLib::AddImage(UName name) {
  const std::string file = name.GetString();
  // Names come from stored lists: only a file inside the default path may be loaded.
  UMaterial* material =
      IsStoredRelativeName(file) ? CreateTile(JoinStoredName(m_DefaultPath, file)) : nullptr;
  if (material == nullptr) {
    ShowMessage({CORE_TRANSLATE_NOOP("Quillet", "错误"), CORE_TRANSLATE_NOOP("Quillet", "警告"),
                 UMessageButtons::Ok, UMessageIcon::Warning});
    return -1;
  }
  if (!Attach(size(), name)) {
    Destroy(material);
    return -1;
  }
  m_Names.push_back(name);
  m_Materials.push_back(material);
  return m_Names.Num() - 1;
}

bool UTileLib::Attach(int /*index*/, UName name) const {
  return std::find(m_Names.begin(), m_Names.end(), name) == m_Names.end();
}

void UTileLib::RemoveAt(int index) {
  Destroy(m_Materials[size_t(index)]);
  m_Materials.erase(m_Materials.begin() + index);
  m_Names.erase(m_Names.begin() + index);
}

int UTileLib::DelImage(int index) {
  if (!m_Names.IsValidIndex(index)) {
    return -1;
  }
  RemoveAt(index);
  return 1;
}

int UTileLib::DelImage(UName name) {
  int removed = 0;
  for (int i = m_Names.Num() - 1; i >= 0; --i) {
    if (m_Names[size_t(i)] == name) {
      RemoveAt(i);
      ++removed;
    }
  }
  return removed == 0 ? -1 : removed;
}

void UTileLib::ReadFromFiles(UArray<UName>& paths) {
  for (const UName& path : paths) {
    const std::string text = path.GetString();
    UMaterial* material = CreateTile(text);
    if (material == nullptr) {
      continue;
    }
    material->Reflash();
    m_Names.push_back(UName(BareFileName(text).c_str()));
    m_Materials.push_back(material);
  }
}

void UTileLib::Clean() {
  for (UMaterial* material : m_Materials) {
    Destroy(material);
  }
  m_Materials.clear();
  m_Names.clear();
}

UMaterial* UTileLib::GetMaterial(int index) const {
  return m_Materials.IsValidIndex(index) ? m_Materials[size_t(index)] : nullptr;
}

const UName* UTileLib::GetName(int index) const {
  return m_Names.IsValidIndex(index) ? &m_Names[size_t(index)] : nullptr;
}

void UTileLib::ExportSec(UArchive& ar) const {
  ar << m_Names.Num();
  for (const UName& name : m_Names) {
    ar << int16_t(name.GetGUID());
  }
}

void UTileLib::ExportTileImage(UArchive& ar) const {
  ar << m_Names.Num();
  for (const UName& name : m_Names) {
    std::string text = name.GetString();
    text = text.substr(0, text.find('.')) + "_tileset.png";
    ar << UName(text.c_str());
  }
}

UArchive& operator<<(UArchive& ar, const UTileLib& lib) {
  return ar << lib.GetNames();
}

UArchive& operator>>(UArchive& ar, UTileLib& lib) {
  UArray<UName> names;
  ar >> names;
  if (ar.IsFailed()) {
    return ar;
  }
  for (const UName& name : names) {
    lib.AddImage(name);
  }
  return ar;
}
