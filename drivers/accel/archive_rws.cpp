#include "drivers/accel/archive_rws.h"

namespace {

std::shared_ptr<RwStream> Share(RwStream* stream) {
  return std::shared_ptr<RwStream>(stream, [](RwStream* s) { RwStream::Close(s); });
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

void UArchiveRws::Seek(int /*offset*/, ArchivePos /*from*/) {}

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
  // Buffered bytes that cannot be written are a failed write like any other.
  if (m_Stream != nullptr && !m_Stream->Flush()) {
    SetFailed();
  }
  m_Stream.reset();
  m_Group.reset();
  m_bOpened = false;
}

int UArchiveRws::TotalSize() {
  return -1;
}

int UArchiveRws::GetPos() {
  return 0;
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
  if (!RwStreamReadChunkHeaderInfo(m_Stream.get(), info)) {
    SetFailed();
    return nullptr;
  }
  return m_Stream.get();
}

bool UArchiveRws::FindChunk(int type, unsigned int* size, unsigned int* version) {
  if (m_Stream == nullptr) {
    SetFailed();
    return false;
  }
  uint32_t foundSize = 0;
  uint32_t foundVersion = 0;
  if (!RwStreamFindChunk(m_Stream.get(), static_cast<uint32_t>(type), &foundSize, &foundVersion)) {
    FailOnStreamError();
    return false;
  }
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
  if (!group.StreamReadBegin(m_Stream.get(), size)) {
    SetFailed();
    return;
  }
  m_Group = group;
}

void UArchiveRws::EndReadChunkGroup() {
  unsigned int size = 0;
  // The end marker has no payload; one that carries some is stepped over whole.
  if (FindChunk(rwID_CHUNKGROUPEND, &size, nullptr) && !m_Stream->Skip(size)) {
    SetFailed();
  }
}

void UArchiveRws::FailOnStreamError() {
  if (m_Stream->GetError() != RwStreamError::kNone) {
    SetFailed();
  }
}
