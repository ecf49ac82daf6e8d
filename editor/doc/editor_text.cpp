#include "editor/doc/editor_text.h"

#include <cstring>

#include "core/foundation/text_codec.h"

UName StoredName(const std::string& utf8) {
  return UName(Utf8ToGbk(utf8, UName::kBufferSize - 1).c_str());
}

std::string ShownName(const UName& name) {
  return GbkToUtf8(name.GetString());
}

std::string RecordFileName(const TTextureInfo& info) {
  return GbkToUtf8(std::string(info.name, strnlen(info.name, sizeof(info.name))));
}
