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
