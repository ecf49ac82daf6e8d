#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/foundation/rect.h"

// What the exporter draws of a document, before it is written in any format: for each chosen
// action, the pictures of its timeline on one canvas shared by all of them, so that played back
// they do not jitter.

// A trigger tag of the key shown, in the action canvas's pixels.
struct CExportTag {
  std::string name;  // UTF-8
  int32_t param1 = 0;
  int32_t param2 = 0;
  URect rect{0, 0, 0, 0};
};

// What a picture draws: the smallest rectangle of its action's canvas holding every pixel that is
// not fully transparent, rows top first, 4 bytes a pixel in the order red, green, blue, alpha,
// straight alpha. Everything outside it is transparent; w and h are 0 when nothing is drawn.
struct CPictureBits {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  std::vector<uint8_t> rgba;  // w x h pixels
};

// One picture of an action's timeline. Pictures that show the same drawing (a key held over
// several ticks, a key shown again) share their bits, so an export holds each drawing once.
struct CExportPicture {
  std::shared_ptr<const CPictureBits> bits;
  uint32_t durationMs = 0;      // whole milliseconds; an action's durations add up to its length
  uint32_t tick = 0;            // the action tick it shows
  std::string frameName;        // the frame of the key in force (UTF-8)
  URect collision{0, 0, 0, 0};  // that frame's collision rectangle, in canvas pixels
  std::vector<CExportTag> tags;
};

struct CExportAction {
  std::string name;  // UTF-8, as stored
  int canvasWidth = 0;
  int canvasHeight = 0;
  int originX = 0;  // the world origin's pixel in every picture
  int originY = 0;
  std::vector<CExportPicture> pictures;
};

struct CExportDocument {
  std::string actorName;               // UTF-8, as stored
  int scale = 1;                       // the zoom the pictures were drawn at
  std::vector<CExportAction> actions;  // in document order
};

// A file an export writes: its name (relative to the output folder, already safe for file
// systems) and its bytes.
struct CExportFile {
  std::string name;
  std::vector<unsigned char> bytes;
};
