#include "core/foundation/stored_bytes.h"

const unsigned char* StoredReader::TakeSlowly(int size) {
  Commit();
  if (size == 0) {
    static const unsigned char kNothing = 0;
    return &kNothing;
  }
  if (size < 0 || m_Ar.IsFailed()) {
    m_Ar.SetFailed();
    return nullptr;
  }
  const int want = size > kViewSize ? size : kViewSize;
  const UArchive::ReadView view = m_Ar.PeekRead(want);
  if (view.size >= size) {
    m_RemainingAtView = m_Ar.RemainingBytes();
    m_View = view.data;
    m_Next = view.data + size;
    m_End = view.data + view.size;
    return view.data;
  }
  // The archive cannot lend its bytes (or the stream ends): read this record into our own.
  m_Scratch.resize(static_cast<size_t>(size));
  m_Ar.Read(m_Scratch.data(), size);
  return m_Ar.IsFailed() ? nullptr : m_Scratch.data();
}

void StoredReader::Commit() {
  if (m_View != nullptr) {
    m_Ar.SkipRead(static_cast<int>(m_Next - m_View));
  }
  m_View = m_Next = m_End = nullptr;
}
