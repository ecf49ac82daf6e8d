#include "editor/services/typed_text.h"

#include <cstddef>

#include "core/foundation/name.h"
#include "core/foundation/text_codec.h"

namespace {

constexpr size_t kNameBytes = UName::kBufferSize - 1;
constexpr size_t kTextCharacters = 128;

// Characters of valid UTF-8: every byte that does not continue a sequence starts one.
size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (const char byte : utf8) {
    if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
      ++count;
    }
  }
  return count;
}

}  // namespace

std::string TypedTextProblem(std::string_view utf8, TypedTextKind kind) {
  std::string gbk;
  if (!Utf8ToGbkExact(utf8, &gbk)) {
    return "文字中有无法保存的字符（只能使用 GBK 字符集中的字符）。";
  }
  if (gbk.find('\0') != std::string::npos) {
    return "文字中不能有空字符。";
  }
  if (kind == TypedTextKind::Name && gbk.size() > kNameBytes) {
    return "名字太长：最多 31 个字节（一个汉字占 2 个字节）。";
  }
  if (kind == TypedTextKind::Text && CharacterCount(utf8) > kTextCharacters) {
    return "文字太长：最多 128 个字符。";
  }
  return {};
}
