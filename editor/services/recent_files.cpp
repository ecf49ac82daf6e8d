#include "editor/services/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr char kGroup[] = "Recent File List";

QString Key(int index) {
  return QString("File%1").arg(index + 1);
}

QString Canonical(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void CRecentFiles::Load() {
  m_Paths.clear();
  QSettings settings;
  settings.beginGroup(kGroup);
  for (int i = 0; i < kMaxFiles; ++i) {
    const QString path = settings.value(Key(i)).toString();
    if (!path.isEmpty() && !m_Paths.contains(path)) {
      m_Paths << path;
    }
  }
}

void CRecentFiles::Add(const QString& path) {
  const QString full = Canonical(path);
  m_Paths.removeAll(full);
  m_Paths.prepend(full);
  while (m_Paths.size() > kMaxFiles) {
    m_Paths.removeLast();
  }
  Store();
}

void CRecentFiles::Remove(const QString& path) {
  m_Paths.removeAll(Canonical(path));
  m_Paths.removeAll(path);
  Store();
}

void CRecentFiles::Store() const {
  QSettings settings;
  settings.beginGroup(kGroup);
  for (int i = 0; i < kMaxFiles; ++i) {
    if (i < m_Paths.size()) {
      settings.setValue(Key(i), m_Paths[i]);
    } else {
      settings.remove(Key(i));
    }
  }
}
