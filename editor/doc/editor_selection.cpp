// Several placements selected at once: the selection itself, the box-select tool, and the moves,
// flips, turns, deletions and field edits that act on the whole group as one step.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/foundation/saturate.h"
#include "editor/doc/placement_fields.h"
#include "editor/doc/turned_box.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

constexpr uint32_t kSelectionColor = 0xFF00FF00u;
constexpr uint32_t kGroupColor = 0xFF00FFFFu;
constexpr uint32_t kBandColor = 0xFFFFFF00u;

URect Normalised(UPoint a, UPoint b) {
  return URect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

RwV2d V2(float x, float y) {
  return {x, y};
}

}  // namespace

void CVelloEditor::SetPlacementSet(std::vector<int32_t> indices, int32_t primary) {
  const UObjFrame* frame = EditedFrame();
  std::erase_if(indices, [frame](int32_t index) {
    return frame == nullptr || frame->GetModule(index) == nullptr;
  });
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  ClearPlacementSelection();
  selectedPlacements = std::move(indices);
  if (!selectedPlacements.empty()) {
    selectedPlacement =
        std::binary_search(selectedPlacements.begin(), selectedPlacements.end(), primary)
            ? primary
            : selectedPlacements.back();
    SelectedPlacementBox(&placementRect, &placementAngle);
  }
}

void CVelloEditor::SayPlacementCount() {
  if (selectedPlacements.size() > 1) {
    char text[64];
    std::snprintf(text, sizeof(text), UiText::Utf8(res::kPlacementsSelected).c_str(),
                  static_cast<int>(selectedPlacements.size()));
    Status(StatusPane::Prompt, text);
  }
}

void CVelloEditor::SetPlacementSelection(const std::vector<int32_t>& indices) {
  SetPlacementSelection(indices, selectedPlacement);
}

void CVelloEditor::SetPlacementSelection(const std::vector<int32_t>& indices, int32_t primary) {
  if (EditedFrame() == nullptr) {
    return;
  }
  // Like picking one placement: playback stops and the frame page shows.
  Stop();
  mode = EditMode::Frame;
  SetPlacementSet(indices, primary);
  Notify(kChangeSelection);
  SayPlacementCount();
}

void CVelloEditor::SelectAllPlacements() {
  const UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  std::vector<int32_t> all(static_cast<size_t>(frame->GetModuleSize()));
  for (size_t i = 0; i < all.size(); ++i) {
    all[i] = static_cast<int32_t>(i);
  }
  SetPlacementSelection(all);
}

void CVelloEditor::TogglePlacementSelection(int32_t index) {
  std::vector<int32_t> toggled = selectedPlacements;
  if (std::erase(toggled, index) == 0) {
    toggled.push_back(index);
  }
  SetPlacementSelection(toggled, index);
}

void CVelloEditor::ToggleBoxSelect() {
  boxSelect = !boxSelect;
  bandDragging = false;
  Notify(kChangeTools);
}

bool CVelloEditor::SelectionBand(URect* band) const {
  if (bandDragging) {
    *band = Normalised(bandStart, bandEnd);
  }
  return bandDragging;
}

void CVelloEditor::StartBand(UPoint point, bool adding) {
  bandDragging = true;
  bandStart = point;
  bandEnd = point;
  bandAdding = adding;
  bandBase = adding ? selectedPlacements : std::vector<int32_t>();
}

void CVelloEditor::FinishBand() {
  bandDragging = false;
  const UObjFrame* frame = EditedFrame();
  if (frame == nullptr) {
    return;
  }
  const UPoint offset(frame->origin.x + centre.x, frame->origin.y + centre.y);
  if (bandStart == bandEnd) {
    // A click without a drag picks as a click does without the tool.
    const int32_t hit = PlacementAt(UPoint(bandStart.x - offset.x, bandStart.y - offset.y), false);
    if (bandAdding) {
      TogglePlacementSelection(hit);
    } else {
      SetPlacementSelection({hit}, hit);
    }
    return;
  }
  const URect band = Normalised(bandStart, bandEnd);
  std::vector<int32_t> touched = bandBase;
  for (int32_t i = 0; i < frame->GetModuleSize(); ++i) {
    URect box(0, 0, 0, 0);
    float angle = 0;
    if (PlacementBoxAt(i, &box, &angle) &&
        TouchesRect(
            TurnBox(static_cast<float>(box.left + offset.x), static_cast<float>(box.top + offset.y),
                    static_cast<float>(box.GetWidth()), static_cast<float>(box.GetHeight()), angle),
            static_cast<float>(band.left), static_cast<float>(band.top),
            static_cast<float>(band.right), static_cast<float>(band.bottom))) {
      touched.push_back(i);
    }
  }
  SetPlacementSelection(touched, selectedPlacement);
}

bool CVelloEditor::PlacementBoxAt(int32_t index, URect* box, float* angle) const {
  const UObjFrame* frame = EditedFrame();
  const TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(index);
  float width = 0;
  float height = 0;
  if (placement == nullptr || !PlacementShape(*placement, &width, &height, angle)) {
    return false;
  }
  *box = URect(placement->x, placement->y, SaturateCast<int32_t>(placement->x + std::lround(width)),
               SaturateCast<int32_t>(placement->y + std::lround(height)));
  return true;
}

bool CVelloEditor::PlacementSelectionBox(URect* box) const {
  bool any = false;
  for (const int32_t index : selectedPlacements) {
    URect one(0, 0, 0, 0);
    float angle = 0;
    if (!PlacementBoxAt(index, &one, &angle)) {
      continue;
    }
    if (angle != 0.0f) {
      // A freely turned placement reaches as far as its turned corners.
      one = TurnedBounds(static_cast<float>(one.left), static_cast<float>(one.top),
                         static_cast<float>(one.GetWidth()), static_cast<float>(one.GetHeight()),
                         angle);
    }
    *box = any ? URect(std::min(box->left, one.left), std::min(box->top, one.top),
                       std::max(box->right, one.right), std::max(box->bottom, one.bottom))
               : one;
    any = true;
  }
  return any;
}

void CVelloEditor::DrawPlacementSelection(float originX, float originY) {
  for (const int32_t index : selectedPlacements) {
    URect box(0, 0, 0, 0);
    float angle = 0;
    if (PlacementBoxAt(index, &box, &angle)) {
      viewCanvas.DrawBox(
          V2(originX + static_cast<float>(box.left), originY + static_cast<float>(box.top)),
          V2(static_cast<float>(box.GetWidth()), static_cast<float>(box.GetHeight())), angle,
          kSelectionColor, 1);
    }
  }
  URect group(0, 0, 0, 0);
  if (selectedPlacements.size() > 1 && PlacementSelectionBox(&group)) {
    viewCanvas.DrawRect(originX + static_cast<float>(group.left) - 1,
                        originY + static_cast<float>(group.top) - 1,
                        originX + static_cast<float>(group.right) + 1,
                        originY + static_cast<float>(group.bottom) + 1, kGroupColor);
  }
  URect band(0, 0, 0, 0);
  if (SelectionBand(&band)) {
    viewCanvas.DrawRect(static_cast<float>(band.left), static_cast<float>(band.top),
                        static_cast<float>(band.right), static_cast<float>(band.bottom),
                        kBandColor);
  }
}

void CVelloEditor::MoveSelectedPlacements(int64_t dx, int64_t dy) {
  UObjFrame* frame = EditedFrame();
  for (const int32_t index : selectedPlacements) {
    if (TObjFrame* placement = frame == nullptr ? nullptr : frame->GetModule(index)) {
      placement->x = SaturateCast<int16_t>(placement->x + dx);
      placement->y = SaturateCast<int16_t>(placement->y + dy);
    }
  }
  SelectedPlacementBox(&placementRect, &placementAngle);
}

void CVelloEditor::DeleteSelectedPlacements() {
  UObjFrame* frame = EditedFrame();
  // From the last one down, so the indices still to go keep naming their placements.
  for (auto index = selectedPlacements.rbegin();
       frame != nullptr && index != selectedPlacements.rend(); ++index) {
    frame->DelModule(*index);
  }
  ClearPlacementSelection();
  ChangedBlend(kChangePlacements | kChangeSelection, res::kStepDeletePlacement);
}

void CVelloEditor::FlipPlacementGroup(bool horizontal) {
  UObjFrame* frame = EditedFrame();
  URect group(0, 0, 0, 0);
  if (frame == nullptr || !PlacementSelectionBox(&group)) {
    return;
  }
  for (const int32_t index : selectedPlacements) {
    URect box(0, 0, 0, 0);
    float angle = 0;
    if (!PlacementBoxAt(index, &box, &angle)) {
      continue;
    }
    TObjFrame& placement = *frame->GetModule(index);
    // Mirrored about the group's middle, each box keeps its size: its far edge comes to where
    // its near edge was, seen from the other side.
    if (horizontal) {
      placement.x = SaturateCast<int16_t>(int64_t{group.left} + group.right - box.right);
    } else {
      placement.y = SaturateCast<int16_t>(int64_t{group.top} + group.bottom - box.bottom);
    }
    // A picture laid on its side by a quarter turn is mirrored on screen by the other flip.
    const bool onSide = (placement.affine.Rotate & 1u) != 0;
    uint32_t& flip = (horizontal != onSide) ? placement.affine.FlipX : placement.affine.FlipY;
    flip ^= 1u;
    if (placement.affine.RotateAngleEnable != 0) {
      placement.RotateAngle = -placement.RotateAngle;
    }
  }
  ChangedBlend(kChangePlacements, horizontal ? res::kStepFlipHorizontal : res::kStepFlipVertical);
}

void CVelloEditor::TurnPlacementGroup() {
  UObjFrame* frame = EditedFrame();
  URect group(0, 0, 0, 0);
  if (frame == nullptr || !PlacementSelectionBox(&group)) {
    return;
  }
  // Centres are kept doubled, so that they stay whole numbers.
  const int64_t groupX2 = int64_t{group.left} + group.right;
  const int64_t groupY2 = int64_t{group.top} + group.bottom;
  for (const int32_t index : selectedPlacements) {
    URect box(0, 0, 0, 0);
    float angle = 0;
    if (!PlacementBoxAt(index, &box, &angle)) {
      continue;
    }
    // A quarter turn clockwise on screen (y grows downward) takes (dx, dy) to (-dy, dx).
    const int64_t dx2 = int64_t{box.left} + box.right - groupX2;
    const int64_t dy2 = int64_t{box.top} + box.bottom - groupY2;
    TObjFrame& placement = *frame->GetModule(index);
    placement.affine.Rotate = (placement.affine.Rotate + 1) & 3u;
    PlacementBoxAt(index, &box, &angle);  // its size after the quarter turn
    const int64_t centreX2 = groupX2 - dy2;
    const int64_t centreY2 = groupY2 + dx2;
    placement.x = SaturateCast<int16_t>((centreX2 - box.GetWidth()) / 2);
    placement.y = SaturateCast<int16_t>((centreY2 - box.GetHeight()) / 2);
  }
  SelectedPlacementBox(&placementRect, &placementAngle);
  ChangedBlend(kChangePlacements, res::kStepRotate);
}

uint32_t CVelloEditor::DifferingPlacementFields() const {
  const UObjFrame* frame = EditedFrame();
  const TObjFrame* first = frame == nullptr ? nullptr : frame->GetModule(selectedPlacement);
  uint32_t differing = 0;
  for (const int32_t index : selectedPlacements) {
    const TObjFrame* other = first == nullptr ? nullptr : frame->GetModule(index);
    for (uint32_t field = 0;
         other != nullptr && field < static_cast<uint32_t>(PlacementField::Count); ++field) {
      if (!SamePlacementField(static_cast<PlacementField>(field), *first, *other)) {
        differing |= 1u << field;
      }
    }
  }
  return differing;
}

void CVelloEditor::SetSelectedPlacementsField(uint32_t field, const TObjFrame& values) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr || field == static_cast<uint32_t>(PlacementField::Module) ||
      field >= static_cast<uint32_t>(PlacementField::Count)) {
    return;
  }
  for (const int32_t index : selectedPlacements) {
    if (TObjFrame* placement = frame->GetModule(index)) {
      CopyPlacementField(static_cast<PlacementField>(field), values, *placement);
    }
  }
  FieldsEdited(kChangeFrames | kChangePlacements, res::kStepEditFrame);
}
