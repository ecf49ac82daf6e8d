#pragma once

#include <string>
#include <vector>

#include "exporter/export_picture.h"

// The frames of an export in the order they are written: actions in document order, each
// action's pictures in timeline order, each frame named "<action>/<index>".
struct CFrameOrder {
  struct CActionFrames {
    std::string name;  // the action's name, made unique within the document
    std::vector<std::string> frameNames;
    int first = 0;  // the place of its first frame in the export's order
  };
  std::vector<CActionFrames> actions;  // parallel to the document's actions
};

CFrameOrder OrderFrames(const CExportDocument& document);

// False with a reason when a picture of `document` does not hold its action's canvas, or an
// action has no canvas, so no format reads past a picture's pixels.
bool CheckPictures(const CExportDocument& document, std::string* error);
