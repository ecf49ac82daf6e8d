#include "editor_support/ini/ini.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/foundation/atomic_file.h"
#include "core/foundation/regular_file.h"

namespace {

bool IsWhiteSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Characters skipped before a value. A line feed is not among them: it ends the line, and
// skipping it would take the next line's text as the value.
bool IsValueLead(char c) {
  return c == ',' || c == ' ' || c == '\t' || c == '\r';
}

bool IsTokenSeparator(char c) {
  return c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool HoldsLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// The value of one line (without its line feed): what follows the first '=', leading blanks,
// tabs and commas skipped, without the carriage return of a CR LF line.
std::string_view ValueOfLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return {};
  }
  size_t begin = equals + 1;
  while (begin < line.size() && IsValueLead(line[begin])) {
    ++begin;
  }
  std::string_view value = line.substr(begin);
  if (!value.empty() && value.back() == '\r') {
    value.remove_suffix(1);
  }
  return value;
}

std::optional<std::string_view> FindValue(std::string_view text, std::string_view key) {
  if (key.empty()) {
    return std::nullopt;
  }
  size_t line_begin = 0;
  while (line_begin < text.size()) {
    size_t line_end = text.find('\n', line_begin);
    if (line_end == std::string_view::npos) {
      line_end = text.size();
    }
    const std::string_view line = text.substr(line_begin, line_end - line_begin);
    size_t word_begin = 0;
    while (word_begin < line.size() && IsWhiteSpace(line[word_begin])) {
      ++word_begin;
    }
    size_t word_end = word_begin;
    while (word_end < line.size() && !IsWhiteSpace(line[word_end])) {
      ++word_end;
    }
    if (line.substr(word_begin, word_end - word_begin) == key) {
      return ValueOfLine(line);
    }
    line_begin = line_end + 1;
  }
  return std::nullopt;
}

// A decimal integer as atoi reads it, saturated to the range of int instead of overflowing.
int DecimalToInt(const char* token) {
  const long long value = std::strtoll(token, nullptr, 10);
  if (value > INT_MAX) {
    return INT_MAX;
  }
  if (value < INT_MIN) {
    return INT_MIN;
  }
  return static_cast<int>(value);
}

// Hexadecimal digits after an optional '-', up to the first other character. The digits wrap
// around in 32 bits as they accumulate.
int HexToInt(const char* token) {
  const bool negative = *token == '-';
  if (negative) {
    ++token;
  }
  uint32_t value = 0;
  for (; *token != '\0'; ++token) {
    const char c = *token;
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    value = value * 16u + digit;
  }
  return static_cast<int>(negative ? 0u - value : value);
}

}  // namespace

UIni::UIni() = default;

UIni::UIni(const UIni& other) : m_Text(other.m_Text) {}

UIni& UIni::operator=(const UIni& other) {
  if (this != &other) {
    Destroy();
    m_Text = other.m_Text;
  }
  return *this;
}

UIni::~UIni() {
  Destroy();
}

bool UIni::LoadFile(const char* path) {
  std::vector<unsigned char> bytes;
  return ReadRegularFile(path, kMaxFileSize, bytes) &&
         LoadText(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool UIni::LoadText(const char* bytes, size_t size) {
  if (size > kMaxFileSize || (bytes == nullptr && size != 0)) {
    return false;
  }
  m_Text.assign(bytes, bytes + size);
  m_Text.push_back('\0');
  return true;
}

bool UIni::Read(const char* key, char* value) const {
  return Read(key, value, kValueBufferSize);
}

bool UIni::Read(const char* key, char* value, size_t capacity) const {
  if (key == nullptr || value == nullptr || m_Text.empty()) {
    return false;
  }
  const std::optional<std::string_view> found = FindValue(m_Text.data(), key);
  if (!found || found->size() >= capacity) {
    return false;
  }
  // An empty value may have no data pointer at all; copy only what is there.
  if (!found->empty()) {
    std::memcpy(value, found->data(), found->size());
  }
  value[found->size()] = '\0';
  return true;
}

int UIni::Scan(const char* key, const char* format, ...) const {
  if (format == nullptr || *format == '\0') {
    return 0;
  }
  char value[kValueBufferSize];
  if (!Read(key, value)) {
    return 0;
  }
  va_list args;
  va_start(args, format);
  int consumed = 0;
  const char* cursor = value;
  for (const char* cursor_in_format = format; *cursor_in_format != '\0'; ++cursor_in_format) {
    if (*cursor_in_format != '%') {
      continue;
    }
    const char letter = *++cursor_in_format;
    if (letter == '\0') {
      break;
    }
    while (*cursor != '\0' && IsTokenSeparator(*cursor)) {
      ++cursor;
    }
    const char* token_end = cursor;
    while (*token_end != '\0' && !IsTokenSeparator(*token_end)) {
      ++token_end;
    }
    const size_t length = static_cast<size_t>(token_end - cursor);
    if (length == 0 || length > kMaxTokenLength) {
      break;
    }
    char token[kTokenBufferSize];
    std::memcpy(token, cursor, length);
    token[length] = '\0';
    cursor = token_end;
    switch (letter) {
      case 'd':
      case 'D':
      case 'u':
      case 'U':
        *va_arg(args, int*) = DecimalToInt(token);
        break;
      case 'f':
      case 'F':
      case 'g':
      case 'G':
        *va_arg(args, float*) = std::strtof(token, nullptr);
        break;
      case 's':
      case 'S':
        std::memcpy(va_arg(args, char*), token, length + 1);
        break;
      case 'x':
      case 'X':
        *va_arg(args, int*) = HexToInt(token);
        break;
      default:
        break;
    }
    ++consumed;
  }
  va_end(args);
  return consumed;
}

bool UIni::BeginWrite(const char* path) {
  FinishWrite();
  if (path == nullptr) {
    return false;
  }
  auto writer = std::make_unique<UAtomicFile>(path);
  // The line ends are written as CR LF explicitly, so the stream is binary on every platform.
  m_File = writer->Begin() ? writer->Stream() : nullptr;
  if (m_File == nullptr) {
    return false;
  }
  m_Writer = std::move(writer);
  m_WriteFailed = false;
  return true;
}

bool UIni::SetWriteField(const char* section) {
  if (section == nullptr || HoldsLineBreak(section)) {
    return false;
  }
  const std::string line = std::string("[") + section + "]\r\n";
  return WriteLine(line.data(), line.size());
}

bool UIni::Write(const char* key, const char* format, ...) {
  if (m_File == nullptr || key == nullptr || format == nullptr || HoldsLineBreak(key)) {
    return false;
  }
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0 || static_cast<size_t>(length) > kMaxValueLength) {
    va_end(args);
    return false;
  }
  std::string value(static_cast<size_t>(length), '\0');
  std::vsnprintf(value.data(), value.size() + 1, format, args);
  va_end(args);
  if (HoldsLineBreak(value)) {
    return false;
  }
  const std::string line = std::string(key) + " = " + value + "\r\n";
  return WriteLine(line.data(), line.size());
}

bool UIni::EndWrite() {
  const bool finished = FinishWrite();
  m_Text.clear();
  return finished;
}

void UIni::Destroy() {
  EndWrite();
}

bool UIni::FinishWrite() {
  if (m_Writer == nullptr) {
    return true;
  }
  // Without a commit the writer removes the new file, and the one at the path stays.
  const bool committed = !m_WriteFailed && m_Writer->Commit();
  m_Writer.reset();
  m_File = nullptr;
  return committed;
}

bool UIni::WriteLine(const char* text, size_t length) {
  if (m_File == nullptr) {
    return false;
  }
  if (std::fwrite(text, 1, length, m_File) != length) {
    m_WriteFailed = true;
    return false;
  }
  return true;
}
