#include "editor_support/property_grid/my_property_grid_item_float.h"

#include <cctype>
#include <cstring>

#include "editor_support/property_grid/value_text.h"

namespace {

constexpr const char* kDefaultFormat = "%0.4f";

// True when `format` holds exactly one conversion and it takes a double (f, e, g or a, either
// case), with flags, width and precision but no '*'; "%%" may appear anywhere. Anything else
// would read arguments that are not there.
bool IsFloatFormat(const char* format) {
  int conversions = 0;
  for (const char* c = format; *c != '\0'; ++c) {
    if (*c != '%') {
      continue;
    }
    ++c;
    if (*c == '%') {
      continue;
    }
    while (*c != '\0' && std::strchr("-+ #0", *c) != nullptr) {
      ++c;
    }
    while (std::isdigit(static_cast<unsigned char>(*c))) {
      ++c;
    }
    if (*c == '.') {
      ++c;
      while (std::isdigit(static_cast<unsigned char>(*c))) {
        ++c;
      }
    }
    if (*c == 'l') {
      ++c;
    }
    if (*c == '\0' || std::strchr("fFeEgGaA", *c) == nullptr) {
      return false;
    }
    ++conversions;
  }
  return conversions == 1;
}

}  // namespace

MyPropertyGridItemFloat::MyPropertyGridItemFloat(const QString& caption, float value,
                                                 const char* format, float* binding)
    : UPropertyGridItem(caption)
    , m_Binding(binding)
    , m_Format(format != nullptr && IsFloatFormat(format) ? format : kDefaultFormat) {
  SetFloat(value);
}

void MyPropertyGridItemFloat::SetFloat(float value) {
  m_Value = value;
  if (m_Binding != nullptr) {
    *m_Binding = value;
  }
  UPropertyGridItem::SetValue(QString::asprintf(m_Format.constData(), static_cast<double>(value)));
}

void MyPropertyGridItemFloat::BindToFloat(float* binding) {
  m_Binding = binding;
  if (m_Binding != nullptr) {
    *m_Binding = m_Value;
  }
}

void MyPropertyGridItemFloat::SetValue(const QString& text) {
  SetFloat(ParseFloat(text));
}
