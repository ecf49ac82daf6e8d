#pragma once

#include <string>
#include <vector>

#include "exporter/export_picture.h"
#include "exporter/frame_order.h"
#include "exporter/picture_trim.h"

// One frame of a JSON atlas: where its picture lies and what it shows.
struct CAtlasFrame {
  std::string name;  // "<action>/<index>"
  const CExportAction* action = nullptr;
  const CExportPicture* picture = nullptr;
  CPixelRect frame;   // the picture's pixels in its image
  CPixelRect source;  // the same pixels' place in the action's canvas
  bool trimmed = false;
  std::string fileName;  // the image holding the frame, where each frame has its own
};

// What the atlas says of its image and of the whole export.
struct CAtlasMeta {
  std::string version;
  std::string image;  // the page's file name; empty where frames name their own files
  int width = 0;      // the page's size; 0 where there is no single page
  int height = 0;
  int scale = 1;
  std::vector<std::string> relatedPacks;  // the other pages' JSON files
};

// The atlas in the hash form: "frames" keyed by name, "animations" with every action's frame
// names in order, and "meta" with the frame tags of all actions.
std::string WriteAtlasJson(const std::vector<CAtlasFrame>& frames, const CFrameOrder& order,
                           const CAtlasMeta& meta);
