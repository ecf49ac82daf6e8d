#include "core/foundation/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool NeedsNoEscape(char c) {
  return c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20;
}

void AppendEscaped(std::string& text, char c) {
  switch (c) {
    case '"':
      text += "\\\"";
      break;
    case '\\':
      text += "\\\\";
      break;
    case '\n':
      text += "\\n";
      break;
    case '\t':
      text += "\\t";
      break;
    default: {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
      text += escaped;
    }
  }
}

}  // namespace

void JsonWriter::BeforeValue() {
  if (m_AfterKey) {
    m_AfterKey = false;
    return;
  }
  if (!m_First.empty()) {
    if (!m_First.back()) {
      m_Text += ',';
    }
    m_First.back() = false;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  m_Text += '{';
  m_First.push_back(true);
}

void JsonWriter::EndObject() {
  m_Text += '}';
  m_First.pop_back();
}

void JsonWriter::BeginArray() {
  BeforeValue();
  m_Text += '[';
  m_First.push_back(true);
}

void JsonWriter::EndArray() {
  m_Text += ']';
  m_First.pop_back();
}

void JsonWriter::Key(std::string_view key) {
  String(key);
  m_Text += ':';
  m_AfterKey = true;
}

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  m_Text += '"';
  // Runs of characters that need no escape are copied whole: names are mostly such runs.
  while (!utf8.empty()) {
    size_t plain = 0;
    while (plain < utf8.size() && NeedsNoEscape(utf8[plain])) {
      ++plain;
    }
    m_Text.append(utf8.data(), plain);
    if (plain == utf8.size()) {
      break;
    }
    AppendEscaped(m_Text, utf8[plain]);
    utf8.remove_prefix(plain + 1);
  }
  m_Text += '"';
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  m_Text += value ? "true" : "false";
}

void JsonWriter::Int(int64_t value) {
  BeforeValue();
  char digits[24];
  const auto written = std::to_chars(std::begin(digits), std::end(digits), value);
  m_Text.append(digits, written.ptr);
}

void JsonWriter::Float(float value) {
  if (std::isnan(value)) {
    String("nan");
    return;
  }
  if (std::isinf(value)) {
    String(value > 0 ? "inf" : "-inf");
    return;
  }
  BeforeValue();
  char text[32];
  std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(value));
  m_Text += text;
}
