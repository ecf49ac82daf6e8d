#include "exporter/texture_set.h"

#include <cstring>
#include <filesystem>
#include <string_view>

#include "core/foundation/text_codec.h"
#include "core/tiles/stored_name.h"

CTextureSet::~CTextureSet() {
  for (USurface* surface : surfaces_) {
    surface->Release();
    delete surface;
  }
}

bool CTextureSet::Load(const UObjActor& actor, const std::string& directory, UCanvasUtil& util,
                       std::string& error) {
  for (const TTextureInfo& texture : actor.textures) {
    // Texture names are GBK bytes; the file system speaks UTF-8. Only the bare file name is
    // looked up, as the editor does, so that a stored path never leads out of `directory`.
    const std::string name = BareFileName(
        GbkToUtf8(std::string_view(texture.name, strnlen(texture.name, sizeof(texture.name)))));
    const std::filesystem::path path =
        directory.empty() ? std::filesystem::path(name) : std::filesystem::path(directory) / name;
    USurface* surface = util.CreateUSurfaceFromFile(path.c_str(), texture.width, texture.height);
    if (surface == nullptr) {
      error = "cannot load texture '" + name + "' from '" + path.string() + "'";
      return false;
    }
    surfaces_.push_back(surface);
  }
  return true;
}
