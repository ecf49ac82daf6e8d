// Textures that follow their files: a texture's file read again after a paint program wrote it,
// a missing texture relinked, and the folders a document's textures were looked for in.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/anim/obj_module.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/stored_actor.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// The modules cut from texture `texture` that reach outside a picture of `width` x `height`, as
// the module list numbers them.
std::string ModulesOutside(const UObjActor& actor, int texture, int width, int height) {
  std::string numbers;
  for (int m = 0; m < actor.modules.Num(); ++m) {
    const UObjModule* module = actor.modules[static_cast<size_t>(m)];
    if (module != nullptr && module->texture == texture &&
        (module->right > width || module->bottom > height)) {
      numbers += (numbers.empty() ? "" : ", ") + std::to_string(m);
    }
  }
  return numbers;
}

// Gives texture record `texture` of a kept state's stored form the size `width` x `height`.
void RestampTextureSize(CHistoryState& state, size_t texture, int width, int height) {
  if (state.stored == nullptr) {
    return;
  }
  const std::unique_ptr<UObjActor> kept = ReadStoredActor(*state.stored);
  if (kept == nullptr || !kept->textures.IsValidIndex(static_cast<int>(texture))) {
    return;
  }
  kept->textures[texture].width = width;
  kept->textures[texture].height = height;
  state.stored = std::make_shared<const std::vector<unsigned char>>(EncodeActor(*kept));
}

void AddOnce(std::vector<std::string>& list, const std::string& item) {
  if (std::find(list.begin(), list.end(), item) == list.end()) {
    list.push_back(item);
  }
}

// `folder` as an absolute path; "" stands for the process's directory.
std::string AbsoluteFolder(const std::string& folder) {
  std::error_code error;
  const std::filesystem::path absolute =
      std::filesystem::absolute(std::filesystem::path(folder.empty() ? "." : folder), error);
  return error ? folder : absolute.lexically_normal().string();
}

}  // namespace

CVelloEditor::TextureReload CVelloEditor::ReloadTextureFile(const std::string& path, bool lastTry) {
  if (actor == nullptr || path.empty()) {
    return TextureReload::NotUsed;
  }
  std::vector<size_t> indices;
  for (size_t i = 0; i < m_TexturePaths.size(); ++i) {
    if (m_TexturePaths[i] == path && actor->textures.IsValidIndex(static_cast<int>(i)) &&
        textureSurfaces.IsValidIndex(static_cast<int>(i))) {
      indices.push_back(i);
    }
  }
  if (indices.empty()) {
    return TextureReload::NotUsed;
  }
  std::string name;
  std::string outside;
  bool resized = false;
  // Every texture from the file gets its picture, or none does.
  std::vector<std::shared_ptr<USurface>> pictures;
  for (size_t i = 0; i < indices.size(); ++i) {
    pictures.push_back(AdoptSurface(viewCanvasUtil.CreateUSurfaceFromFile(path.c_str(), 0, 0)));
    if (pictures.back() == nullptr) {
      if (lastTry) {
        Status(StatusPane::Prompt, UiText::Utf8(res::kTextureNotReloaded) + path);
      }
      return TextureReload::Unreadable;
    }
  }
  for (size_t i = 0; i < indices.size(); ++i) {
    const size_t index = indices[i];
    // The old picture goes once neither the texture set nor the history holds it.
    const std::shared_ptr<USurface> old = m_TextureOwners[index];
    const std::shared_ptr<USurface>& fresh = pictures[i];
    USurface* surface = fresh.get();
    textureSurfaces[index] = surface;
    m_TextureOwners[index] = fresh;
    TTextureInfo& info = actor->textures[index];
    const int width = surface->GetWidth();
    const int height = surface->GetHeight();
    const bool sized = info.width != width || info.height != height;
    info.width = width;
    info.height = height;
    std::function<void(CHistoryState&, size_t)> restamp;
    if (sized) {
      restamp = [width, height](CHistoryState& state, size_t texture) {
        RestampTextureSize(state, texture, width, height);
      };
    }
    m_History.SwapSurface(old.get(), fresh, restamp);
    resized = resized || sized;
    name = RecordFileName(info);
    const std::string numbers = ModulesOutside(*actor, static_cast<int>(index), width, height);
    outside += (outside.empty() || numbers.empty() ? "" : ", ") + numbers;
  }
  uint32_t changes = kChangeTextures;
  if (resized) {
    // The document's file still holds the old size: no state of the history is the saved one.
    m_History.ForgetSaved();
    ++m_EditSerial;
    if (!m_Modified) {
      m_Modified = true;
      changes |= kChangeModified;
    }
  }
  Notify(changes);
  Status(StatusPane::Prompt,
         UiText::Utf8(res::kTextureReloaded) + name +
             (outside.empty() ? "" : UiText::Utf8(res::kModulesOutsideTexture) + outside));
  return TextureReload::Reloaded;
}

std::vector<std::string> CVelloEditor::TextureFiles() const {
  std::vector<std::string> files;
  for (const std::string& path : m_TexturePaths) {
    if (!path.empty()) {
      AddOnce(files, path);
    }
  }
  return files;
}

bool CVelloEditor::IsTextureMissing(int index) const {
  return actor != nullptr && actor->textures.IsValidIndex(index) &&
         (!textureSurfaces.IsValidIndex(index) ||
          textureSurfaces[static_cast<size_t>(index)] == nullptr);
}

bool CVelloEditor::RelinkTexture(int index, const std::string& path) {
  if (actor == nullptr || !actor->textures.IsValidIndex(index)) {
    return false;
  }
  if (selectedTexture != index) {
    SelectTexture(index);
  }
  return ReplaceTexture(path);
}

std::vector<std::string> CVelloEditor::TextureFolders(const std::vector<std::string>& knownPaths,
                                                      const std::string& documentFolder) const {
  std::vector<std::string> folders;
  for (const std::string& known : knownPaths) {
    if (!known.empty()) {
      AddOnce(folders, AbsoluteFolder(std::filesystem::path(known).parent_path().string()));
    }
  }
  AddOnce(folders, AbsoluteFolder(documentFolder));
  AddOnce(folders, AbsoluteFolder(currentDirectory));
  return folders;
}
