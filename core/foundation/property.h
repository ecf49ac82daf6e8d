#pragma once

#include <cstdint>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/name.h"
#include "core/foundation/point.h"
#include "core/foundation/range.h"
#include "core/foundation/rect.h"
#include "core/foundation/rgba.h"
#include "core/foundation/vector.h"

// A 1024-byte NUL-terminated text value: at most 1023 bytes of text.
struct UString {
  static constexpr int kBufferSize = 1024;
  char text[kBufferSize] = {};

  const char* c_str() const { return text; }
};

enum UPropertyType : int32_t {
  PROPERTY_NONE = 0,
  PROPERTY_BYTE = 1,
  PROPERTY_SHORT = 2,
  PROPERTY_INT = 3,
  PROPERTY_BOOL = 4,
  PROPERTY_FLOAT = 5,
  PROPERTY_STRING = 6,
  PROPERTY_NAME = 7,
  PROPERTY_POINT = 8,
  PROPERTY_RECT = 9,
  PROPERTY_RANGE = 10,
  PROPERTY_VECTOR = 11,
  PROPERTY_RGBA = 12,
  PROPERTY_POINTER = 13,
};

// A named value of one of thirteen kinds. Getters return references into the property's own
// storage, so a property-grid item can bind to them and write edits straight back.
class CORE_API UProperty {
 public:
  // Type 0 (no value), named "UnknowProperty".
  UProperty();
  // The given type and name, value zero.
  UProperty(int type, UName name);
  // As above, then parses `default_value` (when not null) with the type's text format:
  // byte/short/int/bool "%d", float "%f", string and name the first word, point "x,y",
  // rect "left,top,right,bottom", range "a,b" (ordered into min and max), vector "x,y,z",
  // colour "red,green,blue,alpha" (each 0 to 255). Pointers take no default.
  UProperty(int type, UName name, const char* default_value);
  UProperty(const UProperty&) = default;
  UProperty& operator=(const UProperty&) = default;
  virtual ~UProperty();

  int GetType() const { return m_Type; }
  void SetType(int type) { m_Type = type; }
  UName& GetName() { return m_Name; }
  const UName& GetName() const { return m_Name; }
  // Does not refresh the GUID; call ReflashGUID for that.
  void SetName(UName name) { m_Name = name; }
  int16_t GetGUID() const { return m_GUID; }
  void ReflashGUID() { m_GUID = static_cast<int16_t>(m_Name.GetGUID()); }

  unsigned char& GetByte() { return m_Value.byte_value; }
  int16_t& GetShort() { return m_Value.short_value; }
  int32_t& GetInt() { return m_Value.int_value; }
  int32_t& GetBool() { return m_Value.bool_value; }
  float& GetFloat() { return m_Value.float_value; }
  UString& GetString() { return m_Value.string_value; }
  UName& GetUName() { return m_Value.name_value; }
  UPoint& GetPoint() { return m_Value.point_value; }
  URect& GetRect() { return m_Value.rect_value; }
  URange& GetRange() { return m_Value.range_value; }
  UVector& GetVector() { return m_Value.vector_value; }
  RGBA& GetRgba() { return m_Value.rgba_value; }
  void* GetPtr() const { return m_Value.pointer_value; }

  void SetByte(unsigned char v) { m_Value.byte_value = v; }
  void SetShort(int16_t v) { m_Value.short_value = v; }
  void SetInt(int32_t v) { m_Value.int_value = v; }
  void SetBool(int32_t v) { m_Value.bool_value = v; }
  void SetFloat(float v) { m_Value.float_value = v; }
  // Copies up to the terminator, cutting a longer text to 1023 bytes between characters.
  void SetString(const UString& v) { SetString(v.text); }
  void SetString(const char* text);
  void SetUName(UName v) { m_Value.name_value = v; }
  void SetPoint(UPoint v) { m_Value.point_value = v; }
  void SetRect(URect v) { m_Value.rect_value = v; }
  void SetRange(URange v) { m_Value.range_value = v; }
  void SetVector(UVector v) { m_Value.vector_value = v; }
  void SetRgba(RGBA v) { m_Value.rgba_value = v; }
  void SetPtr(void* v) { m_Value.pointer_value = v; }

  // Read-only access to the bytes of the value of the current type (the text of a string or a
  // name, the fields of the other kinds); null for type 0 and unknown types.
  const void* GetPtrData() const;

 private:
  friend CORE_API UArchive& operator<<(UArchive& ar, const UProperty& property);
  friend CORE_API UArchive& operator>>(UArchive& ar, UProperty& property);

  void ParseDefault(const char* text);

  // Each kind keeps its own slot, so references handed out for one kind stay valid and typed.
  struct Value {
    unsigned char byte_value = 0;
    int16_t short_value = 0;
    int32_t int_value = 0;
    int32_t bool_value = 0;
    float float_value = 0.0f;
    UString string_value;
    UName name_value;
    UPoint point_value;
    URect rect_value{0, 0, 0, 0};
    URange range_value{0.0f, 0.0f};
    UVector vector_value;
    RGBA rgba_value;
    void* pointer_value = nullptr;
  };

  int32_t m_Type = PROPERTY_NONE;
  UName m_Name;
  Value m_Value;
  int16_t m_GUID = 0;
};

// Stored form: the type (int32), the name (32 bytes), then the value in the type's stored form:
// a string as an int32 byte count and that many bytes without terminator. A stored text longer
// than 1023 bytes keeps its first 1023 bytes and fails the archive; a negative count fails at
// once. A pointer is stored as its low 32 bits and reads back as null.
CORE_API UArchive& operator<<(UArchive& ar, const UProperty& property);
CORE_API UArchive& operator>>(UArchive& ar, UProperty& property);
