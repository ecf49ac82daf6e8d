#include "core/foundation/json_writer.h"

#include <cmath>
#include <cstdio>

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
  for (const char c : utf8) {
    switch (c) {
      case '"':
        m_Text += "\\\"";
        break;
      case '\\':
        m_Text += "\\\\";
        break;
      case '\n':
        m_Text += "\\n";
        break;
      case '\t':
        m_Text += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
          m_Text += escaped;
        } else {
          m_Text += c;
        }
    }
  }
  m_Text += '"';
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  m_Text += value ? "true" : "false";
}

void JsonWriter::Int(int64_t value) {
  BeforeValue();
  m_Text += std::to_string(value);
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
