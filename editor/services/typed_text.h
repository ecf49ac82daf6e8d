#pragma once

#include <string>
#include <string_view>

// One rule for text the user types into a field of the model.
enum class TypedTextKind {
  Name,  // a name record: at most 31 bytes once converted to GBK
  Text,  // any other text: at most 128 characters
};

// Empty when `utf8` fits the field and GBK can hold every character of it; otherwise the message
// (Chinese, UTF-8) that tells the user why the text is refused. Nothing is ever cut silently.
std::string TypedTextProblem(std::string_view utf8, TypedTextKind kind);

// The values a numeric field takes: whole numbers or any finite number, from `min` to `max`.
struct CNumberRange {
  double min;
  double max;
  bool whole;
};

// Empty when `utf8` is a number `range` holds (surrounding spaces allowed); otherwise the
// message (Chinese, UTF-8) naming the field `caption` and the values it takes. Nothing is ever
// wrapped or clamped silently.
std::string TypedNumberProblem(std::string_view utf8, const std::string& caption,
                               const CNumberRange& range);
