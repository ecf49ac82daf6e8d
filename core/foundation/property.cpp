#include "core/foundation/property.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/foundation/text_codec.h"
#include "core/foundation/value_io.h"

namespace {

// The first whitespace-separated word of `text`, as sscanf's "%s" takes it.
std::string FirstWord(const char* text) {
  const char* begin = text;
  while (*begin != '\0' && std::isspace(static_cast<unsigned char>(*begin))) {
    ++begin;
  }
  const char* end = begin;
  while (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) {
    ++end;
  }
  return std::string(begin, end);
}

unsigned char ClampToByte(int value) {
  return static_cast<unsigned char>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

constexpr int kMaxStoredText = UString::kBufferSize - 1;

}  // namespace

UProperty::UProperty() : m_Name("UnknowProperty") {}

UProperty::UProperty(int type, UName name) : m_Type(type), m_Name(name) {}

UProperty::UProperty(int type, UName name, const char* default_value) : m_Type(type), m_Name(name) {
  if (default_value != nullptr) {
    ParseDefault(default_value);
  }
}

UProperty::~UProperty() = default;

void UProperty::SetString(const char* text) {
  std::memset(m_Value.string_value.text, 0, sizeof(m_Value.string_value.text));
  if (text == nullptr) {
    return;
  }
  const std::string_view whole(text, strnlen(text, UString::kBufferSize));
  std::memcpy(m_Value.string_value.text, text, GbkFitLength(whole, kMaxStoredText));
}

void UProperty::ParseDefault(const char* text) {
  int a = 0;
  int b = 0;
  int c = 0;
  int d = 0;
  switch (m_Type) {
    case PROPERTY_BYTE:
    case PROPERTY_SHORT:
    case PROPERTY_INT:
    case PROPERTY_BOOL:
      std::sscanf(text, "%d", &a);
      m_Value.byte_value = static_cast<unsigned char>(a);
      m_Value.short_value = static_cast<int16_t>(a);
      m_Value.int_value = a;
      m_Value.bool_value = a;
      break;
    case PROPERTY_FLOAT:
      std::sscanf(text, "%f", &m_Value.float_value);
      break;
    case PROPERTY_STRING:
      SetString(FirstWord(text).c_str());
      break;
    case PROPERTY_NAME:
      m_Value.name_value = UName(FirstWord(text).c_str());
      break;
    case PROPERTY_POINT:
      std::sscanf(text, "%d,%d", &m_Value.point_value.x, &m_Value.point_value.y);
      break;
    case PROPERTY_RECT: {
      URect& rect = m_Value.rect_value;
      std::sscanf(text, "%d,%d,%d,%d", &rect.left, &rect.top, &rect.right, &rect.bottom);
      break;
    }
    case PROPERTY_RANGE:
      std::sscanf(text, "%d,%d", &a, &b);
      m_Value.range_value = URange(static_cast<float>(a), static_cast<float>(b));
      break;
    case PROPERTY_VECTOR: {
      UVector& vector = m_Value.vector_value;
      std::sscanf(text, "%f,%f,%f", &vector.x, &vector.y, &vector.z);
      break;
    }
    case PROPERTY_RGBA:
      std::sscanf(text, "%d,%d,%d,%d", &a, &b, &c, &d);
      m_Value.rgba_value =
          RGBA::FromChannels(ClampToByte(a), ClampToByte(b), ClampToByte(c), ClampToByte(d));
      break;
    default:
      break;
  }
}

const void* UProperty::GetPtrData() const {
  switch (m_Type) {
    case PROPERTY_BYTE:
      return &m_Value.byte_value;
    case PROPERTY_SHORT:
      return &m_Value.short_value;
    case PROPERTY_INT:
      return &m_Value.int_value;
    case PROPERTY_BOOL:
      return &m_Value.bool_value;
    case PROPERTY_FLOAT:
      return &m_Value.float_value;
    case PROPERTY_STRING:
      return m_Value.string_value.text;
    case PROPERTY_NAME:
      return m_Value.name_value.GetString();
    case PROPERTY_POINT:
      return &m_Value.point_value;
    case PROPERTY_RECT:
      return &m_Value.rect_value.left;
    case PROPERTY_RANGE:
      return &m_Value.range_value;
    case PROPERTY_VECTOR:
      return &m_Value.vector_value;
    case PROPERTY_RGBA:
      return &m_Value.rgba_value;
    case PROPERTY_POINTER:
      return &m_Value.pointer_value;
    default:
      return nullptr;
  }
}

UArchive& operator<<(UArchive& ar, const UProperty& property) {
  const UProperty::Value& value = property.m_Value;
  ar << property.m_Type << property.m_Name;
  switch (property.m_Type) {
    case PROPERTY_BYTE:
      return ar << value.byte_value;
    case PROPERTY_SHORT:
      return ar << value.short_value;
    case PROPERTY_INT:
      return ar << value.int_value;
    case PROPERTY_BOOL:
      return ar << value.bool_value;
    case PROPERTY_RGBA:
      return ar << value.rgba_value.color;
    case PROPERTY_POINTER: {
      // Only the low 32 bits keep the stream in step; the value means nothing elsewhere.
      const auto bits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value.pointer_value));
      return ar << bits;
    }
    case PROPERTY_FLOAT:
      return ar << value.float_value;
    case PROPERTY_STRING: {
      const int32_t length = static_cast<int32_t>(strnlen(value.string_value.text, kMaxStoredText));
      ar << length;
      ar.Write(value.string_value.text, length);
      return ar;
    }
    case PROPERTY_NAME:
      return ar << value.name_value;
    case PROPERTY_POINT:
      return ar << value.point_value;
    case PROPERTY_RECT:
      return ar << value.rect_value;
    case PROPERTY_RANGE:
      return ar << UVector2(value.range_value.min, value.range_value.max);
    case PROPERTY_VECTOR:
      return ar << value.vector_value;
    default:
      return ar;
  }
}

namespace {

// Reads a stored text of `length` bytes into `text` (1024 bytes, left terminated). The bytes
// beyond 1023 are read and dropped so the stream stays in step, and the archive is failed.
void ReadStoredText(UArchive& ar, int32_t length, char* text) {
  if (length < 0 || !ar.CanHold(length, 1)) {
    ar.SetFailed();
    return;
  }
  const int32_t kept = length < kMaxStoredText ? length : kMaxStoredText;
  ar.Read(text, kept);
  if (length == kept) {
    return;
  }
  char discard[4096];
  for (int32_t left = length - kept; left > 0 && !ar.IsFailed();) {
    const int32_t chunk =
        left < static_cast<int32_t>(sizeof(discard)) ? left : static_cast<int32_t>(sizeof(discard));
    ar.Read(discard, chunk);
    left -= chunk;
  }
  ar.SetFailed();
}

}  // namespace

UArchive& operator>>(UArchive& ar, UProperty& property) {
  UProperty::Value& value = property.m_Value;
  ar >> property.m_Type >> property.m_Name;
  property.ReflashGUID();
  switch (property.m_Type) {
    case PROPERTY_BYTE:
      return ar >> value.byte_value;
    case PROPERTY_SHORT:
      return ar >> value.short_value;
    case PROPERTY_INT:
      return ar >> value.int_value;
    case PROPERTY_BOOL:
      return ar >> value.bool_value;
    case PROPERTY_RGBA:
      return ar >> value.rgba_value.color;
    case PROPERTY_POINTER: {
      uint32_t bits = 0;
      ar >> bits;
      value.pointer_value = nullptr;
      return ar;
    }
    case PROPERTY_FLOAT:
      return ar >> value.float_value;
    case PROPERTY_STRING: {
      int32_t length = 0;
      ar >> length;
      std::memset(value.string_value.text, 0, sizeof(value.string_value.text));
      if (!ar.IsFailed()) {
        ReadStoredText(ar, length, value.string_value.text);
      }
      return ar;
    }
    case PROPERTY_NAME:
      return ar >> value.name_value;
    case PROPERTY_POINT:
      return ar >> value.point_value;
    case PROPERTY_RECT:
      return ar >> value.rect_value;
    case PROPERTY_RANGE: {
      UVector2 bounds(value.range_value.min, value.range_value.max);
      ar >> bounds;
      value.range_value.min = bounds.x;
      value.range_value.max = bounds.y;
      return ar;
    }
    case PROPERTY_VECTOR:
      return ar >> value.vector_value;
    default:
      return ar;
  }
}
