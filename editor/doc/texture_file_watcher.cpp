#include "editor/doc/texture_file_watcher.h"

#include <QFileInfo>
#include <string>
#include <vector>

#include "editor/doc/vello_editor.h"

CTextureFileWatcher::CTextureFileWatcher(CVelloEditor& editor) : m_Editor(editor) {
  m_Quiet.setSingleShot(true);
  m_Quiet.setInterval(kQuietMs);
  QObject::connect(&m_Quiet, &QTimer::timeout, &m_Watcher, [this] { ReadQuietFiles(); });
  QObject::connect(&m_Watcher, &QFileSystemWatcher::fileChanged, &m_Watcher,
                   [this](const QString& path) { FileChanged(path); });
  QObject::connect(&m_Watcher, &QFileSystemWatcher::directoryChanged, &m_Watcher,
                   [this](const QString& folder) { FolderChanged(folder); });
  m_Editor.AddListener(this);
  FollowTextures();
}

CTextureFileWatcher::~CTextureFileWatcher() {
  m_Editor.RemoveListener(this);
}

void CTextureFileWatcher::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeTextures)) != 0) {
    FollowTextures();
  }
}

void CTextureFileWatcher::FollowTextures() {
  QStringList files;
  QStringList folders;
  for (const std::string& file : m_Editor.TextureFiles()) {
    files << QString::fromStdString(file);
    folders << QFileInfo(files.back()).absolutePath();
  }
  folders.removeDuplicates();
  QStringList stale;
  for (const QString& watched : m_Watcher.files()) {
    if (!files.contains(watched)) {
      stale << watched;
    }
  }
  for (const QString& watched : m_Watcher.directories()) {
    if (!folders.contains(watched)) {
      stale << watched;
    }
  }
  if (!stale.isEmpty()) {
    m_Watcher.removePaths(stale);
  }
  m_Files = files;
  for (const QString& file : files) {
    Rewatch(file);
  }
  for (const QString& folder : folders) {
    if (!m_Watcher.directories().contains(folder) && QFileInfo(folder).isDir()) {
      m_Watcher.addPath(folder);
    }
  }
  std::erase_if(m_TriesLeft, [&](const auto& waiting) { return !files.contains(waiting.first); });
}

void CTextureFileWatcher::Rewatch(const QString& path) {
  if (!m_Watcher.files().contains(path) && QFileInfo(path).isFile()) {
    m_Watcher.addPath(path);
  }
}

void CTextureFileWatcher::FileChanged(const QString& path) {
  if (!m_Files.contains(path)) {
    return;
  }
  Rewatch(path);
  m_TriesLeft[path] = kTries;
  m_Quiet.start();
}

void CTextureFileWatcher::FolderChanged(const QString& folder) {
  // Only a file the watch lost can have come back: the others tell of their own changes.
  for (const QString& file : m_Files) {
    if (QFileInfo(file).absolutePath() == folder && !m_Watcher.files().contains(file) &&
        QFileInfo(file).isFile()) {
      FileChanged(file);
    }
  }
}

void CTextureFileWatcher::ReadQuietFiles() {
  // Reading may change the textures, and with them m_Files and m_TriesLeft.
  const std::map<QString, int> waiting = std::move(m_TriesLeft);
  m_TriesLeft.clear();
  for (const auto& [path, tries] : waiting) {
    Rewatch(path);
    const CVelloEditor::TextureReload result =
        m_Editor.ReloadTextureFile(path.toStdString(), tries <= 1);
    if (result == CVelloEditor::TextureReload::Unreadable && tries > 1 && m_Files.contains(path) &&
        m_TriesLeft.count(path) == 0) {
      m_TriesLeft[path] = tries - 1;
    }
  }
  if (!m_TriesLeft.empty()) {
    m_Quiet.start();
  }
}
