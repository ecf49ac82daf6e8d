#include "editor/services/own_files_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <atomic>
#include <filesystem>

namespace {

std::atomic<bool> g_keepInDataFolder = false;

}  // namespace

void KeepOwnFilesInDataFolder(bool keep) {
  g_keepInDataFolder = keep;
}

std::string OwnFilesFolder(const std::string& currentFolder) {
  if (!g_keepInDataFolder) {
    return currentFolder;
  }
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) {
    return currentFolder;
  }
  return folder.toStdString();
}

std::string OwnFilePath(const std::string& currentFolder, const char* name) {
  const std::string folder = OwnFilesFolder(currentFolder);
  return folder.empty() ? std::string(name) : (std::filesystem::path(folder) / name).string();
}
