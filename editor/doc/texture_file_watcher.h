#pragma once

#include <QFileSystemWatcher>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <map>

#include "editor/doc/editor_listener.h"

class CVelloEditor;

// Watches the files of the editor's textures, and has the editor read a file again once a paint
// program has finished writing it. A save comes as a burst of writes, so a file is read when it
// has been quiet for a moment; a save that writes another file and renames it over the texture
// drops the path from the watch, so the path is watched again, and the textures' folders are
// watched to see such a file come back. A file that cannot be read yet (half written, or between
// removal and rename) is tried again a few times.
class CTextureFileWatcher : public CEditorListener {
 public:
  explicit CTextureFileWatcher(CVelloEditor& editor);
  CTextureFileWatcher(const CTextureFileWatcher&) = delete;
  CTextureFileWatcher& operator=(const CTextureFileWatcher&) = delete;
  ~CTextureFileWatcher() override;

  void OnEditorChanged(uint32_t changes) override;

  // How long a file must be quiet before it is read, and how often a file that cannot be read
  // is tried in all.
  static constexpr int kQuietMs = 250;
  static constexpr int kTries = 12;

 private:
  // Watches exactly the textures' files and their folders.
  void FollowTextures();
  // A watched file changed, or a texture's file came back into a watched folder.
  void FileChanged(const QString& path);
  void FolderChanged(const QString& folder);
  // Watches `path` again when the watch lost it and the file is there.
  void Rewatch(const QString& path);
  // Reads every file that has been quiet long enough.
  void ReadQuietFiles();

  CVelloEditor& m_Editor;
  QFileSystemWatcher m_Watcher;
  QTimer m_Quiet;
  QStringList m_Files;                 // the textures' files
  std::map<QString, int> m_TriesLeft;  // files waiting to be read
};
