#include "exporter/png_sequence.h"

#include <cstdio>
#include <map>

#include "exporter/atlas_json.h"
#include "exporter/export_cancel.h"
#include "exporter/frame_order.h"
#include "exporter/png_memory_encoder.h"

namespace {

// "<base>_<action>_0007.png": four digits at least, so the files sort in playing order.
std::string PictureFileName(const CFormatOptions& options, size_t action, size_t index) {
  char number[24];
  std::snprintf(number, sizeof(number), "%04zu", index);
  return options.baseName + "_" + options.actionFileNames[action] + "_" + number + ".png";
}

}  // namespace

bool BuildPngSequence(const CExportDocument& document, const CFormatOptions& options,
                      std::vector<CExportFile>* files, std::string* error) {
  if (options.baseName.empty() || options.actionFileNames.size() != document.actions.size()) {
    *error = "no name for the files";
    return false;
  }
  if (!CheckPictures(document, error)) {
    return false;
  }
  const CFrameOrder order = OrderFrames(document);
  std::vector<CAtlasFrame> frames;
  for (size_t a = 0; a < document.actions.size(); ++a) {
    const CExportAction& action = document.actions[a];
    const CPixelRect whole{0, 0, action.canvasWidth, action.canvasHeight};
    // Pictures that share their drawing are encoded once: the files repeat the same bytes.
    std::map<const CPictureBits*, size_t> encoded;
    for (size_t i = 0; i < action.pictures.size(); ++i) {
      if (ExportCancelled(options.cancel, error)) {
        return false;
      }
      CExportFile image{PictureFileName(options, a, i), {}};
      const CPictureBits& bits = *action.pictures[i].bits;
      if (const auto same = encoded.find(&bits); same != encoded.end()) {
        image.bytes = (*files)[same->second].bytes;
      } else if (!EncodeRgbaPng(action.canvasWidth, action.canvasHeight,
                                CanvasPixels(bits, action.canvasWidth, action.canvasHeight),
                                &image.bytes, error)) {
        return false;
      }
      encoded.emplace(&bits, files->size());
      CAtlasFrame frame;
      frame.name = order.actions[a].frameNames[i];
      frame.action = &action;
      frame.picture = &action.pictures[i];
      frame.frame = whole;
      frame.source = whole;
      frame.fileName = image.name;
      frames.push_back(std::move(frame));
      files->push_back(std::move(image));
    }
  }
  if (frames.empty()) {
    *error = "no pictures to export";
    return false;
  }
  // Each frame names its own file, and the pictures of different actions differ in size, so
  // the atlas has no single image or size.
  CAtlasMeta meta;
  meta.version = options.version;
  meta.scale = document.scale;
  const std::string json = WriteAtlasJson(frames, order, meta);
  files->push_back({options.baseName + ".json", {json.begin(), json.end()}});
  return true;
}
