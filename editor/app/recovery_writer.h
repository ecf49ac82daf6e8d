#pragma once

#include <QString>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "editor/app/recovery_store.h"
#include "editor/doc/edit_history.h"
#include "editor/doc/editor_listener.h"

class CVelloEditor;
class CVelloDoc;

// Keeps the recovery copy of the document while it has unsaved changes: a while after the last
// edit, and at the latest a longer while after the first edit not yet written however the edits
// go on, it takes the actor's stored form (the bytes the history holds; only during a mouse drag
// is it encoded here) and hands it with the note to a thread of its own, which writes the note,
// then the copy, each atomically; the GUI never waits for the disk. A write that is still
// waiting when a newer one comes is dropped for the newer. A lock or write that fails is said
// once (until one succeeds) and tried again after the delay. When the document has no unsaved
// changes any more (saved, New, another document opened, changes undone) and when the writer goes
// (a normal exit), the copy, its note and its lock are removed, after the write in progress.
class CRecoveryWriter : public CEditorListener {
 public:
  CRecoveryWriter(CVelloEditor& editor, const CVelloDoc& doc, QString folder);
  CRecoveryWriter(const CRecoveryWriter&) = delete;
  CRecoveryWriter& operator=(const CRecoveryWriter&) = delete;
  ~CRecoveryWriter() override;

  // How long after the last edit the copy is written (3 s unless set).
  void SetDelay(std::chrono::milliseconds delay);
  // The longest a change waits while edits go on (30 s unless set).
  void SetLongestWait(std::chrono::milliseconds wait);
  // Where a failed lock or write is said (UTF-8); nowhere unless set.
  void SetProblemHandler(std::function<void(const std::string&)> handler);
  // Makes a restored copy this editor's own: it holds what the editor holds now, and later
  // writes replace it.
  void Adopt(std::unique_ptr<CRecoveryCopy> copy);
  // The copy of this editor, or null while there is none.
  const CRecoveryCopy* Copy() const { return m_Copy.get(); }
  // Blocks until every write handed over so far is on the disk.
  void WaitForWrites();
  // The reason the last write failed, "" when it succeeded.
  std::string LastError();

  void OnEditorChanged(uint32_t changes) override;

 private:
  struct Job {
    std::string copyPath;
    std::string notePath;
    CStoredForm stored;
    std::string note;
  };

  void OnTimeout();
  // On the GUI thread: says why the copy is not kept (once until a write succeeds) and tries
  // again after the delay.
  void Failed(const std::string& error);
  void Succeeded();
  // Removes the copy once the write in progress has finished.
  void RemoveCopy();
  void Post(Job job);
  void RunWrites();

  CVelloEditor& m_Editor;
  const CVelloDoc& m_Doc;
  QString m_Folder;
  QTimer m_Timer;     // restarted by each change
  QTimer m_Deadline;  // started by the first change not yet written
  std::function<void(const std::string&)> m_SayProblem;
  bool m_ProblemSaid = false;
  std::unique_ptr<CRecoveryCopy> m_Copy;
  // The editor's EditSerial() at the last change heard, and the one the copy holds (when there
  // is a copy).
  uint64_t m_SeenSerial = 0;
  std::optional<uint64_t> m_WrittenSerial;

  std::mutex m_Mutex;
  std::condition_variable m_Wake;
  std::condition_variable m_Idle;
  std::optional<Job> m_Pending;
  bool m_Writing = false;
  bool m_Stopping = false;
  std::string m_LastError;
  std::thread m_Thread;
};
