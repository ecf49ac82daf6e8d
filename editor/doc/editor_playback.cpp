// The clock, the picture of one view frame, and the view's tools.
#include "editor/doc/vello_editor.h"

#include <cstdint>
#include <vector>

namespace {

// Colours of the view, opaque 0xAARRGGBB.
constexpr uint32_t kGridColor = 0xFF777777u;
constexpr uint32_t kAxisColor = 0xFFFFFFFFu;
constexpr uint32_t kOriginColor = 0xFFFFEE0Eu;
constexpr uint32_t kSelectionColor = 0xFF00FF00u;
constexpr uint32_t kCollisionColor = 0xFFFF0000u;
constexpr uint32_t kTagColor = 0xFF0055FFu;
constexpr uint32_t kTagCrossColor = 0xFFFFFFFFu;

RwV2d V2(float x, float y) {
  return {x, y};
}

// Where a grid with a line through `origin` starts: one cell left of (or above) the view's
// edge at most, so its first line, one cell on, is the first in sight.
int GridOffset(int origin, int cell) {
  if (cell < 1) {
    return 0;
  }
  const int rest = origin % cell;
  return (rest < 0 ? rest + cell : rest) - cell;
}

}  // namespace

void CVelloEditor::Tick(uint32_t nowMs) {
  if (!m_HasTicked) {
    m_HasTicked = true;
    m_LastTickMs = nowMs;
    return;
  }
  // Unsigned difference: right across the millisecond counter's wrap.
  const uint32_t elapsed = nowMs - m_LastTickMs;
  m_LastTickMs = nowMs;
  Advance(static_cast<float>(elapsed) * 0.001f);
  if (m_Window != nullptr) {
    const URect client = m_Window->GetClientRect();
    viewCanvas.SetClip(static_cast<float>(client.GetWidth()),
                       static_cast<float>(client.GetHeight()));
  }
}

void CVelloEditor::Advance(float seconds) {
  if (actor == nullptr) {
    return;
  }
  if (mode != EditMode::Action) {
    if (actor->frames.IsValidIndex(selectedFrame)) {
      shownFrame = selectedFrame;
    }
    return;
  }
  const UObjAction* action = ActionAt(selectedAction);
  if (!isPlaying || action == nullptr || action->keys.empty()) {
    return;
  }
  const TActionFrame& last = action->keys.back();
  const auto end = static_cast<float>(last.time);
  const auto wholeBefore = static_cast<int64_t>(playTime);
  playTime += seconds * frameRate;
  uint32_t changes = 0;
  if (!(playTime <= end + 1.0f)) {
    if (loopPlayback) {
      playTime = 0.0f;
    } else {
      isPlaying = false;
      playTime = end;
      shownFrame = actor->frames.IsValidIndex(static_cast<int>(last.frame))
                       ? static_cast<int32_t>(last.frame)
                       : -1;
      changes |= kChangeTools;
    }
  }
  if (static_cast<int64_t>(playTime) != wholeBefore) {
    changes |= kChangePlayTime;
  }
  Notify(changes);
}

void CVelloEditor::Play() {
  if (ActionAt(selectedAction) == nullptr && !SelectPlayableAction()) {
    return;
  }
  mode = EditMode::Action;
  isPlaying = true;
  if (!loopPlayback) {
    playTime = 0.0f;
  }
  Notify(kChangeSelection | kChangeTools | kChangePlayTime);
}

void CVelloEditor::Stop() {
  if (isPlaying) {
    isPlaying = false;
    Notify(kChangeTools);
  }
}

void CVelloEditor::Render() {
  if (!m_ViewReady) {
    return;
  }
  UploadTextures();
  // The background, grid, axes and onion skin are the same from frame to frame until the view's
  // settings or the actor change: the canvas keeps them drawn, and a frame starts from that copy,
  // which costs far less than drawing hundreds of grid lines again.
  centre = ViewCentre();
  std::vector<int32_t> backdrop = {showGrid ? 1 : 0,   gridWidth, gridHeight,
                                   showCentre ? 1 : 0, centre.x,  centre.y};
  AddOnionSkinToBackdropKey(&backdrop);
  const bool backdropDrawn = viewCanvas.ClearToBackdrop(backdrop) != 0;
  if (!backdropDrawn && viewCanvas.Clear() == 0) {
    return;
  }
  const int zoom = viewCanvas.GetZoom();
  const auto width = static_cast<float>(viewCanvas.GetClipWidth() / zoom);
  const auto height = static_cast<float>(viewCanvas.GetClipHeight() / zoom);
  if (!backdropDrawn) {
    if (showGrid) {
      // The grid moves with the world: a line runs through the origin.
      viewCanvas.DrawGrid(GridOffset(centre.x, gridWidth), GridOffset(centre.y, gridHeight),
                          gridWidth, gridHeight, kGridColor);
    }
    if (showCentre) {
      viewCanvas.DrawLine(0, static_cast<float>(centre.y), width, static_cast<float>(centre.y),
                          kAxisColor, 1);
      viewCanvas.DrawLine(static_cast<float>(centre.x), 0, static_cast<float>(centre.x), height,
                          kAxisColor, 1);
    }
    RenderOnionSkin();
    viewCanvas.KeepBackdrop(backdrop);
  }
  if (actor != nullptr && isPlaying) {
    actor->Render(&viewCanvas, &textureSurfaces, centre, selectedAction, playTime);
  } else if (actor != nullptr && actor->frames.IsValidIndex(shownFrame)) {
    actor->RenderFrame(&viewCanvas, &textureSurfaces, centre, shownFrame);
    const UObjFrame& frame = *actor->frames[static_cast<size_t>(shownFrame)];
    const auto ox = static_cast<float>(frame.origin.x + centre.x);
    const auto oy = static_cast<float>(frame.origin.y + centre.y);
    viewCanvas.DrawLine(0, oy, width, oy, kOriginColor, 1);
    viewCanvas.DrawLine(ox, 0, ox, height, kOriginColor, 1);
    if (shownFrame == selectedFrame) {
      DrawPlacementSelection(ox, oy);
    }
    const URect& hit = frame.collision;
    viewCanvas.DrawRect(ox + static_cast<float>(hit.left), oy + static_cast<float>(hit.top),
                        ox + static_cast<float>(hit.right), oy + static_cast<float>(hit.bottom),
                        kCollisionColor);
    if (tagMode) {
      for (int i = 0; i < frame.tags.Num(); ++i) {
        const TFrameTag& tag = frame.tags[static_cast<size_t>(i)];
        const float x = ox + tag.x;
        const float y = oy + tag.y;
        const float left = x - static_cast<float>(tag.width / 2);
        const float top = y - static_cast<float>(tag.height / 2);
        viewCanvas.DrawRect(left, top, left + tag.width, top + tag.height, kTagColor);
        const uint32_t cross =
            i == selectedTag && shownFrame == selectedFrame ? kSelectionColor : kTagCrossColor;
        viewCanvas.DrawStockBox(V2(x - 6, y - 1), V2(12, 1), 0, cross);
        viewCanvas.DrawStockBox(V2(x, y - 6), V2(1, 12), 0, cross);
      }
    }
  }
  viewCanvas.Present();
}

void CVelloEditor::ZoomIn() {
  ZoomAt(m_ViewZoom + 1, UPoint(viewCanvas.GetClipWidth() / 2, viewCanvas.GetClipHeight() / 2));
}

void CVelloEditor::ZoomOut() {
  ZoomAt(m_ViewZoom - 1, UPoint(viewCanvas.GetClipWidth() / 2, viewCanvas.GetClipHeight() / 2));
}

void CVelloEditor::SetGridSize(int32_t width, int32_t height) {
  if (width > 0 && height > 0) {
    gridWidth = width;
    gridHeight = height;
    Notify(kChangeTools);
  }
}

void CVelloEditor::SetFrameRate(float ticksPerSecond) {
  if (ticksPerSecond > 0.0f) {
    frameRate = ticksPerSecond;
    Notify(kChangeTools);
  }
}

void CVelloEditor::ToggleGrid() {
  showGrid = !showGrid;
  Notify(kChangeTools);
}

void CVelloEditor::ToggleSnap() {
  snapToGrid = !snapToGrid;
  Notify(kChangeTools);
}

void CVelloEditor::ToggleTagMode() {
  tagMode = !tagMode;
  draggedTag = -1;
  Notify(kChangeTools);
}

void CVelloEditor::ToggleLoop() {
  loopPlayback = !loopPlayback;
  Notify(kChangeTools);
}

void CVelloEditor::ToggleCentre() {
  showCentre = !showCentre;
  Notify(kChangeTools);
}

void CVelloEditor::SetBackgroundColor(uint32_t rgb) {
  viewCanvas.SetBackGroundColor(0xFF000000u | (rgb & 0x00FFFFFFu));
  Notify(kChangeTools);
}
