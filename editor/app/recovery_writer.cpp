#include "editor/app/recovery_writer.h"

#include <QDateTime>
#include <QtGlobal>

#include "editor/doc/vello_doc.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/ui_text.h"

namespace {

constexpr std::chrono::milliseconds kDefaultDelay{3000};
constexpr std::chrono::milliseconds kDefaultLongestWait{30000};

}  // namespace

CRecoveryWriter::CRecoveryWriter(CVelloEditor& editor, const CVelloDoc& doc, QString folder)
    : m_Editor(editor), m_Doc(doc), m_Folder(std::move(folder)), m_Thread([this] { RunWrites(); }) {
  m_Timer.setSingleShot(true);
  m_Timer.setInterval(kDefaultDelay);
  QObject::connect(&m_Timer, &QTimer::timeout, [this] { OnTimeout(); });
  m_Deadline.setSingleShot(true);
  m_Deadline.setInterval(kDefaultLongestWait);
  QObject::connect(&m_Deadline, &QTimer::timeout, [this] { OnTimeout(); });
  m_SeenSerial = m_Editor.EditSerial();
  m_Editor.AddListener(this);
}

CRecoveryWriter::~CRecoveryWriter() {
  m_Editor.RemoveListener(this);
  m_Timer.stop();
  m_Deadline.stop();
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

void CRecoveryWriter::SetLongestWait(std::chrono::milliseconds wait) {
  m_Deadline.setInterval(wait);
}

void CRecoveryWriter::SetProblemHandler(std::function<void(const std::string&)> handler) {
  m_SayProblem = std::move(handler);
}

void CRecoveryWriter::Adopt(std::unique_ptr<CRecoveryCopy> copy) {
  RemoveCopy();
  m_Timer.stop();
  m_Deadline.stop();
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
    m_Deadline.stop();
    RemoveCopy();
    return;
  }
  // Each change to the actor restarts the wait, within the longest wait from the first change
  // not yet written; selections and the like do not.
  const uint64_t serial = m_Editor.EditSerial();
  if (serial != m_SeenSerial || (!m_Timer.isActive() && serial != m_WrittenSerial)) {
    m_SeenSerial = serial;
    m_Timer.start();
    if (!m_Deadline.isActive()) {
      m_Deadline.start();
    }
  }
}

void CRecoveryWriter::OnTimeout() {
  m_Timer.stop();
  m_Deadline.stop();
  if (!m_Editor.IsModified() || m_Editor.Actor() == nullptr ||
      m_Editor.EditSerial() == m_WrittenSerial) {
    return;
  }
  CStoredForm stored = m_Editor.CurrentStoredForm();
  if (!m_Editor.IsModified()) {
    return;  // the run of nudges it recorded came back to the saved state
  }
  const uint64_t serial = m_Editor.EditSerial();
  if (!m_Copy) {
    std::string error;
    m_Copy = CRecoveryCopy::CreateLocked(m_Folder, &error);
    if (!m_Copy) {
      {
        std::lock_guard lock(m_Mutex);
        m_LastError = error;
      }
      Failed(error);
      return;
    }
  }
  CRecoveryNote note;
  note.documentPath = m_Doc.Path();
  note.title = m_Doc.Title();
  note.time = QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ssZ").toStdString();
  for (int i = 0; i < m_Editor.Actor()->textures.Num(); ++i) {
    note.texturePaths.push_back(m_Editor.TexturePath(i));
  }
  Post({m_Copy->CopyPath(), m_Copy->NotePath(), std::move(stored), WriteRecoveryNote(note)});
  m_WrittenSerial = serial;
}

void CRecoveryWriter::Failed(const std::string& error) {
  qWarning("The recovery copy is not kept: %s", error.c_str());
  if (!m_ProblemSaid && m_SayProblem) {
    m_SayProblem(
        UiText::tr("无法保存恢复副本：%1").arg(QString::fromStdString(error)).toStdString());
  }
  m_ProblemSaid = true;
  m_WrittenSerial.reset();
  if (m_Editor.IsModified()) {
    m_Timer.start();
  }
}

void CRecoveryWriter::Succeeded() {
  m_ProblemSaid = false;
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
        WriteRecoveryFiles(job.copyPath, *job.stored, job.notePath, job.note, &error);
    // The timer's thread hears of it; the call is dropped when the writer has gone.
    QMetaObject::invokeMethod(
        &m_Timer, [this, written, error] { written ? Succeeded() : Failed(error); },
        Qt::QueuedConnection);
    lock.lock();
    m_Writing = false;
    m_LastError = written ? std::string() : error;
    m_Idle.notify_all();
  }
}
