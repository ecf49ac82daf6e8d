#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/doc/editor_listener.h"
#include "editor/services/command_router.h"

class CVelloEditor;

// The document: the path and title of the edited actor (which the editor context owns), the file
// commands (new, save, save as, rename) and the question that keeps unsaved changes from being
// lost before the actor is replaced or the program closes.
class CVelloDoc : public CCommandTarget, public CEditorListener {
 public:
  explicit CVelloDoc(CVelloEditor& editor);
  ~CVelloDoc() override;

  // The full path the document was opened from or saved as; empty for a new document.
  const std::string& Path() const { return m_Path; }
  // The title the window shows ("Untitled" before there is one).
  std::string Title() const;
  bool IsModified() const;
  // Told whenever the title or the modified state changes.
  void SetChangedHandler(std::function<void()> handler) { m_Changed = std::move(handler); }
  // Told with the full path when a file became the document: opened, or saved under a new name.
  void SetFileTakenHandler(std::function<void(const std::string& path)> handler) {
    m_FileTaken = std::move(handler);
  }

  // The start-up step: an actor named "TestActor" without a path.
  void OnNewDocument();
  // Opens `path` after the save question; on success the file becomes the document, the recent
  // list follows and frame 0 is selected. False (the open document untouched) when the user
  // cancelled or the file could not be read.
  bool OpenDocument(const std::string& path);
  // Opens a recovery copy, the actor's stored form `stored`, after the save question: the
  // document gets `documentPath` (may be empty) and the title of that path, else `title`, and
  // counts as modified. Textures are looked for at `texturePaths` (where the session that wrote
  // the copy found them) first. False (the open document untouched) when the user cancelled or
  // the copy is not a whole actor.
  bool OpenRecovered(const std::vector<unsigned char>& stored, const std::string& documentPath,
                     const std::string& title, const std::vector<std::string>& texturePaths);
  // The save question when the actor has unsaved changes: true when the work may go on (saved,
  // discarded, or nothing to save), false when the user cancelled or the save failed.
  bool SaveModified();

  // The file commands.
  void OnFileNew();
  void OnFileSave();
  bool OnFileSaveAs();
  void OnSetName();

  void OnEditorChanged(uint32_t changes) override;

 private:
  // Writes the actor to `path`. The actor counts as saved only when `path` is the document's own
  // file: a copy written elsewhere leaves the document's file, and so its unsaved changes, as
  // they were.
  bool SaveTo(const std::string& path);
  bool IsOwnFile(const std::string& path) const;
  void SetPathAndTitle(const std::string& path, const std::string& title);
  void NotifyChanged() const;

  CVelloEditor& m_Editor;
  std::string m_Path;
  std::string m_Title;
  std::function<void()> m_Changed;
  std::function<void(const std::string&)> m_FileTaken;
};
