#include "editor/app/recovery_store.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <map>

#include "core/anim/obj_actor.h"
#include "core/foundation/archive_memory.h"
#include "core/foundation/atomic_file.h"
#include "core/foundation/regular_file.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

namespace {

// Far beyond any real actor (the history keeps at most 256 MiB of stored forms).
constexpr size_t kMaxCopySize = size_t{1} << 30;

QString FilePath(const QString& folder, const QString& id, const char* extension) {
  return folder + "/" + id + extension;
}

bool WriteAtomically(const std::string& path, const void* data, size_t size, std::string* error) {
  UAtomicFile file(path);
  if (!file.Begin()) {
    *error = file.Error();
    return false;
  }
  if (size > 0 && std::fwrite(data, 1, size, file.Stream()) != size) {
    *error = "writing " + file.Path() + " failed";
    return false;
  }
  if (!file.Commit()) {
    *error = file.Error();
    return false;
  }
  return true;
}

std::string UtcTimeOf(const QDateTime& time) {
  return time.toUTC().toString("yyyy-MM-ddTHH:mm:ssZ").toStdString();
}

// Why the stored form is not a whole actor, or "".
std::string StoredActorProblem(const std::vector<unsigned char>& stored) {
  UArchiveMemory archive(stored.data(), stored.size());
  UObjActor actor;
  archive >> actor;
  return archive.IsFailed() ? "the copy is not a whole actor" : std::string();
}

// Reads what copy `id` holds into `found`. A copy that reads whole without its note (missing or
// damaged) can still be restored, as a document never saved.
void ReadFound(CFoundRecovery& found) {
  CRecoveryOffer& offer = found.offer;
  if (!ReadRegularFile(found.copy->CopyPath().c_str(), kMaxCopySize, found.stored)) {
    offer.problem = "the copy is missing or cannot be read";
  } else {
    offer.problem = StoredActorProblem(found.stored);
  }
  std::vector<unsigned char> note_bytes;
  const bool note_read =
      ReadRegularFile(found.copy->NotePath().c_str(), kMaxRecoveryNoteSize, note_bytes) &&
      ReadRecoveryNote(
          std::string_view(reinterpret_cast<const char*>(note_bytes.data()), note_bytes.size()),
          &found.note)
          .empty();
  if (note_read) {
    offer.title = found.note.title;
    offer.documentPath = found.note.documentPath;
    offer.time = found.note.time;
  } else {
    found.note = CRecoveryNote();
    offer.title =
        offer.problem.empty() ? UiText::Utf8(res::kUntitled) : found.copy->Id().toStdString();
  }
  if (!offer.problem.empty()) {
    found.stored.clear();
  }
  if (offer.title.empty()) {
    offer.title = found.copy->Id().toStdString();
  }
}

}  // namespace

QString RecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
}

CRecoveryCopy::CRecoveryCopy(const QString& folder, const QString& id)
    : m_Folder(folder), m_Id(id), m_Lock(FilePath(folder, id, ".lock")) {
  m_Lock.setStaleLockTime(0);
}

CRecoveryCopy::~CRecoveryCopy() = default;

std::unique_ptr<CRecoveryCopy> CRecoveryCopy::CreateLocked(const QString& folder,
                                                           std::string* error) {
  if (!QDir().mkpath(folder)) {
    *error = "cannot make the folder " + folder.toStdString();
    return nullptr;
  }
  auto copy =
      std::make_unique<CRecoveryCopy>(folder, QUuid::createUuid().toString(QUuid::WithoutBraces));
  if (!copy->TryLock()) {
    *error = "cannot make the lock file in " + folder.toStdString();
    return nullptr;
  }
  return copy;
}

bool CRecoveryCopy::TryLock() {
  return m_Lock.isLocked() || m_Lock.tryLock(0);
}

std::string CRecoveryCopy::CopyPath() const {
  return FilePath(m_Folder, m_Id, ".an1").toStdString();
}

std::string CRecoveryCopy::NotePath() const {
  return FilePath(m_Folder, m_Id, ".note").toStdString();
}

void CRecoveryCopy::Remove() {
  QFile::remove(QString::fromStdString(CopyPath()));
  QFile::remove(QString::fromStdString(NotePath()));
  m_Lock.unlock();
}

bool WriteRecoveryFiles(const std::string& copyPath, const std::vector<unsigned char>& stored,
                        const std::string& notePath, const std::string& note, std::string* error) {
  // The note first: a copy found without its note could not say whose it is.
  return WriteAtomically(notePath, note.data(), note.size(), error) &&
         WriteAtomically(copyPath, stored.data(), stored.size(), error);
}

std::vector<CFoundRecovery> FindRecoveryCopies(const QString& folder) {
  // Each id with the time its newest file was written.
  std::map<QString, QDateTime> ids;
  const QFileInfoList files =
      QDir(folder).entryInfoList({"*.an1", "*.note", "*.lock"}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& file : files) {
    // Every name the writer gives has an id before its extension.
    if (file.completeBaseName().isEmpty()) {
      continue;
    }
    QDateTime& newest = ids[file.completeBaseName()];
    newest = std::max(newest, file.lastModified());
  }
  std::vector<std::pair<QDateTime, QString>> by_time;
  for (const auto& [id, time] : ids) {
    by_time.emplace_back(time, id);
  }
  std::sort(by_time.begin(), by_time.end());

  std::vector<CFoundRecovery> found;
  for (const auto& [time, id] : by_time) {
    auto copy = std::make_unique<CRecoveryCopy>(folder, id);
    if (!copy->TryLock()) {
      continue;  // a running editor's own copy
    }
    const bool has_files = QFileInfo::exists(QString::fromStdString(copy->CopyPath())) ||
                           QFileInfo::exists(QString::fromStdString(copy->NotePath()));
    if (!has_files) {
      copy->Remove();
      continue;
    }
    CFoundRecovery& entry = found.emplace_back();
    entry.copy = std::move(copy);
    entry.offer.time = UtcTimeOf(time);
    ReadFound(entry);
  }
  return found;
}
