#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "exporter/export_drawing.h"
#include "exporter/export_formats.h"

// An export of a document as an editor holds it in memory, saved or not: the editor takes the
// snapshot when the export starts, and the export may then run on any thread while editing
// goes on.

// A texture's pixels as the editor has them: 0xAARRGGBB words with straight alpha, top row
// first. No pixels: the editor has not loaded the texture.
struct CTexturePixels {
  std::string name;  // the texture record's file name (UTF-8), for messages
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

struct CExportSnapshot {
  std::unique_ptr<UObjActor> actor;
  std::vector<CTexturePixels> textures;  // one per texture record of the actor, in order
};

// The version the atlases name: the project's, as `quillet-cli --version` prints it.
const char* ExportAppVersion();

// Draws `snapshot` with the software driver (whatever `draw` names), its textures made from the
// pixels, builds the files in `format` named as `quillet-cli export` names a document's files,
// and only then writes them into `folder` (made when missing), each through the atomic writer.
// An export cancelled through the options writes nothing. False with a reason in `error`; the
// names written go to `written`.
bool ExportSnapshot(CExportSnapshot& snapshot, CDrawOptions draw, ExportFormat format,
                    const CFormatOptions& files, const std::string& folder,
                    std::vector<std::string>* written, std::string* error);
