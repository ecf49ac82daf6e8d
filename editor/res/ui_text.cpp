#include "editor/res/ui_text.h"

std::string UiText::Utf8(const char* source) {
  return tr(source).toStdString();
}

std::string UiText::Utf8(const std::string& source) {
  return Utf8(source.c_str());
}
