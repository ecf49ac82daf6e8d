#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/canvas/canvas_util.h"
#include "exporter/export_picture.h"
#include "exporter/texture_set.h"

// What to draw of a document for an export.
struct CDrawOptions {
  std::vector<std::string> actions;  // UTF-8 action names to draw; empty: every action
  int scale = 1;                     // the zoom the pictures are drawn at, 1 to 8
  bool keysOnly = false;             // only the ticks where a key starts
  // Ticks a second; without one, the editor's configured rate (ConfiguredFrameRate).
  std::optional<double> fps;
  std::string driver = "gdi";  // "gdi" (the software driver) or "accel"
  std::string textures;        // where the textures are; empty: the document's folder
  int maxSize = 2048;          // the largest canvas side, in pixels
  // Checked before each picture: once it holds true, the drawing stops with kExportCancelled.
  const std::atomic<bool>* cancel = nullptr;
  // Hears each picture drawn, from the drawing thread: how many so far, and of how many.
  std::function<void(size_t drawn, size_t total)> onPicture;
};

// The frame rate the editor plays at: "fps" under [SETTING] of "anmcfg.ini" in the current
// folder, read as the editor reads it; 30 when the file or the key is missing or not above 0.
double ConfiguredFrameRate();

// Draws the chosen actions of the document at `documentPath` into `out`: for each action, one
// picture per whole tick from its first key to its last (or per key with keysOnly), each exactly
// what the driver draws of the action at that tick on a transparent canvas, all on one canvas
// holding every picture's drawn bounds and the origin. False with a reason in `error` when the
// document cannot be read, a chosen action does not exist, a texture is missing, a canvas would
// be larger than maxSize, or the driver fails.
bool DrawExport(const std::string& documentPath, const CDrawOptions& options, CExportDocument* out,
                std::string* error);

// Makes the surfaces `actor` draws its textures with, one per texture record in order, through
// `util`, the factory of the driver that draws; false with a reason in `error`.
using TextureSurfaceMaker = std::function<bool(const UObjActor& actor, UCanvasUtil& util,
                                               CTextureSet& textures, std::string& error)>;

// DrawExport for an actor already in memory, its textures made by `makeTextures`; the driver's
// textures folder option is not used. The same pictures as DrawExport of a file holding `actor`.
bool DrawActorExport(UObjActor& actor, const CDrawOptions& options,
                     const TextureSurfaceMaker& makeTextures, CExportDocument* out,
                     std::string* error);
