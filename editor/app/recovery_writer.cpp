#include "editor/app/recovery_writer.h"

#include <QDateTime>
#include <QtGlobal>

#include "editor/doc/vello_doc.h"
#include "editor/doc/vello_editor.h"

namespace {

constexpr std::chrono::milliseconds kDefaultDelay{3000};

}  // namespace

CRecoveryWriter::CRecoveryWriter(CVelloEditor& editor, const CVelloDoc& doc, QString folder)
    : m_Editor(editor), m_Doc(doc), m_Folder(std::move(folder)), m_Thread([this] { RunWrites(); }) {
  m_Timer.setSingleShot(true);
  m_Timer.setInterval(kDefaultDelay);
  QObject::connect(&m_Timer, &QTimer::timeout, [this] { OnTimeout(); });
  m_SeenSerial = m_Editor.EditSerial();
  m_Editor.AddListener(this);
}

CRecoveryWriter::~CRecoveryWriter() {
  m_Editor.RemoveListener(this);
  m_Timer.stop();
  RemoveCopy();
  {
    std::lock_guard lock(m_Mutex);
    m_Stopping = true;
  }
  m_Wake.notify_one();
  m_Thread.join();
}

void CRecoveryWriter::SetDelay(std::chrono::milliseconds delay) {
  m_Timer.setInterval(delay);
}

void CRecoveryWriter::Adopt(std::unique_ptr<CRecoveryCopy> copy) {
  RemoveCopy();
  m_Timer.stop();
  m_Copy = std::move(copy);
  m_SeenSerial = m_Editor.EditSerial();
  m_WrittenSerial = m_SeenSerial;
}

void CRecoveryWriter::WaitForWrites() {
  std::unique_lock lock(m_Mutex);
  m_Idle.wait(lock, [this] { return !m_Pending && !m_Writing; });
}

std::string CRecoveryWriter::LastError() {
  std::lock_guard lock(m_Mutex);
  return m_LastError;
}

void CRecoveryWriter::OnEditorChanged(uint32_t /*changes*/) {
  if (!m_Editor.IsModified()) {
    m_Timer.stop();
    RemoveCopy();
    return;
  }
  // Each change to the actor restarts the wait; selections and the like do not.
  const uint64_t serial = m_Editor.EditSerial();
  if (serial != m_SeenSerial || (!m_Timer.isActive() && serial != m_WrittenSerial)) {
    m_SeenSerial = serial;
    m_Timer.start();
  }
}

void CRecoveryWriter::OnTimeout() {
  const uint64_t serial = m_Editor.EditSerial();
  if (!m_Editor.IsModified() || m_Editor.actor == nullptr || serial == m_WrittenSerial) {
    return;
  }
  if (!m_Copy) {
    std::string error;
    m_Copy = CRecoveryCopy::CreateLocked(m_Folder, &error);
    if (!m_Copy) {
      qWarning("No recovery copy: %s", error.c_str());
      std::lock_guard lock(m_Mutex);
      m_LastError = error;
      return;
    }
  }
  CRecoveryNote note;
  note.documentPath = m_Doc.Path();
  note.title = m_Doc.Title();
  note.time = QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ssZ").toStdString();
  for (int i = 0; i < m_Editor.actor->textures.Num(); ++i) {
    note.texturePaths.push_back(m_Editor.TexturePath(i));
  }
  Post({m_Copy->CopyPath(), m_Copy->NotePath(), m_Editor.StoredActor(), WriteRecoveryNote(note)});
  m_WrittenSerial = serial;
}

void CRecoveryWriter::RemoveCopy() {
  if (!m_Copy) {
    return;
  }
  {
    std::unique_lock lock(m_Mutex);
    m_Pending.reset();
    m_Idle.wait(lock, [this] { return !m_Writing; });
  }
  m_Copy->Remove();
  m_Copy.reset();
  m_WrittenSerial.reset();
}

void CRecoveryWriter::Post(Job job) {
  {
    std::lock_guard lock(m_Mutex);
    m_Pending = std::move(job);
  }
  m_Wake.notify_one();
}

void CRecoveryWriter::RunWrites() {
  std::unique_lock lock(m_Mutex);
  for (;;) {
    m_Wake.wait(lock, [this] { return m_Stopping || m_Pending; });
    if (!m_Pending) {
      return;
    }
    const Job job = std::move(*m_Pending);
    m_Pending.reset();
    m_Writing = true;
    lock.unlock();
    std::string error;
    const bool written =
        WriteRecoveryFiles(job.copyPath, job.stored, job.notePath, job.note, &error);
    if (!written) {
      qWarning("Writing the recovery copy failed: %s", error.c_str());
    }
    lock.lock();
    m_Writing = false;
    m_LastError = written ? std::string() : error;
    m_Idle.notify_all();
  }
}
