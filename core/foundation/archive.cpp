#include "core/foundation/archive.h"

#include <bit>
#include <climits>
#include <cstddef>
#include <type_traits>

UArchive::UArchive(const UArchive& other)
    : m_AccessMethod(other.m_AccessMethod.load())
    , m_bOpened(other.m_bOpened)
    , m_Size(other.m_Size)
    , m_bFailed(other.m_bFailed.load()) {}

UArchive& UArchive::operator=(const UArchive& other) {
  m_AccessMethod = other.m_AccessMethod.load();
  m_bOpened = other.m_bOpened;
  m_Size = other.m_Size;
  m_bFailed = other.m_bFailed.load();
  return *this;
}

UArchive::~UArchive() = default;

void UArchive::LockStream() {}

void UArchive::UnlockStream() {}

UArchive::ReadView UArchive::PeekRead(int /*min_size*/) {
  return {};
}

void UArchive::SkipRead(int /*size*/) {}

int UArchive::RemainingBytes() {
  const int total = TotalSize();
  if (total < 0) {
    return -1;
  }
  const int remaining = total - GetPos();
  return remaining < 0 ? 0 : remaining;
}

bool UArchive::CanHold(int64_t count, int64_t min_record_size) {
  return CountFitsIn(count, min_record_size, RemainingBytes());
}

namespace {

// The stored bits of a value: the value itself for integers, the IEEE bit pattern for floats,
// narrowed to the stored width (long is 4 bytes in every stored form).
template <typename Stored, typename T>
Stored ToStoredBits(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    return std::bit_cast<Stored>(value);
  } else {
    return static_cast<Stored>(value);
  }
}

template <typename Stored, typename T>
T FromStoredBits(Stored bits) {
  if constexpr (std::is_floating_point_v<T>) {
    return std::bit_cast<T>(bits);
  } else if constexpr (std::is_signed_v<T>) {
    // Sign-extend from the stored width.
    return static_cast<T>(static_cast<std::make_signed_t<Stored>>(bits));
  } else {
    return static_cast<T>(bits);
  }
}

template <typename Stored>
void EncodeLittleEndian(Stored bits, unsigned char (&bytes)[sizeof(Stored)]) {
  for (size_t i = 0; i < sizeof(Stored); ++i) {
    bytes[i] = static_cast<unsigned char>(bits >> (CHAR_BIT * i));
  }
}

template <typename Stored>
Stored DecodeLittleEndian(const unsigned char (&bytes)[sizeof(Stored)]) {
  Stored bits = 0;
  for (size_t i = 0; i < sizeof(Stored); ++i) {
    bits = static_cast<Stored>(bits | static_cast<Stored>(Stored{bytes[i]} << (CHAR_BIT * i)));
  }
  return bits;
}

template <typename Stored, typename T>
UArchive& WriteValue(UArchive& ar, T value) {
  unsigned char bytes[sizeof(Stored)];
  EncodeLittleEndian(ToStoredBits<Stored>(value), bytes);
  ar.Write(bytes, sizeof(bytes));
  return ar;
}

// The destination starts from the value's own bytes, so a short read leaves the bytes it did not
// reach unchanged.
template <typename Stored, typename T>
UArchive& ReadValue(UArchive& ar, T& value) {
  unsigned char bytes[sizeof(Stored)];
  EncodeLittleEndian(ToStoredBits<Stored>(value), bytes);
  ar.Read(bytes, sizeof(bytes));
  value = FromStoredBits<Stored, T>(DecodeLittleEndian<Stored>(bytes));
  return ar;
}

}  // namespace

UArchive& operator<<(UArchive& ar, const char& v) {
  return WriteValue<uint8_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const signed char& v) {
  return WriteValue<uint8_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const unsigned char& v) {
  return WriteValue<uint8_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const short& v) {
  return WriteValue<uint16_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const unsigned short& v) {
  return WriteValue<uint16_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const int& v) {
  return WriteValue<uint32_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const unsigned int& v) {
  return WriteValue<uint32_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const long& v) {
  return WriteValue<uint32_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const unsigned long& v) {
  return WriteValue<uint32_t>(ar, v);
}
UArchive& operator<<(UArchive& ar, const float& v) {
  return WriteValue<uint32_t>(ar, v);
}

UArchive& operator>>(UArchive& ar, char& v) {
  return ReadValue<uint8_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, signed char& v) {
  return ReadValue<uint8_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, unsigned char& v) {
  return ReadValue<uint8_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, short& v) {
  return ReadValue<uint16_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, unsigned short& v) {
  return ReadValue<uint16_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, int& v) {
  return ReadValue<uint32_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, unsigned int& v) {
  return ReadValue<uint32_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, long& v) {
  return ReadValue<uint32_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, unsigned long& v) {
  return ReadValue<uint32_t>(ar, v);
}
UArchive& operator>>(UArchive& ar, float& v) {
  return ReadValue<uint32_t>(ar, v);
}
