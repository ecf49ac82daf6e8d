#pragma once

#include <QLockFile>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "editor/app/recovery_note.h"
#include "editor/services/recovery_offer.h"

// The folder of recovery copies: "recovery" in the user's data folder
// (QStandardPaths::AppDataLocation).
QString RecoveryFolder();

// One recovery copy in the folder, named by its id: the actor's stored form "<id>.an1", its note
// "<id>.note" and the lock "<id>.lock". The editor that writes a copy, or restored it, holds the
// lock for as long as the copy is its own; a copy whose lock is held belongs to a running editor
// and is never offered nor removed by another. The lock never goes stale by age: only when the
// process holding it is gone can another take it.
class CRecoveryCopy {
 public:
  CRecoveryCopy(const QString& folder, const QString& id);
  CRecoveryCopy(const CRecoveryCopy&) = delete;
  CRecoveryCopy& operator=(const CRecoveryCopy&) = delete;
  // Releases the lock (its file goes) and leaves the copy and note where they are.
  ~CRecoveryCopy();

  // A copy with a fresh id, its lock taken (the folder is made when missing); null with the
  // reason in `error` when the lock cannot be made.
  static std::unique_ptr<CRecoveryCopy> CreateLocked(const QString& folder, std::string* error);

  // Takes the lock at once or not at all.
  bool TryLock();
  const QString& Id() const { return m_Id; }
  std::string CopyPath() const;
  std::string NotePath() const;
  // Removes the copy and its note, then releases the lock.
  void Remove();

 private:
  QString m_Folder;
  QString m_Id;
  QLockFile m_Lock;
};

// Writes `stored` to `copyPath` and `note` to `notePath`, each atomically (a reader finds the old
// file or the whole new one, also after a crash). Touches nothing but those files, so it may run
// on any thread. False with the reason in `error` when a write failed.
bool WriteRecoveryFiles(const std::string& copyPath, const std::vector<unsigned char>& stored,
                        const std::string& notePath, const std::string& note, std::string* error);

// A copy found at start whose lock this editor now holds, with what it holds.
struct CFoundRecovery {
  std::unique_ptr<CRecoveryCopy> copy;
  CRecoveryOffer offer;
  CRecoveryNote note;                 // valid when offer.problem is empty
  std::vector<unsigned char> stored;  // a whole actor when offer.problem is empty
};

// Every copy in `folder` that no running editor holds, oldest first, each locked now. A note
// that cannot be read, or a copy that is not a whole actor, gives an offer with its problem.
// Locks left by an editor that died before writing anything are removed on the way.
std::vector<CFoundRecovery> FindRecoveryCopies(const QString& folder);
