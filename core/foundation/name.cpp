#include "core/foundation/name.h"

#include <cstring>

#include "core/foundation/stored_count.h"
#include "core/foundation/text_codec.h"

namespace {

// Zero-fills `buffer` and copies as much of `text` as fits before the terminator, never cutting
// a double-byte character.
template <size_t N>
void CopyFitted(char (&buffer)[N], const char* text) {
  std::memset(buffer, 0, N);
  if (text == nullptr) {
    return;
  }
  const std::string_view whole(text, strnlen(text, N));
  std::memcpy(buffer, text, GbkFitLength(whole, N - 1));
}

int TerminatedLength(const char* text, size_t capacity) {
  return static_cast<int>(strnlen(text, capacity));
}

}  // namespace

UName::UName() : m_Text{}, m_Id(0xFFFF) {}

UName::UName(const char* text) : m_Text{} {
  Assign(text);
  m_Id = GetGUID();
}

UName::UName(const UName& other) : m_Id(other.m_Id) {
  std::memcpy(m_Text, other.m_Text, sizeof(m_Text));
}

UName& UName::operator=(const UName& other) {
  if (this != &other) {
    Assign(other.m_Text);
  }
  m_Id = GetGUID();
  return *this;
}

UName& UName::operator=(const char* text) {
  Assign(text);
  return *this;
}

UName::~UName() = default;

void UName::Assign(const char* text) {
  CopyFitted(m_Text, text);
}

bool UName::operator==(const UName& other) const {
  return std::strncmp(m_Text, other.m_Text, sizeof(m_Text)) == 0;
}

int UName::Length() const {
  return TerminatedLength(m_Text, sizeof(m_Text));
}

int UName::Empty() {
  std::memset(m_Text, 0, sizeof(m_Text));
  m_Id = 0;
  return 1;
}

uint16_t UName::GetGUID() const {
  // One pass up to the terminator: documents hash every name they hold as they are read.
  uint16_t hash = 0;
  for (size_t i = 0; i < sizeof(m_Text) && m_Text[i] != '\0'; ++i) {
    hash = static_cast<uint16_t>(hash * 5 + static_cast<signed char>(m_Text[i]));
  }
  return hash;
}

UNameShort::UNameShort() : m_Text{} {}

UNameShort::UNameShort(const char* text) : m_Text{} {
  CopyFitted(m_Text, text);
}

UNameShort& UNameShort::operator=(const char* text) {
  CopyFitted(m_Text, text);
  return *this;
}

bool UNameShort::operator==(const UNameShort& other) const {
  return std::strncmp(m_Text, other.m_Text, sizeof(m_Text)) == 0;
}

int UNameShort::Length() const {
  return TerminatedLength(m_Text, sizeof(m_Text));
}

int UNameShort::Empty() {
  std::memset(m_Text, 0, sizeof(m_Text));
  return 1;
}

uint16_t UNameShort::GetGUID() const {
  const int length = Length();
  int32_t sum = 0;
  for (int i = 0; i < length; ++i) {
    sum += static_cast<signed char>(m_Text[i]);
  }
  for (int i = 0; i < length; i += 2) {
    sum -= i * (static_cast<signed char>(m_Text[i]) / 2);
  }
  for (int i = 1; i < length; i += 2) {
    sum += 2 * i * static_cast<signed char>(m_Text[i]);
  }
  return static_cast<uint16_t>(sum);
}

// The 32 bytes move as one block: the same bytes as one at a time, and documents hold thousands
// of names.
UArchive& operator<<(UArchive& ar, const UName& name) {
  ar.Write(name.GetString(), UName::kBufferSize);
  return ar;
}

UArchive& operator>>(UArchive& ar, UName& name) {
  name.Empty();
  char* text = name.GetString();
  ar.Read(text, UName::kBufferSize);
  // A stored name always ends in a zero byte; a damaged one is cut so the text stays terminated.
  text[UName::kBufferSize - 1] = '\0';
  name.SetCachedId(name.GetGUID());
  return ar;
}

UArchive& operator<<(UArchive& ar, const UArray<UName>& names) {
  ar << static_cast<int32_t>(names.size());
  for (const UName& name : names) {
    ar << name;
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, UArray<UName>& names) {
  names.clear();
  int32_t count = 0;
  if (!ReadStoredCount(ar, count, UName::kBufferSize)) {
    return ar;
  }
  ReserveStored(ar, names, count);
  for (int32_t i = 0; i < count; ++i) {
    UName name;
    ar >> name;
    if (ar.IsFailed()) {
      break;
    }
    names.push_back(name);
  }
  return ar;
}
