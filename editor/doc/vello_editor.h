#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/canvas/surface.h"
#include "core/foundation/array.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"
#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"
#include "editor/doc/clipboard_items.h"
#include "editor/doc/edit_history.h"
#include "editor/doc/edit_mode.h"
#include "editor/doc/edited_fields.h"
#include "editor/doc/editor_listener.h"
#include "editor/res/strings.h"

// The editor context: the one place that owns and changes the edited actor, its texture surfaces
// and the view's canvas, and that keeps every selection and tool state. Panels and views read
// its fields, ask it to act, and repaint when a listener hears what changed. It has no widgets;
// messages and questions go through Core's ShowMessage.
//
// Every selection is an index (-1 for none) and is checked before use: panels never keep
// pointers into the actor, whose arrays move when they grow or shrink.
class CVelloEditor {
 public:
  CVelloEditor();
  CVelloEditor(const CVelloEditor&) = delete;
  CVelloEditor& operator=(const CVelloEditor&) = delete;
  // Shuts down (LastSave.an1 included) when the view was bound and not yet shut down.
  ~CVelloEditor();

  // Listeners are not owned; one added twice is told once.
  void AddListener(CEditorListener* listener);
  void RemoveListener(CEditorListener* listener);

  // ---- view binding and clock
  // Opens the accelerated factory and canvas in `window`'s GL context, with the back buffer at
  // the window's client size (device pixels). False when OpenGL 3.3 cannot start.
  bool ViewInit(HWND window);
  bool IsViewReady() const { return m_ViewReady; }
  // The window changed size: the canvas follows it (its camera is made again, textures stay).
  void ViewResized();
  // The view's clock, in milliseconds: the first call only records the time, later ones advance
  // playback by the time elapsed.
  void Tick(uint32_t nowMs);
  // Advances playback by `seconds` of real time (frameRate ticks a second).
  void Advance(float seconds);
  // Draws the whole scene into the canvas and presents it.
  void Render();
  // Commits open edits, writes "LastSave.an1" when an actor exists (in the current directory, or
  // in the data folder when the editor keeps its files there: see OwnFilesFolder), frees the
  // actor and tells the listeners, then releases every texture surface once, the canvas and the
  // factory. Later calls do nothing.
  void Shutdown();
  // Has every listener commit what is being typed in place (see CEditorListener::OnEndEdits).
  void EndOpenEdits();
  // Plays the selected action from its start (or where it is, when looping).
  void Play();
  void Stop();

  // ---- document (names are UTF-8 as typed; stored as GBK)
  // A fresh actor, named `utf8Name` when given; every selection is reset.
  void NewActor(const std::optional<std::string>& utf8Name);
  // Opens the document at `path`. A document that cannot be read leaves the current actor as it
  // was and shows a message naming the file and the reason. Textures are looked up beside the
  // document, then in the current directory; those not found are listed in one message and
  // leave their records as they are.
  bool LoadActor(const std::string& path);
  // Writes the actor safely (a reader sees the old file or the whole new one) as the document's
  // file: the actor counts as saved. On failure a message names the file and the reason, and the
  // actor stays modified.
  bool SaveActor(const std::string& path);
  // Writes the actor as SaveActor does, as a copy elsewhere: the modified flag stays as it is.
  bool SaveActorCopy(const std::string& path);
  void SetActorName(const std::string& utf8);
  bool IsModified() const { return m_Modified; }
  // False marks the current history entry as the saved one (a save just wrote it); true forgets
  // which entry was saved.
  void SetModified(bool modified);
  // After a record of Actor() was changed in place by code outside the context (the editor's own
  // panes use the named operations below instead): records the step `stepName` (UTF-8), merged into
  // the previous one when `mergeKey` is nonzero and the same as its key (one drag), recomputes the
  // blend bits and tells the listeners `changes`. An edit that left the stored form as it was
  // records nothing.
  void ActorEdited(uint32_t changes, const std::string& stepName = res::kStepEdit,
                   uint64_t mergeKey = 0);

  // ---- history: every change to the actor is a step; opening a document and New start anew.
  // A drag in the view or a run of nudges changes the actor at once but is recorded when it
  // ends (the button goes up, the selection changes, an undo, a save, another edit); until then
  // these answer as if it were recorded.
  bool CanUndo() const;
  bool CanRedo() const;
  // The name of the step Undo would revert / Redo would repeat, "" when there is none.
  std::string UndoName() const;
  std::string RedoName() const;
  void Undo();
  void Redo();
  // Entry 0 is where the history starts ("打开", "新建", "恢复", or the oldest step kept), entry i
  // the state after step i.
  int HistorySize() const;
  std::string HistoryName(int entry) const;
  int HistoryPosition() const;
  // Undoes or redoes to `entry`, restoring the actor, its textures and the selection.
  void JumpToHistory(int entry);
  // A fresh key for the edits of one drag, which then merge into one step.
  uint64_t NewMergeKey() { return ++m_LastMergeKey; }

  // ---- recovery
  // The actor's stored form as it is now: the bytes a save writes.
  std::vector<unsigned char> StoredActor() const;
  // The same bytes, shared with the history's current entry: a run of nudges under way is
  // recorded first; only during a mouse drag are they encoded afresh.
  CStoredForm CurrentStoredForm();
  // Grows with every change to the actor (edits, undo, redo, open, New).
  uint64_t EditSerial() const { return m_EditSerial; }
  // Opens an actor from a recovered stored form. Texture record i is looked for at
  // `texturePaths[i]` first (where the session that kept the copy found it), then beside
  // `documentPath`, then in the current directory. The actor opens modified with an empty
  // history. Bytes that are not a whole actor leave the current actor as it was, show a message
  // and return false.
  bool OpenRecovered(const std::vector<unsigned char>& stored, const std::string& documentPath,
                     const std::vector<std::string>& texturePaths);

  // ---- textures (decoded without the view's OpenGL; they reach the GPU when the view draws)
  // Loads the image at `path` as a new texture with its record, named after the file. A file
  // name longer than a record holds is refused.
  bool LoadTexture(const std::string& path);
  // Adds the image at each path as a new texture with its record. The files that cannot be
  // added are named, each with its reason, in one message. Returns how many were added.
  int AddTextures(const std::vector<std::string>& paths);
  // Points the selected texture at the image at `path`; the old image stays when the new one
  // cannot be loaded.
  bool ReplaceTexture(const std::string& path);
  // Removes a texture with every module cut from it; later textures' modules follow the
  // renumbering.
  void DeleteTexture(int index);
  void SelectTexture(int index);
  // The file a texture was loaded from this session, "" when it was not found.
  std::string TexturePath(int index) const;

  // ---- textures that follow their files
  // How reading a texture's file again went.
  enum class TextureReload { Reloaded, Unreadable, NotUsed };
  // Reads the file at `path` again for every texture loaded from it, and the view, the cutting
  // pane and the lists show the new picture. Modules keep their rectangles; those now reaching
  // outside the picture are named in the status bar. Not a step: every history entry holding the
  // old picture takes the new one (entries of steps that replaced or deleted the texture hold
  // another one and keep it). A picture of another size updates the records' width and height,
  // in the kept entries too, and makes the document modified. Unreadable, changing nothing, while
  // the file cannot be read (half written, or not there yet); `lastTry` then says so in the status
  // bar. NotUsed when no texture comes from `path`.
  TextureReload ReloadTextureFile(const std::string& path, bool lastTry);
  // The files the textures were loaded from, each once; missing textures have none.
  std::vector<std::string> TextureFiles() const;
  // Texture `index` has a record but no picture: its file was not found.
  bool IsTextureMissing(int index) const;
  // Selects texture `index` and gives it the image at `path`, as ReplaceTexture does.
  bool RelinkTexture(int index, const std::string& path);
  // The folders an opened document's textures are looked for in, each once and in order: where
  // the session that kept a recovered copy found them (`knownPaths`, files), beside the document
  // (`documentFolder`), the current directory.
  std::vector<std::string> TextureFolders(const std::vector<std::string>& knownPaths,
                                          const std::string& documentFolder) const;

  // ---- model operations
  int CreateModule(const UObjModule& module);
  // Placements of module `index` and later follow their modules up by one.
  void InsertModule(int index, const UObjModule& module);
  void DeleteModule(int index);
  // Also sets mode 0 (a module is edited).
  void SelectModule(int index);
  int CreateFrame(const std::string& utf8Name);
  // Appends a copy of the selected frame (tags included) named `utf8Name` and selects it; -1
  // without a selected frame.
  int CopyFrame(const std::string& utf8Name);
  void DeleteFrame(int index);
  void SelectFrame(int index);
  int CreateAction(const std::string& utf8Name);
  void DeleteAction(int index);
  void SelectAction(int index);
  // Selects key `index` of the selected action and the frame it shows.
  void SelectActionFrame(int index);
  void InsertActionKey(int action, uint32_t time, uint32_t frame);
  void InsertEmptyTime(uint32_t time);
  void DeleteEmptyTime(uint32_t time);
  // True when key `index` of the selected action moved (no key was already at `time`).
  bool MoveActionKey(int index, uint32_t time);
  void DeleteActionKey(int action, int index);
  // The key of the selected action in force at `t`: the last one starting at or before it.
  // Returns its frame (-1 without one); `index` gets its index (-1 when `t` lies before the
  // first key) and `exact` whether it starts exactly at `t`, the last key included.
  int FindActionKey(uint32_t t, int* index, bool* exact) const;
  // Moves the play position to `t` (playing stops) and selects the key in force there with
  // its frame, which the view then shows; before the first key no frame is selected.
  void PickTime(uint32_t t);
  void PlaceModule();
  void DeletePlacement();
  void SwapPlacements(int frame, int a, int b);
  // Selects placement `index` of the selected frame (-1 for none) for editing: playing stops and
  // the mode becomes Frame.
  void SelectPlacement(int index);
  void NudgePlacement(int dx, int dy);
  void NudgeFrame(int dx, int dy);
  void FlipHorizontal();
  void FlipVertical();
  // Steps the selected placement's quarter turn: 0, 90, 180, 270 degrees, then 0 again.
  void RotatePlacement();
  void CreateTag(int clientX, int clientY);
  void DeleteTag(int index);
  void SelectTag(int index);

  // ---- edits of a record's fields, each one step (UTF-8 names are stored as GBK)
  // The fields as the property pages show them; defaults when the index names nothing.
  CModuleFields ModuleFields(int index) const;
  // `placement` names the frame's placement whose fields come along (-1 for none).
  CFrameFields FrameFields(int index, int placement) const;
  CActionFields ActionFields(int index) const;
  // A module whose right lies left of its left, or bottom above its top, is refused.
  void SetModuleFields(int index, const CModuleFields& fields);
  // Also sets the fields of placement `fields.placement` when it names one; a placement's module
  // index cannot change this way.
  void SetFrameFields(int index, const CFrameFields& fields);
  void SetActionFields(int index, const CActionFields& fields);
  void RenameFrame(int index, const std::string& utf8Name);
  void RenameAction(int index, const std::string& utf8Name);
  // Gives module `index` the rectangle `shape` (texture pixels, not empty); the reshapes of one
  // drag share `mergeKey` (see NewMergeKey) and are one step.
  void ReshapeModule(int index, const URect& shape, uint64_t mergeKey);
  // The edits of one opening of the tag dialog share `mergeKey`.
  void SetTag(int frame, int tag, const TFrameTag& fields, uint64_t mergeKey);

  // ---- automatic slicing
  // The rectangles of `shapes` (texture pixels) that would become new modules of `texture`: not
  // empty, inside the texture's 16-bit edges, and neither equal to a module already cut from
  // that texture nor to an earlier rectangle of the list. Empty for a texture that cannot take
  // modules.
  std::vector<URect> NewSlicedModules(int texture, const std::vector<URect>& shapes) const;
  // Cuts NewSlicedModules as modules of `texture`, all in one step "自动切割", as far as module
  // indices reach, and says in the status bar how many it added. Returns that count.
  int AddSlicedModules(int texture, const std::vector<URect>& shapes);

  // ---- view input (client points in device pixels)
  static constexpr uint32_t kMouseLeft = 0x1, kMouseShift = 0x4, kMouseControl = 0x8,
                            kMouseMiddle = 0x10;
  enum class Key {
    Other,
    Shift,
    Left,
    Up,
    Right,
    Down,
    Delete,
    Pad2,
    Pad4,
    Pad6,
    Pad8,
    PadPlus,
    PadMinus,
    F5
  };
  void MouseDown(uint32_t flags, UPoint client);
  void MouseMove(uint32_t flags, UPoint client);
  void MouseUp(uint32_t flags, UPoint client);
  void MiddleDown(uint32_t flags, UPoint client);
  void MiddleUp(uint32_t flags, UPoint client);
  void KeyDown(Key key);
  void KeyUp(Key key);

  // ---- tools (each tells kChangeTools)
  void ZoomIn();
  void ZoomOut();
  void ToggleGrid();
  void ToggleSnap();
  void ToggleTagMode();
  void ToggleLoop();
  void ToggleCentre();
  // `rgb` is 0x00RRGGBB; the background is drawn opaque.
  void SetBackgroundColor(uint32_t rgb);

  // The selected placement's box as drawn, in frame coordinates (origin not added): its top-left
  // at the placement's position, its size the module's once scaled and quarter-turned. False
  // when no placement is selected.
  bool SelectedPlacementBox(URect* box, float* angle) const;

  // ---- several placements
  // Several placements of the selected frame can be selected at once; SelectedPlacement() is the
  // primary one among them (the last picked), whose fields the property pane shows. Moving,
  // nudging, deleting, flipping and turning act on all of them, each as one step.
  // Sorted indices of the selected placements of the selected frame: empty for none, and
  // {SelectedPlacement()} when one is selected.
  const std::vector<int32_t>& SelectedPlacements() const { return selectedPlacements; }
  // Selects exactly these placements (those that name none are left out, duplicates once), mode
  // Frame, and tells the listeners. The primary stays when it is among them, else it is the last.
  void SetPlacementSelection(const std::vector<int32_t>& indices);
  // The same with `primary` as the primary one when it is among them.
  void SetPlacementSelection(const std::vector<int32_t>& indices, int32_t primary);
  void SelectAllPlacements();
  // Adds placement `index` (becoming the primary) or takes it out of the selection.
  void TogglePlacementSelection(int32_t index);
  // The box-select tool: while it is on, a left drag in the view that does not start on a
  // selected placement draws a box, and selects the placements it touches when the button goes
  // up (with Ctrl, adds them).
  void ToggleBoxSelect();
  bool BoxSelectMode() const { return boxSelect; }
  // The box being dragged, in canvas points; false when none is.
  bool SelectionBand(URect* band) const;
  // The box around every selected placement as drawn, in frame coordinates (origin not added);
  // false without a selection.
  bool PlacementSelectionBox(URect* box) const;
  // The placement fields (PlacementFieldBit) that differ among the selected placements.
  uint32_t DifferingPlacementFields() const;
  // Copies field `field` (a PlacementField other than Module) of `values` into every selected
  // placement: one step.
  void SetSelectedPlacementsField(uint32_t field, const TObjFrame& values);

  // ---- state, read by panels and views; every change goes through the operations above
  // The edited actor: null before the first NewActor and after Shutdown. Its arrays move when they
  // grow or shrink, so keep indices, never pointers into it.
  const UObjActor* Actor() const { return actor; }
  // Parallel to the actor's textures, null where a picture is missing.
  const UArray<USurface*>& TextureSurfaces() const { return textureSurfaces; }
  // Every view drawing goes here.
  const UCanvasRw& ViewCanvas() const { return viewCanvas; }
  // "InpolationEnable" of the configuration: whether new actors blend between keys.
  int32_t InterpolationDefault() const { return interpolationDefault; }
  void SetInterpolationDefault(int32_t enabled) { interpolationDefault = enabled; }
  bool IsPlaying() const { return isPlaying; }
  bool LoopPlayback() const { return loopPlayback; }
  EditMode Mode() const { return mode; }
  int32_t SelectedTexture() const { return selectedTexture; }
  int32_t SelectedModule() const { return selectedModule; }
  int32_t SelectedAction() const { return selectedAction; }
  int32_t SelectedFrame() const { return selectedFrame; }
  // The key of the selected action.
  int32_t SelectedActionFrame() const { return selectedActionFrame; }
  // The placement of the selected frame.
  int32_t SelectedPlacement() const { return selectedPlacement; }
  int32_t SelectedTag() const { return selectedTag; }
  // The frame drawn when not playing.
  int32_t ShownFrame() const { return shownFrame; }
  // The play position in action ticks.
  float PlayTime() const { return playTime; }
  // The process's directory at start and after New, where textures are looked for last and
  // "LastSave.an1" is written unless the editor keeps its files in the data folder.
  const std::string& CurrentDirectory() const { return currentDirectory; }
  void SetCurrentDirectory(const std::string& directory) { currentDirectory = directory; }
  // The selected placement's box in frame coordinates, and its free rotation (0 when off).
  const URect& PlacementRect() const { return placementRect; }
  float PlacementAngle() const { return placementAngle; }
  // The pointer minus the dragged placement's top-left at the press.
  UPoint GrabOffset() const { return grabOffset; }
  bool MiddleDown() const { return middleDown; }
  // The tag being dragged, -1 for none.
  int32_t DraggedTag() const { return draggedTag; }
  // The canvas point of the world origin.
  UPoint Centre() const { return centre; }
  bool ShowCentre() const { return showCentre; }
  bool ShowGrid() const { return showGrid; }
  int32_t GridWidth() const { return gridWidth; }
  int32_t GridHeight() const { return gridHeight; }
  void SetGridSize(int32_t width, int32_t height);
  bool SnapToGrid() const { return snapToGrid; }
  // Whether the mouse and Delete act on tags.
  bool TagMode() const { return tagMode; }
  // Action ticks a second.
  float FrameRate() const { return frameRate; }
  void SetFrameRate(float ticksPerSecond);

  // ---- onion skin: while not playing, the frames around the shown one are drawn behind it,
  // faint and tinted (earlier ones red, later ones green), fading with distance. Around a frame
  // shown as a key of the selected action they are the frames of the keys before and after it;
  // around any other frame, its neighbours in the frame list. Ghosts are only pictures: the
  // mouse never picks them. Each setter tells kChangeTools and says what it did in the prompt.
  static constexpr int kMaxOnionSkinFrames = 3;
  bool OnionSkin() const { return m_OnionSkin; }
  void SetOnionSkin(bool shown);
  void ToggleOnionSkin();
  // Frames on each side, 1 to kMaxOnionSkinFrames; other counts are refused.
  int OnionSkinFrames() const { return m_OnionSkinFrames; }
  void SetOnionSkinFrames(int frames);
  // The ghosts drawn now, nearest first: entry i of each list is the frame at distance i + 1
  // before and after the shown one, -1 where there is none. Both empty when none are drawn.
  void OnionSkinNeighbours(std::vector<int>* earlier, std::vector<int>* later) const;

 private:
  // The ghosts stay the same from frame to frame until the actor or what is shown changes, so
  // they are drawn into the view's backdrop: this adds what they are drawn from to its key.
  void AddOnionSkinToBackdropKey(std::vector<int32_t>* key) const;
  // Draws the ghosts into the canvas; the caller then draws the shown frame over them.
  void RenderOnionSkin();
  bool m_OnionSkin = false;
  int m_OnionSkinFrames = 1;

 public:
  // ---- clipboard: copy, cut and paste of items, and modules dropped on the view
  // The items of `kind` named by `indices` (placements of the selected frame, frames, keys of
  // the selected action, actions or modules) with the textures and modules they use; nullopt
  // when none of them is there.
  std::optional<CClipItems> CopyItems(ClipKind kind, const std::vector<int32_t>& indices) const;
  // Deletes the items as their kind's own delete does, without asking; one step.
  void CutItems(ClipKind kind, const std::vector<int32_t>& indices);
  // Whether items of `kind` have a place to go: placements need a selected frame, keys a
  // selected action.
  bool CanPasteItems(ClipKind kind) const;
  // Pastes `clip` (as CopyItems or DecodeClipItems give it) as one step and selects the last
  // item pasted; returns the new indices.
  // Placements go into the selected frame (8 units aside when back onto their own frame over
  // themselves), frames after the selected frame, keys at the play position (later keys move
  // by the span pasted), actions under a name of their own ("walk 2"), modules at the end. The
  // modules the items use are matched by texture file name and rectangle and added when
  // missing; a missing texture is added by its file name and its picture loaded from the path
  // the clip carries. The status bar names a texture that is not in `documentFolder` (the
  // document's folder; "" for the current directory).
  std::vector<int32_t> PasteItems(const CClipItems& clip, const std::string& documentFolder);
  // Places the modules of `clip` in the selected frame with their centre at `client` (snapped
  // when snapping is on) and selects the last one; one step. Returns the new placements.
  std::vector<int32_t> DropModules(const CClipItems& clip, UPoint client,
                                   const std::string& documentFolder);

 private:
  int MergeClipTexture(const CClipItems& clip, int index, const std::string& documentFolder,
                       std::string* notes);
  // The actor's module for each module of `clip`: an equal one (when `reuse`) or one added.
  std::vector<int> MergeClipModules(const CClipItems& clip, bool reuse,
                                    const std::string& documentFolder, std::string* notes);
  // A new copy of `frame` whose placements name the actor's modules.
  UObjFrame* MergedClipFrame(const UObjFrame& frame, const std::vector<int>& modules);
  // The actor's frame for each frame of `clip`: an equal one, or one added at the end.
  std::vector<int> MergeClipFrames(const CClipItems& clip, const std::vector<int>& modules);
  std::vector<int32_t> PastePlacements(const UObjFrame& placements, int32_t sourceFrame,
                                       const std::vector<int>& modules);
  std::vector<int32_t> PasteFrames(const CClipItems& clip, const std::vector<int>& modules);
  std::vector<int32_t> PasteKeys(const UObjAction& keys, uint32_t span,
                                 const std::vector<int>& frames);
  std::vector<int32_t> PasteActions(const CClipItems& clip, const std::vector<int>& frames);
  // `utf8`, or its stem numbered from 2 ("walk 2") when an action already has that name.
  UName UniqueActionName(const std::string& utf8) const;
  // ---- end of clipboard

  void Notify(uint32_t changes);
  void Status(StatusPane pane, const std::string& text);
  // Records the step `step` (see CEditHistory::Record), sets the modified flag from the history
  // and tells `changes`.
  void Changed(uint32_t changes, const char* step, uint64_t mergeKey = 0);
  // After an edit of a record's fields: the selected placement's box follows, then ChangedBlend.
  void FieldsEdited(uint32_t changes, const char* step, uint64_t mergeKey = 0);
  // Recomputes blend bits first: after edits to keys, frames or placements.
  void ChangedBlend(uint32_t changes, const char* step, uint64_t mergeKey = 0);
  // An edit of a drag or run of nudges (`mergeKey`) in the selected frame, which only moves
  // things in it (no blend bit can change): tells `changes` at once and leaves the recording to
  // the run's end. Call CloseRunUnless(mergeKey) before changing the actor.
  void RunEdited(uint32_t changes, const char* step, uint64_t mergeKey);
  void CloseRunUnless(uint64_t mergeKey);
  // Records the open run as its step and tells what that changed.
  void CloseRun();
  // Records the open run from the actor as it is; returns the bits to tell.
  uint32_t RecordRun();
  // Records the open run when another edit has already changed the actor: from the current
  // entry with the run's frame put in.
  void RecordRunBeneath();
  // The open run will make an entry of its own (it does not merge into the current one).
  bool RunAddsEntry() const;
  // Destroys the actor, every texture surface and the history.
  void Clear();
  // The actor and textures as the history keeps them.
  CHistoryState CaptureState() const;
  CEditSelection CurrentSelection() const;
  // Starts an empty history at the current actor, named `name`.
  void StartHistory(const char* name, bool saved);
  // Puts back the state of history entry `entry` with `selection`, and tells `changes` with the
  // selection's own bits. False, changing nothing, when the entry's stored form cannot be read.
  bool RestoreEntry(int entry, const CEditSelection& selection, uint32_t changes);
  // Owns `surface` (may be null) for the texture set and the history: the last owner releases it
  // with the view's GL context current.
  std::shared_ptr<USurface> AdoptSurface(USurface* surface);
  void SetTextures(const std::vector<CHistoryTexture>& textures);
  // The merge key of a nudge of `kind` on the current selection: a run of them is one step.
  uint64_t NudgeKey(int kind) const;
  // Finds texture record `index` at `knownPath`, else like LoadRecordTexture.
  USurface* FindRecordTexture(int index, const std::string& knownPath,
                              const std::string& documentFolder, std::string* found);
  // Makes `opened` the edited actor with its textures (record i looked for at
  // `knownTexturePaths[i]` first, then beside `documentFolder`, then in the current directory;
  // those not found are named in one message), its first frame selected and a history starting
  // at it, named `historyStart`.
  void OpenActor(std::unique_ptr<UObjActor> opened,
                 const std::vector<std::string>& knownTexturePaths,
                 const std::string& documentFolder, const char* historyStart, bool saved);
  // Adds the surface of every texture record and returns the names of those not found.
  std::string LoadRecordTextures(const std::vector<std::string>& knownPaths,
                                 const std::string& documentFolder);
  void ResetSelections();
  // An opened actor shows its first texture and first frame.
  void SelectAfterOpen();
  void ClearPlacementSelection();
  // Selects frame `index` (shown, mode 1, no placement or tag) without telling anyone.
  void SetFrameSelection(int index);
  void ClearTagSelection();
  void ReadCurrentDirectory();
  // The selected frame, or null.
  UObjFrame* EditedFrame();
  const UObjFrame* EditedFrame() const;
  UObjAction* ActionAt(int index);
  // The module's drawn size for the placement (scaled, width and height swapped at a quarter
  // or three-quarter turn), and the free rotation angle.
  bool PlacementShape(const TObjFrame& placement, float* width, float* height, float* angle) const;
  UPoint ClientToCanvas(UPoint client) const;
  // `local` (frame units) snapped down to the grid when snapping is on, as it is otherwise.
  UPoint SnappedToGrid(UPoint local) const;
  // Loads the surface for texture record `index`, looking beside `documentFolder` first, then in
  // the current directory. Null when not found.
  USurface* LoadRecordTexture(int index, const std::string& documentFolder, std::string* found);
  // LoadTexture without its message and without telling anyone: the reason for a failure goes to
  // `problem` (empty when there is no actor).
  bool LoadTextureFile(const std::string& path, std::string* problem);
  void RemoveModuleAt(int index);
  // Makes the shown textures read before the view's OpenGL started (or kept by the history since)
  // GPU textures; the view's context is current.
  void UploadTextures();
  void PickPlacement(UPoint point, uint32_t flags);
  void PickTag(UPoint point);
  void DragTag(UPoint point);
  void FlipFrame(bool horizontal);
  void KeyDownPlacementMode(Key key);

  std::vector<CEditorListener*> m_Listeners;
  std::vector<std::string> m_TexturePaths;                 // parallel to textureSurfaces
  std::vector<std::shared_ptr<USurface>> m_TextureOwners;  // parallel to textureSurfaces
  CEditHistory m_History;
  CEditSelection m_SettledSelection;  // the selection listeners were last told of
  bool m_Recording = false;           // listeners are being told of a recorded step
  uint64_t m_LastMergeKey = 0;
  uint64_t m_DragKey = 0;  // merge key of the mouse drag under way
  struct CEditRun {
    const char* step = nullptr;
    uint64_t mergeKey = 0;
    uint32_t changes = 0;
    CEditSelection before;
    CEditSelection after;
    int32_t frame = -1;
    std::shared_ptr<const UObjFrame> edited;  // the frame as the run's last edit left it
  };
  std::optional<CEditRun> m_Run;  // the drag or run of nudges not yet recorded
  uint64_t m_EditSerial = 0;
  HWND m_Window = nullptr;
  bool m_ViewReady = false;
  bool m_Modified = false;
  bool m_HasTicked = false;
  uint32_t m_LastTickMs = 0;
  UPoint m_CollisionAnchor{0, 0};  // where the middle button went down, frame coordinates

  // The state the accessors above read.
  int32_t selectedTexture = -1;
  UObjActor* actor = nullptr;         // owned; null before the first NewActor, after Shutdown
  UArray<USurface*> textureSurfaces;  // parallel to actor->textures, null when missing; the
                                      // history and the texture set share their ownership
  UCanvasRw viewCanvas;               // every view drawing goes here
  UCanvasUtilRw viewCanvasUtil;       // the factory: engine and texture surfaces
  int32_t interpolationDefault = 1;   // "InpolationEnable" of the configuration
  bool isPlaying = false;             // the selected action is playing
  bool loopPlayback = false;          // playing restarts at the end
  EditMode mode = EditMode::Module;
  int32_t selectedModule = -1;
  int32_t selectedAction = -1;
  int32_t selectedFrame = -1;
  int32_t selectedActionFrame = -1;  // key of the selected action
  int32_t selectedPlacement = -1;    // placement of the selected frame
  int32_t shownFrame = -1;           // frame drawn when not playing
  float playTime = 0.0f;             // play position in action ticks
  std::string currentDirectory;      // the process's directory at start and after New
  URect placementRect{0, 0, 0, 0};   // selected placement's box, frame coordinates
  float placementAngle = 0.0f;       // its free rotation, 0 when not enabled
  UPoint grabOffset{0, 0};           // pointer minus the placement's top-left at the press
  bool leftDown = false;
  bool middleDown = false;
  UPoint centre{0, 0};     // canvas point of the world origin
  bool showCentre = true;  // draw the world axes
  int32_t gridWidth = 8;
  int32_t gridHeight = 8;
  bool snapToGrid = false;
  bool showGrid = true;
  float frameRate = 12.0f;  // action ticks a second
  bool tagMode = false;     // mouse and Delete act on tags
  int32_t tagFrame = -1;    // frame in which the tag drag started
  int32_t draggedTag = -1;  // tag being dragged, -1 for none
  int32_t selectedTag = -1;
  UPoint tagGrabOffset{0, 0};
  bool shiftDown = false;

  // ---- several placements (state and helpers)
  // Makes `indices` the selection (checked against the selected frame, sorted, once each) with
  // `primary` as its primary when it is among them, else the last; tells no one.
  void SetPlacementSet(std::vector<int32_t> indices, int32_t primary);
  // Says in the status bar how many placements are selected, when more than one.
  void SayPlacementCount();
  // The topmost placement (of the selected ones only, when `selectedOnly`) under frame point
  // `local`, -1 for none.
  int32_t PlacementAt(UPoint local, bool selectedOnly) const;
  // A selection box starts at canvas point `point`; `adding` keeps the selection it adds to.
  void StartBand(UPoint point, bool adding);
  void FinishBand();
  void MoveSelectedPlacements(int64_t dx, int64_t dy);
  void DeleteSelectedPlacements();
  void FlipPlacementGroup(bool horizontal);
  void TurnPlacementGroup();
  // The drawn box of placement `index` of the selected frame before its free turn, and that turn.
  bool PlacementBoxAt(int32_t index, URect* box, float* angle) const;
  // Draws the selected placements' boxes, the box around them all and the selection box being
  // dragged; (originX, originY) is the frame's origin on the canvas.
  void DrawPlacementSelection(float originX, float originY);
  std::vector<int32_t> selectedPlacements;  // sorted; holds selectedPlacement when it is >= 0
  bool boxSelect = false;                   // the box-select tool is on
  bool bandDragging = false;                // a selection box is being dragged
  UPoint bandStart{0, 0};                   // where it started and where it is, canvas points
  UPoint bandEnd{0, 0};
  bool bandAdding = false;        // a Ctrl drag: it adds to the selection
  std::vector<int32_t> bandBase;  // the selection it adds to
  // ---- view navigation: zoom about a point, pan, fit, scaled screens, keys of the timeline
 public:
  // The zoom steps of the toolbar, the wheel and the View menu: one canvas unit covers that many
  // logical pixels of the view.
  static constexpr int kMinViewZoom = 1;
  static constexpr int kMaxViewZoom = 8;
  int ViewZoom() const { return m_ViewZoom; }
  // Device pixels per logical pixel of the view's screen. The canvas zoom is the zoom step times
  // this ratio, rounded, at least 1, so at 100 % a unit covers one logical pixel.
  void SetDevicePixelRatio(double ratio);
  double DevicePixelRatio() const { return m_PixelRatio; }
  // Goes to zoom step `zoom` (kept within the steps), keeping the world point under `client`
  // (device pixels) where it is; the status bar names the zoom.
  void ZoomAt(int zoom, UPoint client);
  // Moves the world by `dx`, `dy` device pixels.
  void PanBy(int dx, int dy);
  // Where the world origin lies off the middle of the view, in device pixels.
  UPoint PanOffset() const { return m_Pan; }
  // The largest zoom step at which the shown frame fits the view, or, with an action selected,
  // every frame of its keys; that picture is centred.
  void FitToView();
  // Zoom 100 %, about the middle of the view.
  void ActualSize();
  // Plays the selected action, or stops it while it plays.
  void TogglePlay();
  // Selects the key `delta` keys after (before, when negative) the one at the play position.
  void StepKey(int delta);
  // Selects the first or the last key of the selected action.
  void SelectEndKey(bool last);
  void SetLoopPlayback(bool loop);

 private:
  // The canvas point of the world origin: the middle of the view moved by the pan.
  UPoint ViewCentre() const;
  // Sets the canvas zoom from the zoom step and the pixel ratio; `centre` follows.
  void ApplyViewZoom();
  // Moves the pan so that the world origin lies at canvas point `origin`.
  void PlaceCentre(UPoint origin);
  // The world box of what FitToView fits; false when nothing is drawn there.
  bool FitBounds(URect* bounds) const;
  // With no action selected, selects the first that has keys; false, saying so, without one.
  bool SelectPlayableAction();

  int32_t m_ViewZoom = 1;
  double m_PixelRatio = 1.0;
  UPoint m_Pan{0, 0};
};
