// The onion skin: the frames before and after the shown one, drawn faint and tinted behind it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// Earlier frames lean red, later ones green (0x00RRGGBB); texels are first mixed this far toward
// white (of 255), so every colour of a sprite takes the tint instead of darkening under it.
constexpr uint32_t kEarlierTint = 0x00FF3030u;
constexpr uint32_t kLaterTint = 0x0020D850u;
constexpr int kGhostWhiten = 170;
// Opacity of a ghost by its distance from the shown frame: 1, 2, 3.
constexpr uint32_t kGhostAlpha[CVelloEditor::kMaxOnionSkinFrames] = {0x70, 0x48, 0x28};

}  // namespace

void CVelloEditor::SetOnionSkin(bool shown) {
  if (m_OnionSkin == shown) {
    return;
  }
  m_OnionSkin = shown;
  Status(StatusPane::Prompt, UiText::Utf8(shown ? res::kOnionSkinShown : res::kOnionSkinHidden));
  Notify(kChangeTools);
}

void CVelloEditor::ToggleOnionSkin() {
  SetOnionSkin(!m_OnionSkin);
}

void CVelloEditor::SetOnionSkinFrames(int frames) {
  if (frames < 1 || frames > kMaxOnionSkinFrames || frames == m_OnionSkinFrames) {
    return;
  }
  m_OnionSkinFrames = frames;
  Status(StatusPane::Prompt, UiText::Utf8(res::kOnionSkinFramesSet) + std::to_string(frames));
  Notify(kChangeTools);
}

void CVelloEditor::OnionSkinNeighbours(std::vector<int>* earlier, std::vector<int>* later) const {
  earlier->clear();
  later->clear();
  if (!m_OnionSkin || isPlaying || actor == nullptr || !actor->frames.IsValidIndex(shownFrame)) {
    return;
  }
  // A key's neighbours are the frames of the keys around it; any other frame's are the frames
  // beside it in the list.
  const UObjAction* action = actor->actions.IsValidIndex(selectedAction)
                                 ? actor->actions[static_cast<size_t>(selectedAction)]
                                 : nullptr;
  const bool shownAsKey =
      action != nullptr && action->keys.IsValidIndex(selectedActionFrame) &&
      static_cast<int>(action->keys[static_cast<size_t>(selectedActionFrame)].frame) == shownFrame;
  const int origin = shownAsKey ? selectedActionFrame : shownFrame;
  const int count = shownAsKey ? action->keys.Num() : actor->frames.Num();
  const auto frameAt = [&](int position) {
    if (position < 0 || position >= count) {
      return -1;
    }
    const int frame =
        shownAsKey ? static_cast<int>(action->keys[static_cast<size_t>(position)].frame) : position;
    // A neighbour that is the shown frame again would only blur it.
    return actor->frames.IsValidIndex(frame) && frame != shownFrame ? frame : -1;
  };
  for (int distance = 1; distance <= m_OnionSkinFrames; ++distance) {
    earlier->push_back(frameAt(origin - distance));
    later->push_back(frameAt(origin + distance));
  }
}

void CVelloEditor::AddOnionSkinToBackdropKey(std::vector<int32_t>* key) const {
  std::vector<int> earlier;
  std::vector<int> later;
  OnionSkinNeighbours(&earlier, &later);
  if (earlier.empty()) {
    return;
  }
  // Every change to the actor (a ghost's placements, modules, textures) moves the serial.
  key->push_back(static_cast<int32_t>(m_EditSerial & 0xFFFFFFFFu));
  key->push_back(static_cast<int32_t>(m_EditSerial >> 32));
  key->insert(key->end(), earlier.begin(), earlier.end());
  key->insert(key->end(), later.begin(), later.end());
}

void CVelloEditor::RenderOnionSkin() {
  std::vector<int> earlier;
  std::vector<int> later;
  OnionSkinNeighbours(&earlier, &later);
  // The farthest first, so that nearer ghosts lie over farther ones.
  for (auto distance = static_cast<int>(earlier.size()); distance >= 1; --distance) {
    const uint32_t alpha = kGhostAlpha[distance - 1] << 24;
    for (const auto& [frame, tint] :
         {std::pair{earlier[static_cast<size_t>(distance - 1)], kEarlierTint},
          std::pair{later[static_cast<size_t>(distance - 1)], kLaterTint}}) {
      if (frame >= 0) {
        viewCanvas.SetSurfaceTint(alpha | tint, kGhostWhiten);
        actor->RenderFrame(&viewCanvas, &textureSurfaces, centre, frame);
      }
    }
  }
  viewCanvas.SetSurfaceTint(0xFFFFFFFFu, 0);
}
