#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/core_api.h"

// Writes compact JSON into a string, placing the commas itself. Strings must be UTF-8. Floats
// are printed with nine significant digits, so they read back to the same 32-bit value; the
// values JSON has no number for are written as the strings "nan", "inf" and "-inf".
class CORE_API JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next member of the current object.
  void Key(std::string_view key);
  void String(std::string_view utf8);
  void Int(int64_t value);
  void Bool(bool value);
  void Float(float value);

  const std::string& Text() const { return m_Text; }

 private:
  // Separates a value from the one before it in the current array or object.
  void BeforeValue();

  std::string m_Text;
  std::vector<bool> m_First;  // per open array or object: nothing written in it yet
  bool m_AfterKey = false;
};
