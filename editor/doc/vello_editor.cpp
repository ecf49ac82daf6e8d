// The editor context's life: listeners, the modified flag, the document and the view binding.
#include "editor/doc/vello_editor.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/anim/actor_file.h"
#include "core/foundation/message.h"
#include "core/foundation/text_codec.h"
#include "editor/doc/editor_text.h"
#include "editor/services/own_files_folder.h"

namespace {

constexpr uint32_t kStartBackground = 0x88888888u;
constexpr const char* kLastSaveName = "LastSave.an1";

}  // namespace

CVelloEditor::CVelloEditor() {
  viewCanvas.SetBackGroundColor(kStartBackground);
  ReadCurrentDirectory();
}

CVelloEditor::~CVelloEditor() {
  if (m_ViewReady) {
    Shutdown();
  } else {
    Clear();
  }
}

void CVelloEditor::AddListener(CEditorListener* listener) {
  if (listener != nullptr &&
      std::find(m_Listeners.begin(), m_Listeners.end(), listener) == m_Listeners.end()) {
    m_Listeners.push_back(listener);
  }
}

void CVelloEditor::RemoveListener(CEditorListener* listener) {
  std::erase(m_Listeners, listener);
}

void CVelloEditor::Notify(uint32_t changes) {
  if (changes == 0) {
    return;
  }
  const bool settles = !m_Recording && (changes & kChangeSelection) != 0;
  if (settles) {
    // A drag or run of nudges before a new selection is over: its step is recorded now.
    changes |= RecordRun();
  }
  // A listener may remove itself while being told.
  const std::vector<CEditorListener*> listeners = m_Listeners;
  for (CEditorListener* listener : listeners) {
    listener->OnEditorChanged(changes);
  }
  if (settles) {
    // A selection changed between edits: what it was is what undoing the next edit restores, and
    // the step before it takes no more merging edits.
    m_SettledSelection = CurrentSelection();
    m_History.EndMerge();
  }
}

void CVelloEditor::Status(StatusPane pane, const std::string& text) {
  const std::vector<CEditorListener*> listeners = m_Listeners;
  for (CEditorListener* listener : listeners) {
    listener->OnStatusText(pane, text);
  }
}

void CVelloEditor::SetModified(bool modified) {
  // A save wrote the run under way with the rest: its step comes first.
  CloseRun();
  if (modified) {
    m_History.ForgetSaved();
  } else {
    m_History.MarkSaved();
  }
  if (m_Modified != modified) {
    m_Modified = modified;
    Notify(kChangeModified | kChangeHistory);
  } else {
    Notify(kChangeHistory);
  }
}

void CVelloEditor::ReadCurrentDirectory() {
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  currentDirectory = error ? std::string() : here.string();
}

void CVelloEditor::Clear() {
  if (actor != nullptr) {
    actor->Destroy();
    delete actor;
    actor = nullptr;
  }
  if (!m_TextureOwners.empty() && m_ViewReady) {
    viewCanvas.ResetTexDict();
  }
  // The history shares the surfaces: they go with it.
  m_Run.reset();
  m_History.Clear();
  textureSurfaces.clear();
  m_TextureOwners.clear();
  m_TexturePaths.clear();
  isPlaying = false;
}

void CVelloEditor::ResetSelections() {
  selectedTexture = -1;
  selectedModule = -1;
  selectedAction = -1;
  selectedFrame = -1;
  selectedActionFrame = -1;
  shownFrame = -1;
  playTime = 0.0f;
  ClearPlacementSelection();
  ClearTagSelection();
}

void CVelloEditor::SelectAfterOpen() {
  if (!textureSurfaces.empty()) {
    selectedTexture = 0;
  }
  if (!actor->frames.empty()) {
    selectedFrame = 0;
    shownFrame = 0;
    mode = EditMode::Frame;
  }
}

void CVelloEditor::ClearPlacementSelection() {
  selectedPlacement = -1;
  selectedPlacements.clear();
  placementRect = URect(0, 0, 0, 0);
  placementAngle = 0.0f;
}

void CVelloEditor::ClearTagSelection() {
  selectedTag = -1;
  draggedTag = -1;
  tagFrame = -1;
}

void CVelloEditor::NewActor(const std::optional<std::string>& utf8Name) {
  Clear();
  actor = new UObjActor();
  actor->Init();
  actor->interpolate = interpolationDefault != 0;
  if (utf8Name.has_value()) {
    actor->name = StoredName(*utf8Name);
  }
  ResetSelections();
  ReadCurrentDirectory();
  StartHistory(res::kStepNew, true);
  Notify(kChangeWholeActor);
}

bool CVelloEditor::SaveActor(const std::string& path) {
  if (!SaveActorCopy(path)) {
    return false;
  }
  SetModified(false);
  return true;
}

bool CVelloEditor::SaveActorCopy(const std::string& path) {
  if (actor == nullptr) {
    return false;
  }
  std::string error;
  if (!SaveActorFile(path.c_str(), *actor, &error)) {
    ShowMessage(
        {"无法保存文件 " + path + "：" + error, "", UMessageButtons::Ok, UMessageIcon::Warning});
    return false;
  }
  return true;
}

void CVelloEditor::SetActorName(const std::string& utf8) {
  if (actor != nullptr) {
    actor->name = StoredName(utf8);
    Changed(kChangeActor, res::kStepRenameActor);
  }
}

bool CVelloEditor::ViewInit(HWND window) {
  if (window == nullptr || m_ViewReady) {
    return m_ViewReady;
  }
  if (viewCanvasUtil.Init(window) != 1) {
    return false;
  }
  const URect client = window->GetClientRect();
  viewCanvas.Init(window);
  if (!viewCanvas.CreateCanvas(&viewCanvasUtil, client.GetWidth(), client.GetHeight())) {
    viewCanvasUtil.DeInit();
    return false;
  }
  // The editor shows quarter turns; the canvas leaves them out unless asked.
  viewCanvas.SetDrawQuarterTurns(true);
  m_Window = window;
  m_ViewReady = true;
  selectedModule = -1;
  selectedAction = -1;
  selectedFrame = -1;
  selectedActionFrame = -1;
  showCentre = true;
  gridWidth = 8;
  gridHeight = 8;
  snapToGrid = false;
  showGrid = true;
  Notify(kChangeSelection | kChangeTools);
  return true;
}

void CVelloEditor::ViewResized() {
  if (m_ViewReady) {
    viewCanvas.UpdateBounds();
  }
}

void CVelloEditor::EndOpenEdits() {
  // A commit may change the list of listeners (a pane rebuilt): walk a copy.
  const std::vector<CEditorListener*> listeners = m_Listeners;
  for (CEditorListener* listener : listeners) {
    if (std::find(m_Listeners.begin(), m_Listeners.end(), listener) != m_Listeners.end()) {
      listener->OnEndEdits();
    }
  }
}

void CVelloEditor::Shutdown() {
  // A value still being typed belongs to the actor that is saved and freed below.
  EndOpenEdits();
  if (m_Window != nullptr) {
    // Surfaces and the canvas free GL objects of the view's context.
    m_Window->MakeContextCurrent();
  }
  if (actor != nullptr) {
    SaveActorCopy(OwnFilePath(currentDirectory, kLastSaveName));
  }
  const bool hadActor = actor != nullptr;
  Clear();
  if (hadActor) {
    ResetSelections();
    Notify(kChangeWholeActor);
  }
  if (m_ViewReady) {
    viewCanvas.Release();
    viewCanvasUtil.DeInit();
    m_ViewReady = false;
  }
  m_Window = nullptr;
}
