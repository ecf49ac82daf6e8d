// quillet-cli thumbnail IN.an1 OUT.png SIZE: the picture a file manager shows for a document.
// Desktop thumbnailers run it with a time limit, often in a sandbox that shows them the document
// alone, so every problem ends it at once with status 1 and no output file.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "exporter/frame_extent.h"
#include "exporter/offscreen_renderer.h"
#include "exporter/texture_set.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/document_input.h"
#include "tools/quillet-cli/picture_options.h"
#include "tools/quillet-cli/png_output.h"
#include "tools/quillet-cli/thumbnail_picture.h"

namespace {

constexpr const char* kName = "thumbnail";
constexpr int kMaxSize = 1024;
// The canvas the frame is drawn on is as large as the frame's placements reach, up to this many
// pixels a side (a sprite larger than that loses its outer parts), so that a small sprite costs
// little to draw and to cut to what was drawn.
constexpr int64_t kMaxCanvasSide = 2048;

// The area of `frame` the canvas holds, relative to the point the frame is drawn at: what its
// placements can cover, a single unit when they cover nothing, and beyond the largest canvas the
// part around the frame's origin (the left and top edges of placements of 16-bit offsets stay
// well inside the upper bound).
CFrameExtent CanvasExtent(const UObjActor& actor, const UObjFrame& frame) {
  CFrameExtent reach = FrameExtent(actor, frame);
  if (reach.IsEmpty()) {
    return {0, 0, 1, 1};
  }
  reach.left = std::clamp(reach.left, -kMaxCanvasSide / 2, int64_t{1} << 20);
  reach.top = std::clamp(reach.top, -kMaxCanvasSide / 2, int64_t{1} << 20);
  reach.right = std::clamp(reach.right, reach.left + 1, reach.left + kMaxCanvasSide);
  reach.bottom = std::clamp(reach.bottom, reach.top + 1, reach.top + kMaxCanvasSide);
  return reach;
}

// The first key of the first action, or frame 0 when there is no action or key; -1 when the
// document has no frame to show.
int ShownFrame(const UObjActor& actor) {
  if (actor.actions.Num() > 0 && actor.actions[0]->keys.Num() > 0) {
    const int frame = static_cast<int>(actor.actions[0]->keys[0].frame);
    if (actor.frames.IsValidIndex(frame)) {
      return frame;
    }
  }
  return actor.frames.Num() > 0 ? 0 : -1;
}

int RunThumbnail(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {}, parsed, error)) {
    return ReportError(kName, error, kExitUsage);
  }
  if (parsed.positional.size() != 3) {
    return ReportError(kName, "expected IN.an1 OUT.png SIZE (see quillet-cli thumbnail --help)",
                       kExitUsage);
  }
  const std::string& document = parsed.positional[0];
  const std::string& out = parsed.positional[1];
  const std::optional<int> size = ParseInt(parsed.positional[2]);
  if (!size || *size < 1 || *size > kMaxSize) {
    return ReportError(
        kName, "SIZE takes a whole number from 1 to 1024, not '" + parsed.positional[2] + "'",
        kExitBadInput);
  }
  UObjActor actor;
  if (!LoadDocumentFor(kName, document, actor)) {
    return kExitBadInput;
  }
  const int frame = ShownFrame(actor);
  if (frame < 0) {
    return ReportError(kName, "the document has no frame to show", kExitBadInput);
  }

  const CFrameExtent reach = CanvasExtent(actor, *actor.frames[frame]);
  const int width = static_cast<int>(reach.right - reach.left);
  const int height = static_cast<int>(reach.bottom - reach.top);
  std::unique_ptr<OffscreenRenderer> renderer = MakeGdiRenderer();
  if (!renderer->Start(width, height, error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  CTextureSet textures;
  if (!textures.Load(actor, std::filesystem::path(document).parent_path().string(),
                     renderer->Util(), error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  renderer->ClearTransparent();
  PictureRequest request;
  request.frame = frame;
  request.pos = UPoint(static_cast<int>(-reach.left), static_cast<int>(-reach.top));
  DrawPicture(actor, request, &renderer->Canvas(), textures.Surfaces());

  BgraPicture drawn;
  drawn.width = width;
  drawn.height = height;
  if (!renderer->Finish(drawn.pixels, error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  const BgraPicture cropped = CropToDrawn(drawn);
  if (cropped.pixels.empty()) {
    return ReportError(
        kName, "the picture is empty: nothing of frame " + std::to_string(frame) + " was drawn",
        kExitBadInput);
  }
  const BgraPicture thumbnail = FitIntoSquare(cropped, *size);
  if (!WritePng(out, thumbnail.width, thumbnail.height, thumbnail.pixels, error)) {
    return ReportError(kName, error, kExitBadInput);
  }
  return kExitOk;
}

}  // namespace

const CliCommand kThumbnailCommand = {
    kName,
    "draw a document's thumbnail for file managers",
    "Usage: quillet-cli thumbnail IN.an1 OUT.png SIZE\n"
    "Draws the first key of the first action (frame 0 when there is no action or key) through\n"
    "the GDI-style driver, with the textures found beside the document, cut to what was drawn\n"
    "and fitted into a transparent square of SIZE x SIZE pixels (1 to 1024), centred: a larger\n"
    "picture shrinks smoothly, a smaller one grows by the largest whole factor that fits, pixel\n"
    "for pixel. Writes it as a 32-bit PNG. A damaged document, a missing texture, an empty\n"
    "picture or a bad SIZE ends it with status 1 and no output file.\n",
    RunThumbnail,
};
