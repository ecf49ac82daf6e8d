#pragma once

#include <QStringList>

// The four most recently used documents, newest first, kept in the application's settings
// ("Recent File List", "File1" .. "File4") so that they survive a restart.
class CRecentFiles {
 public:
  static constexpr int kMaxFiles = 4;

  // Reads the list from the settings. Call it once the application's organisation and name are
  // set: before, the settings are another file, and the next Add would overwrite the real list.
  void Load();

  const QStringList& Paths() const { return m_Paths; }
  // Puts `path` first (once) and stores the list.
  void Add(const QString& path);
  // Takes `path` out of the list and stores it.
  void Remove(const QString& path);

 private:
  void Store() const;

  QStringList m_Paths;
};
