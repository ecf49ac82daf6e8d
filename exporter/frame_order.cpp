#include "exporter/frame_order.h"

#include <cstdint>
#include <set>

#include "exporter/picture_trim.h"

namespace {

// Frame names are keys of one JSON object, so two actions of the same name must not share them:
// a repeated name gets " (2)", " (3)" and so on.
std::string UniqueName(const std::string& name, std::set<std::string>* taken) {
  std::string unique = name;
  for (int n = 2; !taken->insert(unique).second; ++n) {
    unique = name + " (" + std::to_string(n) + ")";
  }
  return unique;
}

}  // namespace

CFrameOrder OrderFrames(const CExportDocument& document) {
  CFrameOrder order;
  std::set<std::string> taken;
  int next = 0;
  for (const CExportAction& action : document.actions) {
    CFrameOrder::CActionFrames frames;
    frames.name = UniqueName(action.name, &taken);
    frames.first = next;
    for (size_t index = 0; index < action.pictures.size(); ++index) {
      frames.frameNames.push_back(frames.name + "/" + std::to_string(index));
    }
    next += static_cast<int>(action.pictures.size());
    order.actions.push_back(std::move(frames));
  }
  return order;
}

bool CheckPictures(const CExportDocument& document, std::string* error) {
  for (const CExportAction& action : document.actions) {
    if (action.canvasWidth <= 0 || action.canvasHeight <= 0) {
      *error = "action '" + action.name + "' has no canvas";
      return false;
    }
    for (size_t index = 0; index < action.pictures.size(); ++index) {
      if (!FitsCanvas(action.pictures[index].bits, action.canvasWidth, action.canvasHeight)) {
        *error = "picture " + std::to_string(index) + " of action '" + action.name +
                 "' does not fill its canvas";
        return false;
      }
    }
  }
  return true;
}
