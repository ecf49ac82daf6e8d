#include "exporter/export_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "core/anim/actor_file.h"
#include "core/anim/obj_action.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"
#include "core/foundation/profile_int.h"
#include "core/foundation/saturate.h"
#include "core/foundation/text_codec.h"
#include "exporter/export_cancel.h"
#include "exporter/frame_extent.h"
#include "exporter/offscreen_renderer.h"
#include "exporter/picture_trim.h"
#include "exporter/texture_set.h"

namespace {

constexpr int kDefaultFps = 30;
// Bounds that keep a damaged or hostile document from taking all memory: the pictures of one
// action, and the bytes all drawings of the document hold.
constexpr uint64_t kMaxPicturesPerAction = 100000;
constexpr uint64_t kMaxDocumentBytes = uint64_t{4} << 30;

std::string Utf8Name(const UName& name) {
  const char* text = name.GetString();
  return GbkToUtf8(std::string_view(text, strnlen(text, UName::kBufferSize)));
}

// The ticks an action is drawn at, ascending: every tick from its first key to its last, or the
// ticks where keys start.
std::vector<uint32_t> PictureTicks(const UObjAction& action, bool keysOnly) {
  std::vector<uint32_t> ticks;
  if (action.keys.Num() == 0) {
    return ticks;
  }
  const uint32_t first = action.keys[0].time;
  const uint32_t last = action.keys[static_cast<size_t>(action.keys.Num() - 1)].time;
  if (keysOnly) {
    for (const TActionFrame& key : action.keys) {
      if (ticks.empty() || ticks.back() != key.time) {
        ticks.push_back(key.time);
      }
    }
    return ticks;
  }
  for (uint64_t tick = first; tick <= last; ++tick) {
    ticks.push_back(static_cast<uint32_t>(tick));
  }
  return ticks;
}

// Each picture lasts until the next one, the last for one tick; the milliseconds are whole and
// carry their rounding, so that they add up to the action's length.
void SetDurations(const std::vector<uint32_t>& ticks, double fps,
                  std::vector<CExportPicture>* pictures) {
  int64_t shownMs = 0;
  for (size_t i = 0; i < ticks.size(); ++i) {
    const uint64_t end = i + 1 < ticks.size() ? ticks[i + 1] : uint64_t{ticks.back()} + 1;
    const auto endMs =
        static_cast<int64_t>(std::llround(static_cast<double>(end - ticks[0]) * 1000.0 / fps));
    (*pictures)[i].durationMs = static_cast<uint32_t>(endMs - shownMs);
    shownMs = endMs;
  }
}

URect ScaledRect(int64_t left, int64_t top, int64_t right, int64_t bottom, int scale) {
  return URect(SaturateCast<int32_t>(left * scale), SaturateCast<int32_t>(top * scale),
               SaturateCast<int32_t>(right * scale), SaturateCast<int32_t>(bottom * scale));
}

// The frame name, collision box and tags of the key in force at `tick`, in canvas pixels.
void DescribeKey(const UObjActor& actor, const UObjAction& action, uint32_t tick, UPoint pos,
                 int scale, CExportPicture* picture) {
  const UObjFrame* frame =
      actor.GetFrame(action.GetFrameByTime(tick, kFindInForce, nullptr, nullptr));
  if (frame == nullptr) {
    return;
  }
  const int64_t originX = int64_t{pos.x} + frame->origin.x;
  const int64_t originY = int64_t{pos.y} + frame->origin.y;
  picture->frameName = Utf8Name(frame->name);
  const URect& box = frame->collision;
  picture->collision = ScaledRect(originX + box.left, originY + box.top, originX + box.right,
                                  originY + box.bottom, scale);
  for (const TFrameTag& tag : frame->tags) {
    // A tag is centred on its point, as the editor draws it.
    const int64_t left = originX + tag.x - tag.width / 2;
    const int64_t top = originY + tag.y - tag.height / 2;
    picture->tags.push_back({Utf8Name(tag.name), tag.Param1, tag.Param2,
                             ScaledRect(left, top, left + tag.width, top + tag.height, scale)});
  }
}

// Fixes the canvas of action `index`: the ticks it is drawn at, and the union of what they draw
// and the origin. False when the canvas would be larger than maxSize.
bool PlanAction(UObjActor& actor, int index, const CDrawOptions& options, CExportAction* out,
                std::vector<uint32_t>* ticks, std::string* error) {
  const UObjAction& action = *actor.actions[static_cast<size_t>(index)];
  out->name = Utf8Name(action.name);
  const uint32_t first = action.keys.Num() > 0 ? action.keys[0].time : 0;
  const uint32_t last =
      action.keys.Num() > 0 ? action.keys[static_cast<size_t>(action.keys.Num() - 1)].time : 0;
  if (!options.keysOnly && last > first && last - first >= kMaxPicturesPerAction) {
    *error = "action '" + out->name + "' spans more than " + std::to_string(kMaxPicturesPerAction) +
             " ticks";
    return false;
  }
  *ticks = PictureTicks(action, options.keysOnly);
  // The origin's own pixel always belongs to the canvas.
  CFrameExtent extent{0, 0, 1, 1};
  for (const uint32_t tick : *ticks) {
    if (const UObjFrame* frame = actor.GetRenderFrame(index, static_cast<float>(tick))) {
      extent.Add(FrameExtent(actor, *frame));
    }
  }
  const int64_t width = (extent.right - extent.left) * options.scale;
  const int64_t height = (extent.bottom - extent.top) * options.scale;
  if (width > options.maxSize || height > options.maxSize) {
    *error = "action '" + out->name + "' needs a " + std::to_string(width) + "x" +
             std::to_string(height) + " picture, larger than the largest side allowed (" +
             std::to_string(options.maxSize) + ")";
    return false;
  }
  out->canvasWidth = static_cast<int>(width);
  out->canvasHeight = static_cast<int>(height);
  out->originX = static_cast<int>(-extent.left) * options.scale;
  out->originY = static_cast<int>(-extent.top) * options.scale;
  return true;
}

// What GetInterpolationFrame answers for a blended in-between.
constexpr int kInBetween = -2;

// Draws the planned pictures of action `index`, adding the bytes of the new drawings to
// `documentBytes`. The renderer's canvas may be larger than the action's: everything the action
// draws lies inside its own canvas at the top-left corner, so the pixels there are what a canvas
// of the action's size shows. `picturesDrawn` counts the pictures of the document so far, for the
// options' progress.
bool DrawAction(UObjActor& actor, int index, const std::vector<uint32_t>& ticks,
                const CDrawOptions& options, double fps, int rendererWidth,
                OffscreenRenderer& renderer, CTextureSet& textures, CExportAction* out,
                uint64_t* documentBytes, size_t* picturesDrawn, size_t total, std::string* error) {
  const int scale = options.scale;
  const UObjAction& action = *actor.actions[static_cast<size_t>(index)];
  const UPoint pos(out->originX / scale, out->originY / scale);
  std::vector<uint8_t> bgra;
  UObjFrame inBetween;
  // A key shows the same frame unblended at every tick it is in force, and again wherever the
  // action shows it later: its drawing is made once and shared, which spares most of the drawing
  // and memory of a slow action.
  std::map<int, std::shared_ptr<const CPictureBits>> drawnKeys;
  for (const uint32_t tick : ticks) {
    if (ExportCancelled(options.cancel, error)) {
      return false;
    }
    CExportPicture picture;
    const int shown = actor.GetInterpolationFrame(index, static_cast<float>(tick), &inBetween);
    if (const auto drawn = drawnKeys.find(shown); drawn != drawnKeys.end()) {
      picture.bits = drawn->second;
    } else {
      renderer.ClearTransparent();
      actor.Render(&renderer.Canvas(), textures.Surfaces(), pos, index, static_cast<float>(tick));
      if (!renderer.Finish(bgra, *error)) {
        return false;
      }
      picture.bits = std::make_shared<const CPictureBits>(TrimPicture(
          bgra.data(), rendererWidth, out->canvasWidth, out->canvasHeight, PixelOrder::Bgra));
      *documentBytes += picture.bits->rgba.size();
      if (*documentBytes > kMaxDocumentBytes) {
        *error = "the pictures up to action '" + out->name + "' take more than 4 GiB";
        return false;
      }
      if (shown != kInBetween) {
        drawnKeys.emplace(shown, picture.bits);
      }
    }
    picture.tick = tick;
    DescribeKey(actor, action, tick, pos, scale, &picture);
    out->pictures.push_back(std::move(picture));
    if (options.onPicture) {
      options.onPicture(++*picturesDrawn, total);
    }
  }
  SetDurations(ticks, fps, &out->pictures);
  return true;
}

// The indices of the chosen actions in document order; false naming a chosen one that is
// missing.
bool ChooseActions(const UObjActor& actor, const std::vector<std::string>& names,
                   std::vector<int>* chosen, std::string* error) {
  for (const std::string& name : names) {
    bool found = false;
    for (int i = 0; i < actor.actions.Num() && !found; ++i) {
      found = Utf8Name(actor.actions[static_cast<size_t>(i)]->name) == name;
    }
    if (!found) {
      *error = "no action '" + name + "'";
      return false;
    }
  }
  for (int i = 0; i < actor.actions.Num(); ++i) {
    const std::string name = Utf8Name(actor.actions[static_cast<size_t>(i)]->name);
    if (names.empty() || std::find(names.begin(), names.end(), name) != names.end()) {
      chosen->push_back(i);
    }
  }
  return true;
}

}  // namespace

double ConfiguredFrameRate() {
  const std::string path = (std::filesystem::current_path() / "anmcfg.ini").string();
  const int fps = ReadProfileInt(path, "SETTING", "fps", kDefaultFps);
  return fps > 0 ? fps : kDefaultFps;
}

bool DrawExport(const std::string& documentPath, const CDrawOptions& options, CExportDocument* out,
                std::string* error) {
  UObjActor actor;
  if (!LoadActorFile(documentPath.c_str(), actor, error)) {
    return false;
  }
  const std::string textureFolder = options.textures.empty()
                                        ? std::filesystem::path(documentPath).parent_path().string()
                                        : options.textures;
  return DrawActorExport(
      actor, options,
      [&textureFolder](const UObjActor& drawn, UCanvasUtil& util, CTextureSet& textures,
                       std::string& reason) {
        return textures.Load(drawn, textureFolder, util, reason);
      },
      out, error);
}

bool DrawActorExport(UObjActor& actor, const CDrawOptions& options,
                     const TextureSurfaceMaker& makeTextures, CExportDocument* out,
                     std::string* error) {
  if (options.scale < UCanvas::kMinZoom || options.scale > UCanvas::kMaxZoom) {
    *error = "the scale must be a whole number from 1 to 8";
    return false;
  }
  const double fps = options.fps.value_or(ConfiguredFrameRate());
  if (!std::isfinite(fps) || fps <= 0.0) {
    *error = "the frame rate must be above 0";
    return false;
  }
  std::vector<int> chosen;
  if (!ChooseActions(actor, options.actions, &chosen, error)) {
    return false;
  }
  out->actorName = Utf8Name(actor.name);
  out->scale = options.scale;
  out->actions.assign(chosen.size(), CExportAction());
  std::vector<std::vector<uint32_t>> ticks(chosen.size());
  int width = 1;
  int height = 1;
  size_t total = 0;
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (!PlanAction(actor, chosen[i], options, &out->actions[i], &ticks[i], error)) {
      return false;
    }
    width = std::max(width, out->actions[i].canvasWidth);
    height = std::max(height, out->actions[i].canvasHeight);
    total += ticks[i].size();
  }
  // One renderer for the document, so that its textures are made once.
  std::unique_ptr<OffscreenRenderer> renderer = MakeRenderer(options.driver);
  if (!renderer) {
    *error = "unknown driver '" + options.driver + "'";
    return false;
  }
  CTextureSet textures;
  if (!renderer->Start(width, height, *error) ||
      !makeTextures(actor, renderer->Util(), textures, *error)) {
    return false;
  }
  while (renderer->Canvas().GetZoom() < options.scale) {
    renderer->Canvas().ZoomIn();
  }
  uint64_t documentBytes = 0;
  size_t drawn = 0;
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (!DrawAction(actor, chosen[i], ticks[i], options, fps, width, *renderer, textures,
                    &out->actions[i], &documentBytes, &drawn, total, error)) {
      return false;
    }
  }
  return true;
}
