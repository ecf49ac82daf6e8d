#include "editor/services/typed_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "core/foundation/name.h"
#include "core/foundation/text_codec.h"
#include "editor/res/ui_text.h"

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
    return UiText::tr("文字中有无法保存的字符（只能使用 GBK 字符集中的字符）。").toStdString();
  }
  if (gbk.find('\0') != std::string::npos) {
    return UiText::tr("文字中不能有空字符。").toStdString();
  }
  if (kind == TypedTextKind::Name && gbk.size() > kNameBytes) {
    return UiText::tr("名字太长：最多 31 个字节（一个汉字占 2 个字节）。").toStdString();
  }
  if (kind == TypedTextKind::Text && CharacterCount(utf8) > kTextCharacters) {
    return UiText::tr("文字太长：最多 128 个字符。").toStdString();
  }
  return {};
}

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole of `text` as a number, or nothing. Whole numbers take digits with an optional sign;
// other numbers what strtod reads, when it reads all of the text.
std::optional<double> ParseNumber(std::string_view text, bool whole) {
  if (text.empty()) {
    return std::nullopt;
  }
  if (whole) {
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
      return std::nullopt;
    }
    return static_cast<double>(value);
  }
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

QString NumberText(const CNumberRange& range, double number) {
  std::ostringstream text;
  text.precision(range.whole ? 20 : 7);
  text << number;
  return QString::fromStdString(text.str());
}

}  // namespace

std::string TypedNumberProblem(std::string_view utf8, const std::string& caption,
                               const CNumberRange& range) {
  const std::optional<double> value = ParseNumber(Trimmed(utf8), range.whole);
  if (value && *value >= range.min && *value <= range.max) {
    return {};
  }
  const QString problem =
      range.whole ? UiText::tr("%1 只能是 %2 到 %3 之间的整数，输入的 \"%4\" 没有采用。")
                  : UiText::tr("%1 只能是 %2 到 %3 之间的数，输入的 \"%4\" 没有采用。");
  return problem
      .arg(QString::fromStdString(caption), NumberText(range, range.min),
           NumberText(range, range.max),
           QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
      .toStdString();
}
