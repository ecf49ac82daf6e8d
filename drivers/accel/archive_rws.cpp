#include "drivers/accel/archive_rws.h"

#include <algorithm>
#include <climits>

namespace {

std::shared_ptr<RwStream> Share(RwStream* stream) {
  return std::shared_ptr<RwStream>(stream, [](RwStream* s) { RwStream::Close(s); });
}

// A stream offset as the archive interface gives it: -1 when an int cannot hold it.
int OffsetOrUnknown(uint64_t offset) {
  return offset > uint64_t{INT_MAX} ? -1 : static_cast<int>(offset);
}

}  // namespace

UArchiveRws::UArchiveRws(RwStream* stream) : m_Stream(stream == nullptr ? nullptr : Share(stream)) {
  if (stream != nullptr) {
    m_AccessMethod = stream->GetType() == rwSTREAMREAD ? ArRead : ArWrite;
    m_bOpened = true;
  }
}

UArchiveRws::~UArchiveRws() = default;

int UArchiveRws::Open(const char* name, ArAccessMethod mode) {
  Close();
  ClearFailed();
  m_ChunkEnds.clear();
  if (name == nullptr || (mode != ArWrite && mode != ArRead)) {
    return 0;
  }
  RwStream* stream = RwStream::Open(name, mode == ArWrite ? rwSTREAMWRITE : rwSTREAMREAD);
  if (stream == nullptr) {
    SetFailed();
    return 0;
  }
  m_Stream = Share(stream);
  // Readers of stored forms ask IsLoading(), so the mode is kept even though the stream knows it.
  m_AccessMethod = mode;
  m_bOpened = true;
  return 1;
}

void UArchiveRws::Seek(int /*offset*/, ArchivePos /*from*/) {
  // A writer that meant to come back would leave its bytes in the wrong place, a reader would
  // read the wrong ones: either way what follows is not what the caller expects.
  SetFailed();
}

void UArchiveRws::Write(const void* data, int size) {
  if (m_Stream == nullptr || size < 0 || !m_Stream->Write(data, static_cast<size_t>(size))) {
    SetFailed();
  }
}

void UArchiveRws::Read(void* data, int size) {
  if (m_Stream == nullptr || size < 0 ||
      m_Stream->Read(data, static_cast<size_t>(size)) != static_cast<size_t>(size)) {
    SetFailed();
  }
}

void UArchiveRws::Close() {
  // Buffered bytes that cannot be written are a failed write like any other. The last archive
  // holding a writing stream commits it here, where a file that cannot be replaced can still be
  // reported; the stream is then closed as the archive lets go of it.
  if (m_Stream != nullptr &&
      !(m_Stream.use_count() == 1 ? m_Stream->Commit() : m_Stream->Flush())) {
    SetFailed();
  }
  m_Stream.reset();
  m_Group.reset();
  m_ChunkEnds.clear();
  m_bOpened = false;
}

int UArchiveRws::TotalSize() {
  if (m_Stream == nullptr) {
    return -1;
  }
  const uint64_t position = m_Stream->GetPosition();
  if (m_Stream->GetType() != rwSTREAMREAD) {
    return OffsetOrUnknown(position);
  }
  CloseChunksBefore(position, false);
  return OffsetOrUnknown(m_ChunkEnds.empty() ? position + m_Stream->GetRemaining()
                                             : m_ChunkEnds.back());
}

int UArchiveRws::GetPos() {
  if (m_Stream == nullptr) {
    return 0;
  }
  return static_cast<int>(std::min<uint64_t>(m_Stream->GetPosition(), INT_MAX));
}

void UArchiveRws::CloseChunksBefore(uint64_t position, bool atHeader) {
  while (!m_ChunkEnds.empty() &&
         (m_ChunkEnds.back() < position || (atHeader && m_ChunkEnds.back() == position))) {
    m_ChunkEnds.pop_back();
  }
}

void UArchiveRws::OpenChunk(uint32_t size) {
  uint64_t end = m_Stream->GetPosition() + size;
  if (!m_ChunkEnds.empty()) {
    end = std::min(end, m_ChunkEnds.back());
  }
  m_ChunkEnds.push_back(end);
}

RwStream* UArchiveRws::WriteChunkHeader(int type, int size) {
  // A negative size would be stored as a size of gigabytes.
  if (size < 0 || !RwStreamWriteChunkHeader(m_Stream.get(), static_cast<uint32_t>(type),
                                            static_cast<uint32_t>(size))) {
    SetFailed();
    return nullptr;
  }
  return m_Stream.get();
}

RwStream* UArchiveRws::ReadChunkHeaderInfo(RwChunkHeaderInfo* info) {
  if (m_Stream != nullptr) {
    CloseChunksBefore(m_Stream->GetPosition(), true);
  }
  if (!RwStreamReadChunkHeaderInfo(m_Stream.get(), info)) {
    SetFailed();
    return nullptr;
  }
  OpenChunk(info->length);
  return m_Stream.get();
}

bool UArchiveRws::FindChunk(int type, unsigned int* size, unsigned int* version) {
  if (m_Stream == nullptr) {
    SetFailed();
    return false;
  }
  CloseChunksBefore(m_Stream->GetPosition(), true);
  uint32_t foundSize = 0;
  uint32_t foundVersion = 0;
  if (!RwStreamFindChunk(m_Stream.get(), static_cast<uint32_t>(type), &foundSize, &foundVersion)) {
    FailOnStreamError();
    return false;
  }
  // The chunks skipped on the way may have gone past the end of open ones.
  CloseChunksBefore(m_Stream->GetPosition() - kRwChunkHeaderSize, true);
  OpenChunk(foundSize);
  if (size != nullptr) {
    *size = foundSize;
  }
  if (version != nullptr) {
    *version = foundVersion;
  }
  return true;
}

void UArchiveRws::BeginWriteChunkGroup(const char* name) {
  m_Group.emplace(name == nullptr ? "" : name);
  if (m_Stream == nullptr || !m_Group->StreamWriteBegin(m_Stream.get())) {
    SetFailed();
  }
}

void UArchiveRws::EndWriteChunkGroup() {
  m_Group.reset();
  if (m_Stream == nullptr || !RwChunkGroup::StreamWriteEnd(m_Stream.get())) {
    SetFailed();
  }
}

void UArchiveRws::BeginReadChunkGroup() {
  m_Group.reset();
  unsigned int size = 0;
  if (!FindChunk(rwID_CHUNKGROUPSTART, &size, nullptr)) {
    return;
  }
  RwChunkGroup group;
  const bool read = group.StreamReadBegin(m_Stream.get(), size);
  // The start chunk is the archive's own, read whole: what follows it is not inside it.
  m_ChunkEnds.pop_back();
  if (!read) {
    SetFailed();
    return;
  }
  m_Group = group;
}

void UArchiveRws::EndReadChunkGroup() {
  unsigned int size = 0;
  // The end marker has no payload; one that carries some is stepped over whole.
  if (!FindChunk(rwID_CHUNKGROUPEND, &size, nullptr)) {
    return;
  }
  m_ChunkEnds.pop_back();
  if (!m_Stream->Skip(size)) {
    SetFailed();
  }
}

void UArchiveRws::FailOnStreamError() {
  if (m_Stream->GetError() != RwStreamError::kNone) {
    SetFailed();
  }
}
