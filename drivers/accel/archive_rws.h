#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/foundation/archive.h"
#include "drivers/accel/engine/rw_chunk_group.h"
#include "drivers/accel/engine/rw_stream.h"
#include "drivers/accel/tessel_api.h"

// An archive on the engine's chunked byte streams, so that engine data and Core data can share
// one file: a sequence of typed, versioned chunks, optionally grouped under a name. Stored forms
// written through operator<< go into the stream as they are; the caller frames them with chunk
// headers.
//
// The stream cannot be seeked: Seek fails the archive. GetPos() is the bytes read or written
// since the stream opened. When reading, TotalSize() is where the open chunk ends (so that
// RemainingBytes() is what is left of it, and a stored form read from a chunk cannot claim more
// than the chunk holds), or the stream's length outside chunks. A chunk opens when its header is
// read (ReadChunkHeaderInfo, FindChunk) and stays open until the next header is read at or past
// its end, or a read goes past its end; chunks opened inside it are measured against both. The
// group chunks, which the archive reads whole itself, close once read.
// Beyond 2 GiB, where an int cannot tell, the size is reported unknown (-1). Chunk headers are
// checked against the stream itself: a chunk that runs past the end of the file, a group whose name
// runs past its start chunk, or a version outside 0x35000 to 0x37002 fails the read and marks the
// archive failed (IsFailed()); reaching the clean end of the stream does not.
//
// Copies share the stream; it is closed by Close, or when the last archive sharing it goes.
class TESSEL_API UArchiveRws : public UArchive {
 public:
  UArchiveRws() = default;
  // Takes over `stream`, as if this archive had opened it.
  explicit UArchiveRws(RwStream* stream);
  UArchiveRws(const UArchiveRws&) = default;
  UArchiveRws& operator=(const UArchiveRws&) = default;
  ~UArchiveRws() override;

  // ArWrite starts a new file that replaces the named one when the stream is closed, unless a
  // write failed; ArRead opens an existing regular file; any other mode opens nothing. A stream
  // still held is let go first. Returns 1 when a stream is open afterwards, else 0.
  int Open(const char* name, ArAccessMethod mode) override;
  // The stream cannot move: fails the archive and moves nothing.
  void Seek(int offset, ArchivePos from) override;
  void Write(const void* data, int size) override;
  void Read(void* data, int size) override;
  // Writes out what is buffered, or, when no copy shares the stream, makes the written file
  // replace the named one; fails the archive when that fails or a write failed before. Then lets
  // go of the stream (closing it unless a copy still shares it) and of the group.
  void Close() override;
  // Writing: the bytes written. Reading: where the open chunk ends, or the stream's length
  // outside chunks. -1 beyond 2 GiB or without a stream.
  int TotalSize() override;
  // The bytes read or written since the stream opened (at most 2 GiB - 1); 0 without a stream.
  int GetPos() override;

  // Writes a chunk header with version 0x37002 and build 0x37; the stream, or null when there is
  // none or the write failed.
  RwStream* WriteChunkHeader(int type, int size);
  // Reads the next chunk header; the stream, or null for a short header or one whose size runs
  // past the end of the stream.
  RwStream* ReadChunkHeaderInfo(RwChunkHeaderInfo* info);
  // Skips chunks of other types until one of `type`, and stores its payload size and version
  // where the pointers are not null; the stream is then at its payload. False at the end of the
  // stream, or for a damaged chunk or an unaccepted version (which also fail the archive).
  bool FindChunk(int type, unsigned int* size, unsigned int* version);

  // Starts a group named `name` (a name of 32 characters or more leaves it empty) by writing its
  // group-start chunk. Groups nest: a group begun inside another replaces it as the open group.
  void BeginWriteChunkGroup(const char* name);
  // Writes a group-end chunk and lets the open group go.
  void EndWriteChunkGroup();
  // Finds the next group-start chunk and reads it into the open group; with none found (or a
  // damaged one) there is no open group afterwards.
  void BeginReadChunkGroup();
  // Finds and consumes the next group-end chunk; the group read last stays open, so its name can
  // still be asked for.
  void EndReadChunkGroup();

  // The open group, null when none.
  const RwChunkGroup* GetChunkGroup() const { return m_Group ? &*m_Group : nullptr; }
  // The stream, null when closed.
  RwStream* GetStream() const { return m_Stream.get(); }

 private:
  // Marks the archive failed when the stream's last failure was damage or an I/O error.
  void FailOnStreamError();
  // Closes the chunks that end before `position` (or at it, when `atHeader`: a header there is
  // the next chunk's).
  void CloseChunksBefore(uint64_t position, bool atHeader);
  // Opens the chunk whose header was just read, with `size` bytes of payload from here.
  void OpenChunk(uint32_t size);

  std::optional<RwChunkGroup> m_Group;
  std::shared_ptr<RwStream> m_Stream;
  // Where each open chunk ends, innermost last; never past the one that holds it.
  std::vector<uint64_t> m_ChunkEnds;
};
