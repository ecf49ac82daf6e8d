#include "editor_support/registry/registry_store.h"

#include <QByteArray>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace {

constexpr const char* kRootFileNames[] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",        "HKEY_CURRENT_CONFIG",
};

// Marks a key in its group, so that a key without values still exists.
constexpr const char* kKeyMarker = "key";
// Value entries carry a prefix that the marker lacks, so no value name can collide with it.
constexpr const char* kValuePrefix = "value.";

std::string& Directory() {
  static std::string directory =
      (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
       "/Quillet/registry")
          .toStdString();
  return directory;
}

bool IsKnownRoot(HKEY root) {
  return root >= HKEY_CLASSES_ROOT && root <= HKEY_CURRENT_CONFIG;
}

QByteArray FoldCase(const char* text) {
  return QByteArray(text == nullptr ? "" : text).toLower();
}

// The path in one spelling: parts separated by single '\', no empty parts, ASCII letters folded.
QByteArray NormalPath(const char* path) {
  QByteArray normal;
  for (const QByteArray& part : FoldCase(path).split('\\')) {
    if (part.isEmpty()) {
      continue;
    }
    if (!normal.isEmpty()) {
      normal += '\\';
    }
    normal += part;
  }
  return normal;
}

// Settings group and entry names are percent-encoded, so that '\', '/' and bytes of any code page
// reach the file unchanged and come back as they went in.
QString Encode(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toPercentEncoding());
}

QByteArray Decode(const QString& text) {
  return QByteArray::fromPercentEncoding(text.toLatin1());
}

QString ValueEntry(const char* name) {
  return QString::fromLatin1(kValuePrefix) + Encode(FoldCase(name));
}

// A value is kept as its 32-bit type, little-endian, followed by its bytes.
QByteArray PackValue(uint32_t type, const void* data, size_t size) {
  QByteArray packed;
  for (int shift = 0; shift < 32; shift += 8) {
    packed += static_cast<char>((type >> shift) & 0xFF);
  }
  packed.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
  return packed;
}

bool UnpackValue(const QByteArray& packed, uint32_t* type, std::vector<unsigned char>* data) {
  if (packed.size() < 4) {
    return false;
  }
  uint32_t value_type = 0;
  for (int i = 0; i < 4; ++i) {
    value_type |= uint32_t{static_cast<unsigned char>(packed[i])} << (8 * i);
  }
  *type = value_type;
  data->assign(packed.begin() + 4, packed.end());
  return true;
}

bool GroupExists(QSettings& settings, const QByteArray& path) {
  return path.isEmpty() || settings.value(Encode(path) + "/" + kKeyMarker).toBool();
}

}  // namespace

void URegistryStore::SetDirectory(const std::string& directory) {
  Directory() = directory;
}

std::string URegistryStore::GetDirectory() {
  return Directory();
}

URegistryStore::URegistryStore(HKEY root) : m_Root(root) {}

std::string URegistryStore::FilePath() const {
  return Directory() + "/" + kRootFileNames[m_Root] + ".ini";
}

bool URegistryStore::KeyExists(const char* path) const {
  if (!IsKnownRoot(m_Root)) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  return GroupExists(settings, NormalPath(path));
}

bool URegistryStore::CreateKey(const char* path) {
  if (!IsKnownRoot(m_Root)) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  QByteArray partial;
  for (const QByteArray& part : NormalPath(path).split('\\')) {
    if (part.isEmpty()) {
      continue;
    }
    partial += partial.isEmpty() ? part : '\\' + part;
    settings.setValue(Encode(partial) + "/" + kKeyMarker, true);
  }
  settings.sync();
  return settings.status() == QSettings::NoError;
}

bool URegistryStore::DeleteKey(const char* path) {
  const QByteArray normal = NormalPath(path);
  if (!IsKnownRoot(m_Root) || normal.isEmpty()) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  if (!GroupExists(settings, normal)) {
    return false;
  }
  const QByteArray below = normal + '\\';
  for (const QString& group : settings.childGroups()) {
    if (Decode(group).startsWith(below)) {
      return false;
    }
  }
  settings.remove(Encode(normal));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

bool URegistryStore::QueryValue(const char* path, const char* name, uint32_t* type,
                                std::vector<unsigned char>* data) const {
  if (!IsKnownRoot(m_Root) || type == nullptr || data == nullptr) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  const QByteArray normal = NormalPath(path);
  if (!GroupExists(settings, normal)) {
    return false;
  }
  const QVariant packed = settings.value(Encode(normal) + "/" + ValueEntry(name));
  return packed.isValid() && UnpackValue(packed.toByteArray(), type, data);
}

bool URegistryStore::SetValue(const char* path, const char* name, uint32_t type, const void* data,
                              size_t size) {
  if (!IsKnownRoot(m_Root) || (data == nullptr && size != 0)) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  const QByteArray normal = NormalPath(path);
  if (!GroupExists(settings, normal)) {
    return false;
  }
  settings.setValue(Encode(normal) + "/" + ValueEntry(name), PackValue(type, data, size));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

bool URegistryStore::DeleteValue(const char* path, const char* name) {
  if (!IsKnownRoot(m_Root)) {
    return false;
  }
  QSettings settings(QString::fromStdString(FilePath()), QSettings::IniFormat);
  const QByteArray normal = NormalPath(path);
  const QString entry = Encode(normal) + "/" + ValueEntry(name);
  if (!GroupExists(settings, normal) || !settings.contains(entry)) {
    return false;
  }
  settings.remove(entry);
  settings.sync();
  return settings.status() == QSettings::NoError;
}
