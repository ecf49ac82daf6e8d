// The texture set: one surface per texture record of the actor, and where each file was found.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/foundation/message.h"
#include "core/foundation/text_codec.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// The part of `path` after its last '/' or '\'.
std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Warn(const std::string& text) {
  ShowMessage({text, "", UMessageButtons::Ok, UMessageIcon::Warning});
}

// A record for the image at `path`: its file name in GBK and the surface's size. False (with the
// reason in `problem`) when the name does not fit the record, which could then never find its
// file again.
bool MakeRecord(const std::string& path, USurface* surface, TTextureInfo* info,
                std::string* problem) {
  const std::string name = FileNamePart(path);
  std::string gbk;
  if (!Utf8ToGbkExact(name, &gbk) || gbk.size() >= sizeof(info->name) ||
      gbk.find('\0') != std::string::npos) {
    *problem =
        UiText::tr("贴图文件名 %1 无法保存：文件名最多 31 个字节（GBK），且只能使用 GBK 字符。")
            .arg(QString::fromStdString(name))
            .toStdString();
    return false;
  }
  *info = TTextureInfo();
  std::memcpy(info->name, gbk.data(), gbk.size());
  info->width = surface->GetWidth();
  info->height = surface->GetHeight();
  return true;
}

void Destroy(USurface* surface) {
  if (surface != nullptr) {
    surface->Release();
    delete surface;
  }
}

}  // namespace

USurface* CVelloEditor::LoadRecordTexture(int index, const std::string& documentFolder,
                                          std::string* found) {
  found->clear();
  if (actor == nullptr || !actor->textures.IsValidIndex(index)) {
    return nullptr;
  }
  // Records name bare files; a directory part in a damaged or foreign record is not followed
  // out of the folders searched.
  const std::string name =
      FileNamePart(RecordFileName(actor->textures[static_cast<size_t>(index)]));
  if (name.empty() || name == "." || name == "..") {
    return nullptr;
  }
  for (const std::string& folder : {documentFolder, currentDirectory}) {
    const std::string candidate =
        folder.empty() ? name : (std::filesystem::path(folder) / name).string();
    if (USurface* surface = viewCanvasUtil.CreateUSurfaceFromFile(candidate.c_str(), 0, 0)) {
      *found = std::filesystem::absolute(candidate).lexically_normal().string();
      return surface;
    }
  }
  return nullptr;
}

bool CVelloEditor::LoadTexture(const std::string& path) {
  std::string problem;
  if (!LoadTextureFile(path, &problem)) {
    if (!problem.empty()) {
      Warn(problem);
    }
    return false;
  }
  Changed(kChangeTextures, res::kStepAddTexture);
  return true;
}

int CVelloEditor::AddTextures(const std::vector<std::string>& paths) {
  int added = 0;
  std::string problems;
  for (const std::string& path : paths) {
    std::string problem;
    if (LoadTextureFile(path, &problem)) {
      ++added;
    } else if (!problem.empty()) {
      problems += "\n" + problem;
    }
  }
  // The files chosen together are one step.
  if (added > 0) {
    Changed(kChangeTextures, res::kStepAddTexture);
  }
  if (!problems.empty()) {
    Warn(UiText::tr("以下贴图没有加入：%1").arg(QString::fromStdString(problems)).toStdString());
  }
  return added;
}

bool CVelloEditor::LoadTextureFile(const std::string& path, std::string* problem) {
  problem->clear();
  if (actor == nullptr) {
    return false;
  }
  USurface* surface = viewCanvasUtil.CreateUSurfaceFromFile(path.c_str(), 0, 0);
  if (surface == nullptr) {
    *problem = UiText::tr("无法读取贴图 %1").arg(QString::fromStdString(path)).toStdString();
    return false;
  }
  TTextureInfo info;
  if (!MakeRecord(path, surface, &info, problem)) {
    Destroy(surface);
    return false;
  }
  textureSurfaces.push_back(surface);
  m_TextureOwners.push_back(AdoptSurface(surface));
  m_TexturePaths.push_back(std::filesystem::absolute(path).lexically_normal().string());
  actor->AddTexture(info);
  return true;
}

bool CVelloEditor::ReplaceTexture(const std::string& path) {
  if (actor == nullptr || !textureSurfaces.IsValidIndex(selectedTexture) ||
      !actor->textures.IsValidIndex(selectedTexture)) {
    return false;
  }
  USurface* surface = viewCanvasUtil.CreateUSurfaceFromFile(path.c_str(), 0, 0);
  if (surface == nullptr) {
    Warn(UiText::tr("无法读取贴图 %1，原来的贴图保持不变。")
             .arg(QString::fromStdString(path))
             .toStdString());
    return false;
  }
  TTextureInfo info;
  std::string problem;
  if (!MakeRecord(path, surface, &info, &problem)) {
    Warn(problem);
    Destroy(surface);
    return false;
  }
  // The old surface stays alive while the history can bring it back.
  const auto index = static_cast<size_t>(selectedTexture);
  textureSurfaces[index] = surface;
  m_TextureOwners[index] = AdoptSurface(surface);
  m_TexturePaths[index] = std::filesystem::absolute(path).lexically_normal().string();
  actor->textures[index] = info;
  Changed(kChangeTextures, res::kStepReplaceTexture);
  return true;
}

void CVelloEditor::DeleteTexture(int index) {
  if (actor == nullptr || !textureSurfaces.IsValidIndex(index)) {
    return;
  }
  textureSurfaces.erase(textureSurfaces.begin() + index);
  m_TextureOwners.erase(m_TextureOwners.begin() + index);
  m_TexturePaths.erase(m_TexturePaths.begin() + index);
  for (int m = 0; m < actor->modules.Num();) {
    UObjModule* module = actor->modules[static_cast<size_t>(m)];
    if (module != nullptr && module->texture == index) {
      RemoveModuleAt(m);
      continue;
    }
    // Modules cut from later textures keep naming their own image.
    if (module != nullptr && module->texture > index) {
      --module->texture;
    }
    ++m;
  }
  if (actor->textures.IsValidIndex(index)) {
    actor->textures.erase(actor->textures.begin() + index);
  }
  selectedTexture = textureSurfaces.empty() ? -1 : 0;
  ChangedBlend(kChangeTextures | kChangeModules | kChangePlacements | kChangeSelection,
               res::kStepDeleteTexture);
}

void CVelloEditor::SelectTexture(int index) {
  if (actor == nullptr || (index != -1 && !actor->textures.IsValidIndex(index))) {
    return;
  }
  selectedTexture = index;
  Notify(kChangeSelection);
}

void CVelloEditor::UploadTextures() {
  for (USurface* surface : textureSurfaces) {
    if (surface != nullptr) {
      viewCanvasUtil.UploadSurface(surface);
    }
  }
}

std::string CVelloEditor::TexturePath(int index) const {
  if (index < 0 || index >= static_cast<int>(m_TexturePaths.size())) {
    return {};
  }
  return m_TexturePaths[static_cast<size_t>(index)];
}

USurface* CVelloEditor::FindRecordTexture(int index, const std::string& knownPath,
                                          const std::string& documentFolder, std::string* found) {
  if (!knownPath.empty()) {
    if (USurface* surface = viewCanvasUtil.CreateUSurfaceFromFile(knownPath.c_str(), 0, 0)) {
      *found = knownPath;
      return surface;
    }
  }
  return LoadRecordTexture(index, documentFolder, found);
}

std::string CVelloEditor::LoadRecordTextures(const std::vector<std::string>& knownPaths,
                                             const std::string& documentFolder) {
  std::string missing;
  for (int i = 0; i < actor->textures.Num(); ++i) {
    const auto index = static_cast<size_t>(i);
    std::string found;
    USurface* surface = FindRecordTexture(
        i, index < knownPaths.size() ? knownPaths[index] : std::string(), documentFolder, &found);
    textureSurfaces.push_back(surface);
    m_TextureOwners.push_back(AdoptSurface(surface));
    m_TexturePaths.push_back(found);
    if (found.empty()) {
      missing += "\n" + RecordFileName(actor->textures[index]);
    }
  }
  return missing;
}
