#pragma once

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include <QByteArray>
#include <QString>

// How the grid's items read numbers out of the text a user typed: as atoi, atof and sscanf read
// them, with 0 where there is no number. Integers saturate at the range of long long instead of
// overflowing; items then keep the low bits that fit their field.

inline long long ParseInteger(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::strtoll(bytes.constData(), nullptr, 10);
}

inline float ParseFloat(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::strtof(bytes.constData(), nullptr);
}

// Reads comma-separated numbers into `fields` in order, as sscanf reads "%d,%d,..." or
// "%f,%f,...": blanks may precede a number but not a comma, and reading stops at the first field
// without a number, leaving it and the fields after it unchanged.
template <typename T, typename Convert>
void ScanCommaSeparated(const QString& text, std::initializer_list<T*> fields, Convert convert) {
  const QByteArray bytes = text.toUtf8();
  const char* cursor = bytes.constData();
  bool first = true;
  for (T* field : fields) {
    if (!first) {
      if (*cursor != ',') {
        return;
      }
      ++cursor;
    }
    first = false;
    char* end = nullptr;
    const T value = convert(cursor, &end);
    if (end == cursor) {
      return;
    }
    *field = value;
    cursor = end;
  }
}

inline void ScanIntegers(const QString& text, std::initializer_list<int32_t*> fields) {
  ScanCommaSeparated(text, fields, [](const char* from, char** end) {
    return static_cast<int32_t>(std::strtoll(from, end, 10));
  });
}

inline void ScanFloats(const QString& text, std::initializer_list<float*> fields) {
  ScanCommaSeparated(text, fields,
                     [](const char* from, char** end) { return std::strtof(from, end); });
}
