#include "editor/app/recovery_note.h"

#include <cstdint>

namespace {

constexpr std::string_view kHeader = "quillet-recovery 1";
constexpr std::string_view kHeaderWord = "quillet-recovery ";
constexpr std::string_view kEnd = "end";

std::string Escaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool Unescape(std::string_view value, std::string* out) {
  out->clear();
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      *out += value[i];
      continue;
    }
    if (++i == value.size()) {
      return false;
    }
    switch (value[i]) {
      case '\\':
        *out += '\\';
        break;
      case 'n':
        *out += '\n';
        break;
      case 'r':
        *out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    int follow = 0;
    uint32_t code = 0;
    uint32_t least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      follow = 1;
      code = lead & 0x1Fu;
      least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      follow = 2;
      code = lead & 0x0Fu;
      least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      follow = 3;
      code = lead & 0x07u;
      least = 0x10000;
    } else {
      return false;
    }
    if (text.size() - i <= static_cast<size_t>(follow)) {
      return false;
    }
    for (int k = 1; k <= follow; ++k) {
      const auto next = static_cast<uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += static_cast<size_t>(follow) + 1;
  }
  return true;
}

int Digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t k = at; k < at + count; ++k) {
    if (text[k] < '0' || text[k] > '9') {
      return -1;
    }
    value = value * 10 + (text[k] - '0');
  }
  return value;
}

// "YYYY-MM-DDTHH:MM:SSZ" with fields in their ranges.
bool IsUtcTime(std::string_view time) {
  if (time.size() != 20 || time[4] != '-' || time[7] != '-' || time[10] != 'T' || time[13] != ':' ||
      time[16] != ':' || time[19] != 'Z') {
    return false;
  }
  const int year = Digits(time, 0, 4);
  const int month = Digits(time, 5, 2);
  const int day = Digits(time, 8, 2);
  const int hour = Digits(time, 11, 2);
  const int minute = Digits(time, 14, 2);
  const int second = Digits(time, 17, 2);
  return year >= 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 &&
         hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second <= 60;
}

// Reads the lines of a note one at a time.
class CLineReader {
 public:
  explicit CLineReader(std::string_view text) : m_Rest(text) {}

  bool AtEnd() const { return m_Rest.empty(); }
  std::string_view Next() {
    const size_t end = m_Rest.find('\n');
    const std::string_view line = m_Rest.substr(0, end);
    m_Rest = end == std::string_view::npos ? std::string_view() : m_Rest.substr(end + 1);
    return line;
  }

 private:
  std::string_view m_Rest;
};

// Reads "key=value" into `value`; the reason it cannot, or "".
std::string ReadField(std::string_view line, std::string_view key, std::string* value) {
  if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != '=') {
    return "expected the line \"" + std::string(key) + "=\"";
  }
  if (!Unescape(line.substr(key.size() + 1), value)) {
    return "a bad escape in the line \"" + std::string(key) + "=\"";
  }
  return {};
}

}  // namespace

std::string WriteRecoveryNote(const CRecoveryNote& note) {
  std::string text(kHeader);
  text += "\ndocument=" + Escaped(note.documentPath);
  text += "\ntitle=" + Escaped(note.title);
  text += "\ntime=" + Escaped(note.time);
  for (const std::string& path : note.texturePaths) {
    text += "\ntexture=" + Escaped(path);
  }
  text += "\n";
  text += kEnd;
  text += "\n";
  return text;
}

std::string ReadRecoveryNote(std::string_view text, CRecoveryNote* note) {
  if (text.size() > kMaxRecoveryNoteSize) {
    return "the note is larger than a note can be";
  }
  if (text.find('\0') != std::string_view::npos || !IsUtf8(text)) {
    return "the note is not UTF-8 text";
  }
  CLineReader lines(text);
  const std::string_view header = lines.Next();
  if (header != kHeader) {
    return header.substr(0, kHeaderWord.size()) == kHeaderWord
               ? "the note is of a version this program does not know"
               : "the file is not a recovery note";
  }
  *note = CRecoveryNote();
  for (const auto& [key, value] :
       {std::pair<std::string_view, std::string*>{"document", &note->documentPath},
        {"title", &note->title},
        {"time", &note->time}}) {
    if (lines.AtEnd()) {
      return "the note is cut short";
    }
    if (std::string problem = ReadField(lines.Next(), key, value); !problem.empty()) {
      return problem;
    }
  }
  if (!IsUtcTime(note->time)) {
    return "the time of the note is not a UTC time";
  }
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    if (line == kEnd) {
      return lines.AtEnd() ? std::string() : "the note goes on after its end";
    }
    std::string path;
    if (std::string problem = ReadField(line, "texture", &path); !problem.empty()) {
      return problem;
    }
    note->texturePaths.push_back(std::move(path));
  }
  return "the note is cut short";
}
