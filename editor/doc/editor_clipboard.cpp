// Copy, cut and paste of placements, frames, keys, actions and modules, and the placing of a
// module dropped on the view. Items travel as CClipItems: their records with the textures and
// modules they use, so that a paste into another document brings along what it needs.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/foundation/saturate.h"
#include "core/foundation/text_codec.h"
#include "editor/doc/clipboard_items.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/placement_fields.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

// A placement pasted onto the frame it came from moves by this much, so that the copy shows.
constexpr int kPasteOffset = 8;

// Gathers records of a source actor into clipboard items, each texture, module and frame once,
// renumbering the indices between them.
class CClipCollector {
 public:
  CClipCollector(const UObjActor& source, std::vector<std::string> texturePaths, ClipKind kind)
      : m_Source(source), m_Paths(std::move(texturePaths)) {
    m_Clip.kind = kind;
    m_Clip.items = std::make_unique<UObjActor>();
    m_Clip.items->Init();
    m_Clip.items->name = source.name;
  }

  int Texture(int index) {
    const auto [found, added] = m_Textures.try_emplace(index, m_Clip.items->textures.Num());
    if (added) {
      m_Clip.items->AddTexture(m_Source.textures[static_cast<size_t>(index)]);
      const auto path = static_cast<size_t>(index);
      m_Clip.texturePaths.push_back(path < m_Paths.size() ? m_Paths[path] : std::string());
    }
    return found->second;
  }

  // -1 for a module that is not there or whose texture is not.
  int Module(int index) {
    if (!m_Source.modules.IsValidIndex(index)) {
      return -1;
    }
    const auto known = m_Modules.find(index);
    if (known != m_Modules.end()) {
      return known->second;
    }
    const UObjModule& module = *m_Source.modules[static_cast<size_t>(index)];
    if (!m_Source.textures.IsValidIndex(module.texture)) {
      return -1;
    }
    auto* copy = new UObjModule(module);
    copy->texture = static_cast<uint16_t>(Texture(module.texture));
    const int added = m_Clip.items->AddModule(copy);
    m_Modules[index] = added;
    return added;
  }

  // A copy of `frame` whose placements name the collected modules; placements of modules that
  // are not there stay behind.
  UObjFrame* CopyFrame(const UObjFrame& frame) {
    auto* copy = new UObjFrame(frame);
    copy->placements.clear();
    for (const TObjFrame& placement : frame.placements) {
      AddPlacement(*copy, placement);
    }
    return copy;
  }

  void AddPlacement(UObjFrame& frame, const TObjFrame& placement) {
    const int module = Module(placement.module);
    if (module >= 0) {
      TObjFrame copy = placement;
      copy.module = static_cast<uint16_t>(module);
      frame.placements.push_back(copy);
    }
  }

  // -1 for a frame that is not there.
  int Frame(uint32_t index) {
    if (index >= static_cast<uint32_t>(m_Source.frames.Num())) {
      return -1;
    }
    const auto [found, added] = m_Frames.try_emplace(index, m_Clip.items->frames.Num());
    if (added) {
      m_Clip.items->AddFrame(CopyFrame(*m_Source.frames[index]));
    }
    return found->second;
  }

  // A copy of `action` with `keys` of it (all when empty), their frames collected; keys of
  // frames that are not there stay behind. Times move back by `earliest`.
  UObjAction* CopyAction(const UObjAction& action, const std::vector<int32_t>& keys,
                         uint32_t earliest) {
    auto* copy = new UObjAction(action);
    copy->keys.clear();
    for (int i = 0; i < action.keys.Num(); ++i) {
      if (!keys.empty() && std::find(keys.begin(), keys.end(), i) == keys.end()) {
        continue;
      }
      TActionFrame key = action.keys[static_cast<size_t>(i)];
      const int frame = Frame(key.frame);
      if (frame >= 0) {
        key.frame = static_cast<uint32_t>(frame);
        key.time -= earliest;
        copy->keys.push_back(key);
      }
    }
    return copy;
  }

  CClipItems& Clip() { return m_Clip; }

 private:
  const UObjActor& m_Source;
  std::vector<std::string> m_Paths;
  CClipItems m_Clip;
  std::map<int, int> m_Textures;
  std::map<int, int> m_Modules;
  std::map<uint32_t, int> m_Frames;
};

// Valid indices of a list of `count`, once each, in order.
std::vector<int32_t> ValidIndices(std::vector<int32_t> indices, int count) {
  std::erase_if(indices, [count](int32_t i) { return i < 0 || i >= count; });
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

std::vector<unsigned char> StoredFrame(const UObjFrame& frame) {
  UArchiveMemory ar;
  ar << frame;
  ar.Close();
  return ar.GetBuffer();
}

// "walk" and "walk 3" both have the stem "walk".
std::string NameStem(const std::string& name) {
  const size_t space = name.find_last_of(' ');
  if (space == std::string::npos || space + 1 == name.size() ||
      name.find_first_not_of("0123456789", space + 1) != std::string::npos) {
    return name;
  }
  return name.substr(0, space);
}

std::string Formatted(const char* format, int count, const std::string& text) {
  char buffer[256];
  std::snprintf(buffer, sizeof(buffer), format, count, text.c_str());
  return buffer;
}

}  // namespace

std::optional<CClipItems> CVelloEditor::CopyItems(ClipKind kind,
                                                  const std::vector<int32_t>& indices) const {
  if (actor == nullptr) {
    return std::nullopt;
  }
  CClipCollector collect(*actor, m_TexturePaths, kind);
  UObjActor& items = *collect.Clip().items;
  switch (kind) {
    case ClipKind::Placements: {
      const UObjFrame* frame = EditedFrame();
      if (frame == nullptr) {
        return std::nullopt;
      }
      auto* copy = new UObjFrame();
      copy->name = frame->name;
      for (const int32_t i : ValidIndices(indices, frame->placements.Num())) {
        collect.AddPlacement(*copy, frame->placements[static_cast<size_t>(i)]);
      }
      items.AddFrame(copy);
      collect.Clip().sourceFrame = selectedFrame;
      break;
    }
    case ClipKind::Frames:
      for (const int32_t i : ValidIndices(indices, actor->frames.Num())) {
        collect.Frame(static_cast<uint32_t>(i));
      }
      break;
    case ClipKind::Keys: {
      const UObjAction* action = actor->actions.IsValidIndex(selectedAction)
                                     ? actor->actions[static_cast<size_t>(selectedAction)]
                                     : nullptr;
      const std::vector<int32_t> keys =
          action == nullptr ? std::vector<int32_t>() : ValidIndices(indices, action->keys.Num());
      if (keys.empty()) {
        return std::nullopt;
      }
      const uint32_t first = action->keys[static_cast<size_t>(keys.front())].time;
      // The pasted keys take the room up to the key after the last one copied (one tick for the
      // action's last key).
      const auto after = static_cast<size_t>(keys.back()) + 1;
      const uint64_t end = after < action->keys.size() ? action->keys[after].time
                                                       : uint64_t{action->keys[after - 1].time} + 1;
      collect.Clip().span = SaturateCast<uint32_t>(end - first);
      items.AddAction(collect.CopyAction(*action, keys, first));
      break;
    }
    case ClipKind::Actions:
      for (const int32_t i : ValidIndices(indices, actor->actions.Num())) {
        items.AddAction(collect.CopyAction(*actor->actions[static_cast<size_t>(i)], {}, 0));
      }
      break;
    case ClipKind::Modules:
      for (const int32_t i : ValidIndices(indices, actor->modules.Num())) {
        collect.Module(i);
      }
      break;
  }
  // Round trip through the checks a reader makes: what cannot be pasted is not copied.
  std::string problem;
  CClipItems checked;
  const std::vector<unsigned char> bytes = EncodeClipItems(collect.Clip());
  if (!DecodeClipItems(bytes.data(), bytes.size(), &checked, &problem)) {
    return std::nullopt;
  }
  return checked;
}

void CVelloEditor::CutItems(ClipKind kind, const std::vector<int32_t>& indices) {
  if (actor == nullptr) {
    return;
  }
  switch (kind) {
    case ClipKind::Placements: {
      UObjFrame* frame = EditedFrame();
      const std::vector<int32_t> removed = frame == nullptr
                                               ? std::vector<int32_t>()
                                               : ValidIndices(indices, frame->placements.Num());
      if (removed.empty()) {
        return;
      }
      for (auto i = removed.rbegin(); i != removed.rend(); ++i) {
        frame->DelModule(*i);
      }
      ClearPlacementSelection();
      ChangedBlend(kChangePlacements | kChangeSelection, res::kStepCut);
      return;
    }
    // The other lists select one item at a time: their own delete is the one step.
    case ClipKind::Frames:
      for (const int32_t i : indices) {
        DeleteFrame(i);
      }
      return;
    case ClipKind::Keys:
      for (const int32_t i : indices) {
        DeleteActionKey(selectedAction, i);
      }
      return;
    case ClipKind::Actions:
      for (const int32_t i : indices) {
        DeleteAction(i);
      }
      return;
    case ClipKind::Modules:
      for (const int32_t i : indices) {
        DeleteModule(i);
      }
      return;
  }
}

bool CVelloEditor::CanPasteItems(ClipKind kind) const {
  if (actor == nullptr) {
    return false;
  }
  switch (kind) {
    case ClipKind::Placements:
      return EditedFrame() != nullptr;
    case ClipKind::Keys:
      return actor->actions.IsValidIndex(selectedAction);
    default:
      return true;
  }
}

int CVelloEditor::MergeClipTexture(const CClipItems& clip, int index,
                                   const std::string& documentFolder, std::string* notes) {
  const TTextureInfo& record = clip.items->textures[static_cast<size_t>(index)];
  const std::string name = RecordFileName(record);
  for (int i = 0; i < actor->textures.Num(); ++i) {
    if (RecordFileName(actor->textures[static_cast<size_t>(i)]) == name) {
      return i;
    }
  }
  // A texture the document lacks: its record by its file name, its picture from where the
  // copying editor found it, else from where this document's textures are looked for.
  const std::string folder = documentFolder.empty() ? currentDirectory : documentFolder;
  const std::string beside = (std::filesystem::path(folder) / name).string();
  const std::string candidates[] = {clip.texturePaths[static_cast<size_t>(index)], beside,
                                    (std::filesystem::path(currentDirectory) / name).string()};
  USurface* surface = nullptr;
  std::string found;
  for (const std::string& candidate : candidates) {
    if (!candidate.empty() &&
        (surface = viewCanvasUtil.CreateUSurfaceFromFile(candidate.c_str(), 0, 0)) != nullptr) {
      found = std::filesystem::absolute(candidate).lexically_normal().string();
      break;
    }
  }
  textureSurfaces.push_back(surface);
  m_TextureOwners.push_back(AdoptSurface(surface));
  m_TexturePaths.push_back(found);
  actor->AddTexture(record);
  std::error_code error;
  if (!std::filesystem::exists(beside, error)) {
    char text[1024];
    std::snprintf(text, sizeof(text), UiText::Utf8(res::kTextureNotBeside).c_str(), name.c_str(),
                  folder.c_str());
    *notes += (notes->empty() ? "" : " ") + std::string(text);
  }
  return actor->textures.Num() - 1;
}

std::vector<int> CVelloEditor::MergeClipModules(const CClipItems& clip, bool reuse,
                                                const std::string& documentFolder,
                                                std::string* notes) {
  std::map<int, int> textures;
  std::vector<int> modules;
  for (const UObjModule* module : clip.items->modules) {
    auto texture = textures.find(module->texture);
    if (texture == textures.end()) {
      texture = textures
                    .emplace(module->texture,
                             MergeClipTexture(clip, module->texture, documentFolder, notes))
                    .first;
    }
    UObjModule wanted = *module;
    wanted.texture = static_cast<uint16_t>(texture->second);
    const auto same =
        std::find_if(actor->modules.begin(), actor->modules.end(), [&wanted](const UObjModule* m) {
          return m != nullptr && m->texture == wanted.texture && m->left == wanted.left &&
                 m->top == wanted.top && m->right == wanted.right && m->bottom == wanted.bottom;
        });
    if (reuse && same != actor->modules.end()) {
      modules.push_back(static_cast<int>(same - actor->modules.begin()));
    } else {
      modules.push_back(actor->AddModule(new UObjModule(wanted)));
    }
  }
  return modules;
}

UObjFrame* CVelloEditor::MergedClipFrame(const UObjFrame& frame, const std::vector<int>& modules) {
  auto* merged = new UObjFrame(frame);
  for (TObjFrame& placement : merged->placements) {
    placement.module = SaturateCast<uint16_t>(modules[placement.module]);
  }
  return merged;
}

std::vector<int> CVelloEditor::MergeClipFrames(const CClipItems& clip,
                                               const std::vector<int>& modules) {
  std::vector<int> frames;
  for (const UObjFrame* frame : clip.items->frames) {
    UObjFrame* merged = MergedClipFrame(*frame, modules);
    const std::vector<unsigned char> stored = StoredFrame(*merged);
    const auto same = std::find_if(
        actor->frames.begin(), actor->frames.end(),
        [&stored](const UObjFrame* f) { return f != nullptr && StoredFrame(*f) == stored; });
    if (same != actor->frames.end()) {
      frames.push_back(static_cast<int>(same - actor->frames.begin()));
      delete merged;
    } else {
      frames.push_back(actor->AddFrame(merged));
    }
  }
  return frames;
}

std::vector<int32_t> CVelloEditor::PasteItems(const CClipItems& clip,
                                              const std::string& documentFolder) {
  if (!CanPasteItems(clip.kind) || !clip.items) {
    return {};
  }
  std::string notes;
  const std::vector<int> modules =
      MergeClipModules(clip, clip.kind != ClipKind::Modules, documentFolder, &notes);
  std::vector<int32_t> pasted;
  uint32_t changes = kChangeTextures | kChangeModules | kChangeSelection;
  switch (clip.kind) {
    case ClipKind::Placements:
      pasted = PastePlacements(*clip.items->frames[0], clip.sourceFrame, modules);
      changes |= kChangePlacements;
      break;
    case ClipKind::Frames: {
      pasted = PasteFrames(clip, modules);
      changes |= kChangeFrames | kChangeActionKeys;
      break;
    }
    case ClipKind::Keys: {
      const std::vector<int> frames = MergeClipFrames(clip, modules);
      pasted = PasteKeys(*clip.items->actions[0], clip.span, frames);
      changes |= kChangeFrames | kChangeActionKeys | kChangePlayTime;
      break;
    }
    case ClipKind::Actions: {
      const std::vector<int> frames = MergeClipFrames(clip, modules);
      pasted = PasteActions(clip, frames);
      changes |= kChangeFrames | kChangeActions | kChangeActionKeys | kChangeTools;
      break;
    }
    case ClipKind::Modules:
      pasted.assign(modules.begin(), modules.end());
      selectedModule = pasted.back();
      mode = EditMode::Module;
      break;
  }
  ChangedBlend(changes, res::kStepPaste);
  Status(StatusPane::Prompt,
         Formatted(UiText::Utf8(res::kPastedItems).c_str(), static_cast<int>(pasted.size()),
                   UiText::Utf8(ClipKindText(clip.kind)).c_str()) +
             (notes.empty() ? "" : " " + notes));
  return pasted;
}

std::vector<int32_t> CVelloEditor::PastePlacements(const UObjFrame& placements, int32_t sourceFrame,
                                                   const std::vector<int>& modules) {
  UObjFrame* frame = EditedFrame();
  std::vector<TObjFrame> added;
  for (const TObjFrame& placement : placements.placements) {
    TObjFrame copy = placement;
    copy.module = SaturateCast<uint16_t>(modules[placement.module]);
    added.push_back(copy);
  }
  // Back onto their own frame, over themselves, the copies would not show.
  const bool over = sourceFrame == selectedFrame &&
                    std::all_of(added.begin(), added.end(), [frame](const TObjFrame& p) {
                      return std::find(frame->placements.begin(), frame->placements.end(), p) !=
                             frame->placements.end();
                    });
  std::vector<int32_t> pasted;
  for (TObjFrame& placement : added) {
    if (over) {
      placement.x = SaturateCast<int16_t>(placement.x + kPasteOffset);
      placement.y = SaturateCast<int16_t>(placement.y + kPasteOffset);
    }
    pasted.push_back(frame->placements.Num());
    frame->placements.push_back(placement);
  }
  Stop();
  mode = EditMode::Frame;
  SetPlacementSet(pasted, pasted.back());
  SelectedPlacementBox(&placementRect, &placementAngle);
  return pasted;
}

std::vector<int32_t> CVelloEditor::PasteFrames(const CClipItems& clip,
                                               const std::vector<int>& modules) {
  const int at =
      actor->frames.IsValidIndex(selectedFrame) ? selectedFrame + 1 : actor->frames.Num();
  const int count = clip.items->frames.Num();
  // Keys show frames by index: those after the insertion point move along.
  for (UObjAction* action : actor->actions) {
    for (TActionFrame& key : action->keys) {
      if (key.frame >= static_cast<uint32_t>(at) && key.frame < static_cast<uint32_t>(INT_MAX)) {
        key.frame += static_cast<uint32_t>(count);
      }
    }
  }
  const auto follow = [at, count](int32_t& index) {
    if (index >= at) {
      index += count;
    }
  };
  follow(shownFrame);
  follow(tagFrame);
  std::vector<int32_t> pasted;
  for (int i = 0; i < count; ++i) {
    actor->frames.insert(actor->frames.begin() + at + i,
                         MergedClipFrame(*clip.items->frames[static_cast<size_t>(i)], modules));
    pasted.push_back(at + i);
  }
  SetFrameSelection(pasted.back());
  return pasted;
}

std::vector<int32_t> CVelloEditor::PasteKeys(const UObjAction& keys, uint32_t span,
                                             const std::vector<int>& frames) {
  UObjAction* action = ActionAt(selectedAction);
  const auto at = static_cast<uint32_t>(std::max(0.0f, playTime));
  for (TActionFrame& key : action->keys) {
    if (key.time >= at) {
      key.time = key.time > UINT32_MAX - span ? UINT32_MAX : key.time + span;
    }
  }
  for (const TActionFrame& key : keys.keys) {
    TActionFrame copy = key;
    copy.time = copy.time > UINT32_MAX - at ? UINT32_MAX : copy.time + at;
    copy.frame = static_cast<uint32_t>(frames[key.frame]);
    action->InsFrame(copy);
  }
  std::vector<int32_t> pasted;
  for (int i = 0; i < action->keys.Num(); ++i) {
    const uint32_t time = action->keys[static_cast<size_t>(i)].time;
    if (time >= at && time - at < span) {
      pasted.push_back(i);
    }
  }
  isPlaying = false;
  mode = EditMode::Frame;
  selectedActionFrame = pasted.empty() ? -1 : pasted.back();
  if (selectedActionFrame >= 0) {
    SetFrameSelection(
        static_cast<int32_t>(action->keys[static_cast<size_t>(selectedActionFrame)].frame));
  }
  return pasted;
}

std::vector<int32_t> CVelloEditor::PasteActions(const CClipItems& clip,
                                                const std::vector<int>& frames) {
  std::vector<int32_t> pasted;
  for (const UObjAction* source : clip.items->actions) {
    auto* action = new UObjAction(*source);
    for (TActionFrame& key : action->keys) {
      key.frame = static_cast<uint32_t>(frames[key.frame]);
    }
    action->name = UniqueActionName(ShownName(source->name));
    pasted.push_back(actor->AddAction(action));
  }
  selectedAction = pasted.back();
  selectedActionFrame = -1;
  isPlaying = false;
  mode = EditMode::Action;
  return pasted;
}

UName CVelloEditor::UniqueActionName(const std::string& utf8) const {
  const auto taken = [this](const std::string& gbk) {
    return std::any_of(actor->actions.begin(), actor->actions.end(), [&gbk](const UObjAction* a) {
      return a != nullptr && a->name.GetString() == gbk;
    });
  };
  const UName name = StoredName(utf8);
  if (!taken(name.GetString())) {
    return name;
  }
  const std::string stem = Utf8ToGbk(NameStem(utf8));
  for (int n = 2;; ++n) {
    // A long name gives up its end to the number.
    const std::string suffix = " " + std::to_string(n);
    const std::string numbered =
        stem.substr(0, GbkFitLength(stem, UName::kBufferSize - 1 - suffix.size())) + suffix;
    if (!taken(numbered)) {
      return UName(numbered.c_str());
    }
  }
}

std::vector<int32_t> CVelloEditor::DropModules(const CClipItems& clip, UPoint client,
                                               const std::string& documentFolder) {
  UObjFrame* frame = EditedFrame();
  if (frame == nullptr || clip.kind != ClipKind::Modules || !clip.items) {
    return {};
  }
  std::string notes;
  const std::vector<int> modules = MergeClipModules(clip, true, documentFolder, &notes);
  const UPoint point = ClientToCanvas(client);
  std::vector<int32_t> placed;
  for (const int index : modules) {
    const UObjModule& module = *actor->modules[static_cast<size_t>(index)];
    // The module's centre under the pointer.
    const UPoint at = SnappedToGrid(
        UPoint(point.x - frame->origin.x - centre.x - (module.right - module.left) / 2,
               point.y - frame->origin.y - centre.y - (module.bottom - module.top) / 2));
    placed.push_back(frame->placements.Num());
    PlaceModuleAt(*frame, SaturateCast<uint16_t>(index), at.x, at.y);
  }
  Stop();
  mode = EditMode::Frame;
  SetPlacementSet(placed, placed.back());
  SelectedPlacementBox(&placementRect, &placementAngle);
  ChangedBlend(kChangeTextures | kChangeModules | kChangePlacements | kChangeSelection,
               res::kStepPlaceModule);
  if (!notes.empty()) {
    Status(StatusPane::Prompt, notes);
  }
  return placed;
}
