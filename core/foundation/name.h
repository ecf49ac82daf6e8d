#pragma once

#include <cstdint>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"

// A name held by value in a fixed, zero-filled 32-byte buffer (at most 31 bytes of text), compared
// by content. Longer texts are cut to fit, between characters of the GBK code page.
class CORE_API UName {
 public:
  static constexpr int kBufferSize = 32;

  // The empty name; the cached id is 0xFFFF.
  UName();
  // Copies `text` (null gives the empty name); the id is the text's hash.
  UName(const char* text);  // NOLINT(google-explicit-constructor): names are built from literals
  // Copies the text and the cached id.
  UName(const UName& other);
  // Copies the text; the id becomes the hash of the new text.
  UName& operator=(const UName& other);
  // Copies the text; the id keeps its previous value.
  UName& operator=(const char* text);
  virtual ~UName();

  bool operator==(const UName& other) const;
  bool operator!=(const UName& other) const { return !(*this == other); }

  int Length() const;
  // Clears the text to zeros, sets the id to 0 and returns 1.
  int Empty();
  bool IsEmpty() const { return m_Text[0] == '\0'; }
  // The buffer itself; writers keep to 31 bytes and the terminator.
  char* GetString() { return m_Text; }
  const char* GetString() const { return m_Text; }
  // The hash of the current text (never the cached id): h = h * 5 + byte, bytes signed.
  uint16_t GetGUID() const;
  // The cached id, as the stored tag block records it.
  uint16_t GetCachedId() const { return m_Id; }
  void SetCachedId(uint16_t id) { m_Id = id; }

 private:
  void Assign(const char* text);

  char m_Text[kBufferSize];
  uint16_t m_Id;
};

// An 8-byte name (at most 7 bytes of text) with a hash of its own.
class CORE_API UNameShort {
 public:
  static constexpr int kBufferSize = 8;

  UNameShort();
  UNameShort(const char* text);  // NOLINT(google-explicit-constructor)
  UNameShort(const UNameShort& other) = default;
  UNameShort& operator=(const UNameShort& other) = default;
  UNameShort& operator=(const char* text);

  bool operator==(const UNameShort& other) const;
  bool operator!=(const UNameShort& other) const { return !(*this == other); }

  int Length() const;
  int Empty();
  bool IsEmpty() const { return m_Text[0] == '\0'; }
  char* GetString() { return m_Text; }
  const char* GetString() const { return m_Text; }
  uint16_t GetGUID() const;

 private:
  char m_Text[kBufferSize];
};

// A name is stored as exactly its 32 bytes. Reading sets the cached id to the hash of the text.
CORE_API UArchive& operator<<(UArchive& ar, const UName& name);
CORE_API UArchive& operator>>(UArchive& ar, UName& name);

// A list of names: a 32-bit signed count, then that many names. A negative count, or one the
// rest of the stream cannot hold, fails the archive and leaves the list empty; a read that ends
// early keeps the names read completely.
CORE_API UArchive& operator<<(UArchive& ar, const UArray<UName>& names);
CORE_API UArchive& operator>>(UArchive& ar, UArray<UName>& names);
