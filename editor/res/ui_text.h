#pragma once

#include <QCoreApplication>
#include <string>

// Every text the editor shows goes through Qt's translation in the one context "Quillet". Texts
// kept in tables are marked QT_TRANSLATE_NOOP("Quillet", ...) (the libraries' messages
// CORE_TRANSLATE_NOOP("Quillet", ...)) and translated where they are shown, so a name kept as
// its source text, such as a history step's, still shows in the chosen language. The source
// texts are the program's own, mostly Chinese: without a translator nothing changes.
class UiText {
  Q_DECLARE_TR_FUNCTIONS(Quillet)

 public:
  // The translation of the UTF-8 text `source`, in UTF-8: for the texts the editor context
  // builds as std::string.
  static std::string Utf8(const char* source);
  static std::string Utf8(const std::string& source);
};
