// Mouse and keyboard on the view: picking and dragging placements (hit-tested as the rotated
// rectangles they are drawn as), the collision rectangle, tags, nudging and flipping.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/foundation/message.h"
#include "core/foundation/saturate.h"
#include "drivers/accel/geometry.h"
#include "editor/doc/turned_box.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

constexpr int kTagBoxSize = 6;

// Whether `point` lies in the rectangle at (left, top) of `width` x `height` turned by `angle`
// degrees about its centre: the quadrilateral of its turned corners split in two triangles.
bool HitsTurnedBox(float px, float py, float left, float top, float width, float height,
                   float angle) {
  const CTurnedBox box = TurnBox(left, top, width, height, angle);
  RwV3d corners[4];
  for (int i = 0; i < 4; ++i) {
    corners[i] = {box.x[i], box.y[i], 0};
  }
  RwV3d point{px, py, 0};
  RwV3d normal{0, 0, 1};
  RwV3d first[3] = {corners[0], corners[1], corners[2]};
  RwV3d second[3] = {corners[0], corners[2], corners[3]};
  return PointWithinTriangle(&point, first, &normal) != 0 ||
         PointWithinTriangle(&point, second, &normal) != 0;
}

// Down to a multiple of `cell` (toward minus infinity); `cell` below 1 leaves the value.
int SnapDown(int value, int cell) {
  if (cell < 1) {
    return value;
  }
  const int rest = value % cell;
  return rest < 0 ? value - rest - cell : value - rest;
}

URect Normalised(UPoint a, UPoint b) {
  return URect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

std::string PointText(const char* label, UPoint point) {
  char text[64];
  std::snprintf(text, sizeof(text), "%s x=%4d y=%4d", label, point.x, point.y);
  return text;
}

bool AskYes(const char* question) {
  return ShowMessage({question, "", UMessageButtons::YesNoCancel, UMessageIcon::Question}) ==
         UMessageAnswer::Yes;
}

}  // namespace

bool CVelloEditor::PlacementShape(const TObjFrame& placement, float* width, float* height,
                                  float* angle) const {
  if (actor == nullptr || placement.module >= actor->modules.size() ||
      actor->modules[placement.module] == nullptr) {
    return false;
  }
  const UObjModule& module = *actor->modules[placement.module];
  const float scaleX = placement.affine.ScaleXEnable != 0 ? placement.ScaleX : 1.0f;
  const float scaleY = placement.affine.ScaleYEnable != 0 ? placement.ScaleY : 1.0f;
  const auto moduleWidth = static_cast<float>(module.right - module.left);
  const auto moduleHeight = static_cast<float>(module.bottom - module.top);
  // A quarter or three-quarter turn lays the module on its side before it is scaled.
  const bool onSide = (placement.affine.Rotate & 1u) != 0;
  *width = (onSide ? moduleHeight : moduleWidth) * scaleX;
  *height = (onSide ? moduleWidth : moduleHeight) * scaleY;
  *angle = placement.affine.RotateAngleEnable != 0 ? placement.RotateAngle : 0.0f;
  return std::isfinite(*width) && std::isfinite(*height) && std::isfinite(*angle);
}

bool CVelloEditor::SelectedPlacementBox(URect* box, float* angle) const {
  const UObjFrame* frame = EditedFrame();
  const TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(selectedPlacement);
  float width = 0;
  float height = 0;
  float turn = 0;
  if (placement == nullptr || !PlacementShape(*placement, &width, &height, &turn)) {
    return false;
  }
  *box = URect(placement->x, placement->y, SaturateCast<int32_t>(placement->x + std::lround(width)),
               SaturateCast<int32_t>(placement->y + std::lround(height)));
  *angle = turn;
  return true;
}

UPoint CVelloEditor::ClientToCanvas(UPoint client) const {
  viewCanvas.ScreenToCanvas(&client);
  return client;
}

UPoint CVelloEditor::SnappedToGrid(UPoint local) const {
  return snapToGrid ? UPoint(SnapDown(local.x, gridWidth), SnapDown(local.y, gridHeight)) : local;
}

int32_t CVelloEditor::PlacementAt(UPoint local, bool selectedOnly) const {
  const UObjFrame* frame = EditedFrame();
  const auto px = static_cast<float>(local.x);
  const auto py = static_cast<float>(local.y);
  for (int i = frame == nullptr ? -1 : frame->GetModuleSize() - 1; i >= 0; --i) {
    const TObjFrame& placement = *frame->GetModule(i);
    float width = 0;
    float height = 0;
    float angle = 0;
    if ((!selectedOnly ||
         std::binary_search(selectedPlacements.begin(), selectedPlacements.end(), i)) &&
        PlacementShape(placement, &width, &height, &angle) &&
        HitsTurnedBox(px, py, placement.x, placement.y, width, height, angle)) {
      return i;
    }
  }
  return -1;
}

void CVelloEditor::PickPlacement(UPoint point, uint32_t flags) {
  const UObjFrame* frame = EditedFrame();
  const UPoint local(point.x - frame->origin.x - centre.x, point.y - frame->origin.y - centre.y);
  const bool control = (flags & kMouseControl) != 0;
  // A press on a selected placement drags the whole selection, even from beneath another one.
  const int32_t grabbed = PlacementAt(local, true);
  if (boxSelect && (control || grabbed < 0)) {
    StartBand(point, control);
    return;
  }
  if (control) {
    const int32_t hit = PlacementAt(local, false);
    std::vector<int32_t> toggled = selectedPlacements;
    if (hit >= 0 && std::erase(toggled, hit) == 0) {
      toggled.push_back(hit);
    }
    SetPlacementSet(toggled, hit);
    SayPlacementCount();
    return;
  }
  if (grabbed >= 0) {
    SetPlacementSet(selectedPlacements, grabbed);
  } else {
    const int32_t hit = PlacementAt(local, false);
    SetPlacementSet({hit}, hit);
  }
  if (const TObjFrame* picked = frame->GetModule(selectedPlacement)) {
    grabOffset = UPoint(local.x - picked->x, local.y - picked->y);
  }
}

void CVelloEditor::PickTag(UPoint point) {
  const UObjFrame* frame = EditedFrame();
  tagFrame = selectedFrame;
  draggedTag = -1;
  const UPoint local(point.x - frame->origin.x - centre.x, point.y - frame->origin.y - centre.y);
  for (int i = 0; i < frame->tags.Num(); ++i) {
    const TFrameTag& tag = frame->tags[static_cast<size_t>(i)];
    const int left = tag.x - kTagBoxSize / 2;
    const int top = tag.y - kTagBoxSize / 2;
    if (local.x >= left && local.x < left + kTagBoxSize && local.y >= top &&
        local.y < top + kTagBoxSize) {
      draggedTag = i;
      selectedTag = i;
      tagGrabOffset = UPoint(local.x - left, local.y - top);
      return;
    }
  }
}

void CVelloEditor::DragTag(UPoint point) {
  UObjFrame* frame = EditedFrame();
  TFrameTag& tag = frame->tags[static_cast<size_t>(draggedTag)];
  const int64_t x =
      int64_t{point.x} - frame->origin.x - centre.x - tagGrabOffset.x + kTagBoxSize / 2;
  const int64_t y =
      int64_t{point.y} - frame->origin.y - centre.y - tagGrabOffset.y + kTagBoxSize / 2;
  tag.x = SaturateCast<int16_t>(x);
  tag.y = SaturateCast<int16_t>(y);
  RunEdited(kChangeTags, res::kStepMoveTag, m_DragKey);
}

void CVelloEditor::MouseDown(uint32_t flags, UPoint client) {
  leftDown = true;
  m_DragKey = NewMergeKey();
  const UPoint point = ClientToCanvas(client);
  mode = EditMode::Frame;
  if (EditedFrame() != nullptr) {
    if (tagMode) {
      PickTag(point);
    } else {
      PickPlacement(point, flags);
    }
  }
  Notify(kChangeSelection);
}

void CVelloEditor::MouseMove(uint32_t flags, UPoint client) {
  const UPoint point = ClientToCanvas(client);
  UObjFrame* frame = EditedFrame();
  if (frame != nullptr) {
    UPoint local(point.x - frame->origin.x - centre.x, point.y - frame->origin.y - centre.y);
    local = SnappedToGrid(local);
    if (bandDragging) {
      bandEnd = point;
    } else if (tagMode) {
      if (leftDown && tagFrame == selectedFrame && frame->tags.IsValidIndex(draggedTag)) {
        CloseRunUnless(m_DragKey);
        DragTag(point);
      }
    } else if (flags == kMouseLeft && leftDown) {
      if (TObjFrame* placement = frame->GetModule(selectedPlacement)) {
        CloseRunUnless(m_DragKey);
        // The placement under the pointer follows it; the rest of the selection keeps its place
        // beside it.
        MoveSelectedPlacements(int64_t{local.x} - grabOffset.x - placement->x,
                               int64_t{local.y} - grabOffset.y - placement->y);
        RunEdited(kChangePlacements, res::kStepMovePlacement, m_DragKey);
      }
    } else if (flags == kMouseMiddle && middleDown) {
      CloseRunUnless(m_DragKey);
      frame->collision = Normalised(m_CollisionAnchor, local);
      RunEdited(kChangeFrames, res::kStepCollision, m_DragKey);
    }
  }
  Status(StatusPane::World, PointText("World", point));
  Status(StatusPane::Local, PointText("Local", UPoint(point.x - centre.x, point.y - centre.y)));
  if (frame != nullptr) {
    Status(StatusPane::FrameLocal,
           PointText("FrameLocal", UPoint(point.x - centre.x - frame->origin.x,
                                          point.y - centre.y - frame->origin.y)));
  }
}

void CVelloEditor::MouseUp(uint32_t /*flags*/, UPoint /*client*/) {
  leftDown = false;
  if (bandDragging) {
    FinishBand();
  }
  // The drag is one step, recorded as it ends.
  CloseRun();
}

void CVelloEditor::MiddleDown(uint32_t /*flags*/, UPoint client) {
  const UPoint point = ClientToCanvas(client);
  middleDown = true;
  m_DragKey = NewMergeKey();
  if (UObjFrame* frame = EditedFrame()) {
    CloseRunUnless(m_DragKey);
    m_CollisionAnchor =
        UPoint(point.x - frame->origin.x - centre.x, point.y - frame->origin.y - centre.y);
    frame->collision = Normalised(m_CollisionAnchor, m_CollisionAnchor);
    RunEdited(kChangeFrames, res::kStepCollision, m_DragKey);
  }
}

void CVelloEditor::MiddleUp(uint32_t /*flags*/, UPoint client) {
  const UPoint point = ClientToCanvas(client);
  const bool wasDown = middleDown;
  middleDown = false;
  UObjFrame* frame = EditedFrame();
  if (wasDown && frame != nullptr) {
    CloseRunUnless(m_DragKey);
    const UPoint local(point.x - frame->origin.x - centre.x, point.y - frame->origin.y - centre.y);
    frame->collision = Normalised(m_CollisionAnchor, local);
    RunEdited(kChangeFrames, res::kStepCollision, m_DragKey);
  }
  CloseRun();
}

void CVelloEditor::KeyDown(Key key) {
  if (tagMode) {
    if (key == Key::Delete && EditedFrame() != nullptr &&
        EditedFrame()->tags.IsValidIndex(selectedTag) &&
        AskYes(UiText::tr("请确要删除这个 TAG 吗?").toStdString().c_str())) {
      DeleteTag(selectedTag);
    }
    return;
  }
  KeyDownPlacementMode(key);
}

void CVelloEditor::KeyDownPlacementMode(Key key) {
  switch (key) {
    case Key::Shift:
      shiftDown = true;
      break;
    case Key::Left:
      NudgePlacement(-1, 0);
      break;
    case Key::Up:
      NudgePlacement(0, -1);
      break;
    case Key::Right:
      NudgePlacement(1, 0);
      break;
    case Key::Down:
      NudgePlacement(0, 1);
      break;
    case Key::Delete:
      if (EditedFrame() != nullptr && EditedFrame()->GetModule(selectedPlacement) != nullptr &&
          AskYes(UiText::tr("请确要删除吗?").toStdString().c_str())) {
        DeletePlacement();
      }
      break;
    case Key::Pad2:
      NudgeFrame(0, 1);
      break;
    case Key::Pad4:
      NudgeFrame(-1, 0);
      break;
    case Key::Pad6:
      NudgeFrame(1, 0);
      break;
    case Key::Pad8:
      NudgeFrame(0, -1);
      break;
    case Key::PadPlus:
      SwapPlacements(selectedFrame, selectedPlacement, selectedPlacement + 1);
      break;
    case Key::PadMinus:
      SwapPlacements(selectedFrame, selectedPlacement, selectedPlacement - 1);
      break;
    case Key::F5:
      if (playTime >= 0.0f) {
        const auto time = static_cast<uint32_t>(playTime);
        if (shiftDown) {
          DeleteEmptyTime(time);
        } else {
          InsertEmptyTime(time);
        }
      }
      break;
    case Key::Other:
      break;
  }
}

void CVelloEditor::KeyUp(Key key) {
  if (key == Key::Shift) {
    shiftDown = false;
  }
}

void CVelloEditor::FlipHorizontal() {
  FlipFrame(true);
}

void CVelloEditor::FlipVertical() {
  FlipFrame(false);
}

void CVelloEditor::FlipFrame(bool horizontal) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  if (selectedPlacements.size() > 1) {
    FlipPlacementGroup(horizontal);
    return;
  }
  // A picture laid on its side by a quarter turn is mirrored on screen by the other flip.
  auto toggle = [horizontal](TObjFrame& placement) {
    const bool onSide = (placement.affine.Rotate & 1u) != 0;
    uint32_t& flip = (horizontal != onSide) ? placement.affine.FlipX : placement.affine.FlipY;
    flip ^= 1u;
  };
  if (TObjFrame* placement = frame->GetModule(selectedPlacement)) {
    toggle(*placement);
    ChangedBlend(kChangePlacements, horizontal ? res::kStepFlipHorizontal : res::kStepFlipVertical);
    return;
  }
  for (TObjFrame& placement : frame->placements) {
    float width = 0;
    float height = 0;
    float angle = 0;
    if (!PlacementShape(placement, &width, &height, &angle)) {
      continue;
    }
    // Mirrored about the frame's axis, the drawn box keeps its size.
    if (horizontal) {
      const int drawn = SaturateCast<int32_t>(width);
      placement.x = SaturateCast<int16_t>(-int64_t{placement.x} - drawn / 2 * 2);
    } else {
      const int drawn = SaturateCast<int32_t>(height);
      placement.y = SaturateCast<int16_t>(-int64_t{placement.y} - drawn / 2 * 2);
    }
    toggle(placement);
    if (placement.affine.RotateAngleEnable != 0) {
      placement.RotateAngle = -placement.RotateAngle;
    }
  }
  if (horizontal) {
    frame->collision.MirrorX(0);
  } else {
    frame->collision.MirrorY(0);
  }
  ChangedBlend(kChangePlacements | kChangeFrames,
               horizontal ? res::kStepFlipHorizontal : res::kStepFlipVertical);
}
