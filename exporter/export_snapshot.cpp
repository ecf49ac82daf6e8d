#include "exporter/export_snapshot.h"

#include "core/canvas/blt_fx.h"
#include "drivers/gdi/raster_picture.h"
#include "drivers/gdi/surface_gdi.h"
#include "exporter/export_batch.h"
#include "exporter/export_cancel.h"
#include "exporter/export_file_names.h"
#include "exporter/export_writer.h"

namespace {

// A software driver surface holding `texture`, premultiplied and keyed on magenta exactly as
// that driver's own reading of an image file makes it, so the pictures equal an export of the
// files. Null when the texture has no pixels.
USurface* MakeSoftwareSurface(const CTexturePixels& texture) {
  const size_t count = static_cast<size_t>(texture.width) * static_cast<size_t>(texture.height);
  URasterPicture picture;
  if (texture.width <= 0 || texture.height <= 0 || texture.argb.size() != count ||
      !picture.Create(texture.width, texture.height)) {
    return nullptr;
  }
  for (int y = 0; y < texture.height; ++y) {
    const uint32_t* source = texture.argb.data() + static_cast<size_t>(y) * texture.width;
    uint32_t* target = picture.Row(y);
    for (int x = 0; x < texture.width; ++x) {
      target[x] = PremultipliedPixel(source[x]);
    }
  }
  auto* surface = new USurfaceGdi();
  surface->Adopt(std::move(picture));
  surface->SetColorKey(kColorKeyMagenta);
  return surface;
}

}  // namespace

const char* ExportAppVersion() {
  return QUILLET_VERSION;
}

bool ExportSnapshot(CExportSnapshot& snapshot, CDrawOptions draw, ExportFormat format,
                    const CFormatOptions& files, const std::string& folder,
                    std::vector<std::string>* written, std::string* error) {
  if (snapshot.actor == nullptr) {
    *error = "no document";
    return false;
  }
  // The software driver draws on any thread; the textures come from memory, not from files.
  draw.driver = "gdi";
  const auto makeTextures = [&snapshot](const UObjActor& actor, UCanvasUtil& /*util*/,
                                        CTextureSet& textures, std::string& reason) {
    if (snapshot.textures.size() != static_cast<size_t>(actor.textures.Num())) {
      reason = "the textures do not match the document";
      return false;
    }
    for (const CTexturePixels& texture : snapshot.textures) {
      USurface* surface = MakeSoftwareSurface(texture);
      if (surface == nullptr) {
        reason = "texture '" + texture.name + "' is not loaded";
        return false;
      }
      textures.Adopt(surface);
    }
    return true;
  };
  CDocumentExport result;
  if (!DrawActorExport(*snapshot.actor, draw, makeTextures, &result.drawn, error)) {
    return false;
  }
  if (!BuildDocumentFiles(format, files, SafeFileNamePart(result.drawn.actorName), &result)) {
    *error = result.error;
    return false;
  }
  result.drawn = CExportDocument();
  if (ExportCancelled(draw.cancel, error) || ExportCancelled(files.cancel, error)) {
    return false;
  }
  if (!MakeExportFolder(folder, error)) {
    return false;
  }
  for (const CExportFile& file : result.files) {
    if (!WriteExportFile(folder, file, error)) {
      return false;
    }
    written->push_back(file.name);
  }
  return true;
}
