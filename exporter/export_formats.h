#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "exporter/export_picture.h"

enum class ExportFormat { Sheet, PngSequence, Gif };

struct CFormatOptions {
  bool trim = true;         // sheet: each picture cut to its opaque bounds
  int padding = 1;          // sheet: pixels between pictures on a page
  int maxSize = 2048;       // sheet: the largest page side
  bool powerOfTwo = false;  // sheet: page sides are powers of two
  std::string version;      // what `quillet-cli --version` prints, for the atlas's meta
  // File names start with this: "<actor>" made safe for file systems.
  std::string baseName;
  // The action names made safe for file systems, parallel to the document's actions.
  std::vector<std::string> actionFileNames;
  // Checked between pictures: once it holds true, the building stops with kExportCancelled.
  const std::atomic<bool>* cancel = nullptr;
};

// The files of `document` in `format`: sheet pages with their JSON atlases, numbered PNGs with
// one JSON, or one GIF per action. False with a reason in `error` (a picture larger than
// maxSize, a failed encoding).
bool BuildExportFiles(ExportFormat format, const CExportDocument& document,
                      const CFormatOptions& options, std::vector<CExportFile>* files,
                      std::string* error);
