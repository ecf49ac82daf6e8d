// Finding one's way in the view and the timeline: zoom steps about a point, the pan of the world
// origin, fitting the picture to the view, scaled screens, and stepping through an action's keys.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/foundation/saturate.h"
#include "editor/doc/turned_box.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// The pan stays far inside what the canvas arithmetic holds, whatever is dragged or fitted.
constexpr int64_t kMaxPan = int64_t{1} << 22;

// Division rounding toward minus infinity, so the world origin moves evenly across zero.
int64_t FloorDiv(int64_t value, int64_t divisor) {
  const int64_t quotient = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

int32_t ClampPan(int64_t pan) {
  return static_cast<int32_t>(std::clamp(pan, -kMaxPan, kMaxPan));
}

// The canvas zoom of zoom step `zoom` on a screen of `ratio` device pixels a logical pixel.
int CanvasZoom(int zoom, double ratio) {
  return std::max(1, static_cast<int>(std::lround(zoom * ratio)));
}

std::string ZoomText(int zoom) {
  return UiText::Utf8(res::kZoomStatus) + std::to_string(zoom * 100) + "%";
}

}  // namespace

UPoint CVelloEditor::ViewCentre() const {
  const int64_t zoom = std::max(viewCanvas.GetZoom(), 1);
  const int64_t x = viewCanvas.GetClipWidth() / 2 + int64_t{m_Pan.x};
  const int64_t y = viewCanvas.GetClipHeight() / 2 + int64_t{m_Pan.y};
  return {static_cast<int32_t>(FloorDiv(x, zoom)), static_cast<int32_t>(FloorDiv(y, zoom))};
}

void CVelloEditor::ApplyViewZoom() {
  viewCanvas.SetZoom(CanvasZoom(m_ViewZoom, m_PixelRatio));
  centre = ViewCentre();
}

void CVelloEditor::PlaceCentre(UPoint origin) {
  const int64_t zoom = viewCanvas.GetZoom();
  m_Pan.x = ClampPan(int64_t{origin.x} * zoom - viewCanvas.GetClipWidth() / 2);
  m_Pan.y = ClampPan(int64_t{origin.y} * zoom - viewCanvas.GetClipHeight() / 2);
  centre = ViewCentre();
}

void CVelloEditor::SetDevicePixelRatio(double ratio) {
  if (!std::isfinite(ratio) || ratio <= 0.0) {
    ratio = 1.0;
  }
  ratio = std::clamp(ratio, 0.25, 8.0);
  if (ratio == m_PixelRatio) {
    return;
  }
  // The pan keeps its length in logical pixels.
  m_Pan.x = ClampPan(std::llround(m_Pan.x * ratio / m_PixelRatio));
  m_Pan.y = ClampPan(std::llround(m_Pan.y * ratio / m_PixelRatio));
  m_PixelRatio = ratio;
  ApplyViewZoom();
  Notify(kChangeTools);
}

void CVelloEditor::ZoomAt(int zoom, UPoint client) {
  const UPoint before = ClientToCanvas(client);
  const UPoint origin = ViewCentre();
  const UPoint world(before.x - origin.x, before.y - origin.y);
  m_ViewZoom = std::clamp(zoom, kMinViewZoom, kMaxViewZoom);
  ApplyViewZoom();
  const UPoint after = ClientToCanvas(client);
  PlaceCentre(UPoint(after.x - world.x, after.y - world.y));
  Status(StatusPane::Prompt, ZoomText(m_ViewZoom));
  Notify(kChangeTools);
}

void CVelloEditor::PanBy(int dx, int dy) {
  m_Pan.x = ClampPan(int64_t{m_Pan.x} + dx);
  m_Pan.y = ClampPan(int64_t{m_Pan.y} + dy);
  centre = ViewCentre();
  Notify(kChangeTools);
}

void CVelloEditor::ActualSize() {
  ZoomAt(1, UPoint(viewCanvas.GetClipWidth() / 2, viewCanvas.GetClipHeight() / 2));
}

bool CVelloEditor::FitBounds(URect* bounds) const {
  if (actor == nullptr) {
    return false;
  }
  std::vector<int> frames;
  const UObjAction* action = mode == EditMode::Action && actor->actions.IsValidIndex(selectedAction)
                                 ? actor->actions[static_cast<size_t>(selectedAction)]
                                 : nullptr;
  if (action != nullptr && !action->keys.empty()) {
    for (const TActionFrame& key : action->keys) {
      frames.push_back(static_cast<int>(key.frame));
    }
  } else {
    frames.push_back(shownFrame);
  }
  bool found = false;
  for (const int index : frames) {
    const UObjFrame* frame = actor->GetFrame(index);
    if (frame == nullptr) {
      continue;
    }
    for (const TObjFrame& placement : frame->placements) {
      float width = 0;
      float height = 0;
      float angle = 0;
      if (!PlacementShape(placement, &width, &height, &angle)) {
        continue;
      }
      // A freely turned box turns about its middle: its bounds grow with the turn.
      const URect one =
          TurnedBounds(static_cast<float>(frame->origin.x + placement.x),
                       static_cast<float>(frame->origin.y + placement.y), width, height, angle);
      *bounds =
          found ? URect(std::min(bounds->left, one.left), std::min(bounds->top, one.top),
                        std::max(bounds->right, one.right), std::max(bounds->bottom, one.bottom))
                : one;
      found = true;
    }
  }
  return found;
}

void CVelloEditor::FitToView() {
  URect box(0, 0, 0, 0);
  if (!FitBounds(&box)) {
    Status(StatusPane::Prompt, UiText::Utf8(res::kNothingToFit));
    return;
  }
  const int64_t clipWidth = viewCanvas.GetClipWidth();
  const int64_t clipHeight = viewCanvas.GetClipHeight();
  m_ViewZoom = kMinViewZoom;
  for (int zoom = kMaxViewZoom; zoom > kMinViewZoom; --zoom) {
    const int64_t scale = CanvasZoom(zoom, m_PixelRatio);
    if (int64_t{box.GetWidth()} * scale <= clipWidth &&
        int64_t{box.GetHeight()} * scale <= clipHeight) {
      m_ViewZoom = zoom;
      break;
    }
  }
  ApplyViewZoom();
  const int64_t zoom = viewCanvas.GetZoom();
  const int64_t middleX = clipWidth / 2 / zoom - (int64_t{box.left} + box.right) / 2;
  const int64_t middleY = clipHeight / 2 / zoom - (int64_t{box.top} + box.bottom) / 2;
  PlaceCentre(UPoint(SaturateCast<int32_t>(middleX), SaturateCast<int32_t>(middleY)));
  Status(StatusPane::Prompt, ZoomText(m_ViewZoom));
  Notify(kChangeTools);
}

bool CVelloEditor::SelectPlayableAction() {
  if (actor != nullptr) {
    for (int i = 0; i < actor->actions.Num(); ++i) {
      const UObjAction* action = actor->actions[static_cast<size_t>(i)];
      if (action != nullptr && !action->keys.empty()) {
        SelectAction(i);
        return true;
      }
    }
  }
  Status(StatusPane::Prompt, UiText::Utf8(res::kNoActionToPlay));
  return false;
}

void CVelloEditor::TogglePlay() {
  if (isPlaying) {
    Stop();
  } else {
    Play();
  }
}

void CVelloEditor::StepKey(int delta) {
  const UObjAction* action = ActionAt(selectedAction);
  if (action == nullptr || action->keys.empty()) {
    return;
  }
  const auto time = static_cast<uint32_t>(std::max(0.0f, std::floor(playTime)));
  int index = -1;
  bool exact = false;
  FindActionKey(time, &index, &exact);
  // Between two keys, the previous one is the key in force.
  const int64_t from = delta < 0 && !exact ? int64_t{index} + 1 : index;
  const int64_t last = static_cast<int64_t>(action->keys.size()) - 1;
  SelectActionFrame(static_cast<int>(std::clamp(from + delta, int64_t{0}, last)));
}

void CVelloEditor::SelectEndKey(bool last) {
  const UObjAction* action = ActionAt(selectedAction);
  if (action != nullptr && !action->keys.empty()) {
    SelectActionFrame(last ? static_cast<int>(action->keys.size()) - 1 : 0);
  }
}

void CVelloEditor::SetLoopPlayback(bool loop) {
  if (loop != loopPlayback) {
    loopPlayback = loop;
    Notify(kChangeTools);
  }
}
