#include "editor/app/start_options.h"

#include "editor/app/interface_language.h"

namespace {

const QStringList kLanguages = {kEnglishLanguage, kChineseLanguage};

// Takes the language from "--lang X" or "--lang=X"; false with `error` set for a missing or
// unknown one.
bool ReadLanguage(const QString& value, CStartOptions& options, QString& error) {
  if (!kLanguages.contains(value)) {
    error = value.isEmpty() ? QString("--lang needs a language: en or zh")
                            : QString("--lang takes en or zh, not '%1'").arg(value);
    return false;
  }
  options.language = value;
  return true;
}

}  // namespace

CStartRequest ReadStartOptions(const QStringList& arguments) {
  CStartRequest request;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      request.kind = CStartRequest::EKind::ShowHelp;
      return request;
    }
    if (argument == "--version") {
      request.kind = CStartRequest::EKind::ShowVersion;
      return request;
    }
    if (argument == "--use-data-folder") {
      request.options.useDataFolder = true;
    } else if (argument == "--lang" || argument.startsWith("--lang=")) {
      const bool inline_value = argument.startsWith("--lang=");
      const QString value = inline_value               ? argument.mid(7)
                            : i + 1 < arguments.size() ? arguments[++i]
                                                       : QString();
      if (!ReadLanguage(value, request.options, request.error)) {
        request.kind = CStartRequest::EKind::BadUsage;
        return request;
      }
    } else if (argument.startsWith("--")) {
      request.kind = CStartRequest::EKind::BadUsage;
      request.error = QString("unknown option '%1'").arg(argument);
      return request;
    } else if (!argument.startsWith("-")) {
      request.options.files.append(argument);
    }
  }
  return request;
}

QString StartHelpText() {
  return "Usage: quillet [OPTIONS] [FILE.an1]\n"
         "Quillet, the editor for 2D sprite animation. Opens FILE.an1 when given.\n"
         "\n"
         "Options:\n"
         "  -h, --help           print this help and exit\n"
         "  --version            print the version and exit\n"
         "  --use-data-folder    write LastSave.an1 into the application's data folder\n"
         "                       instead of the current folder (the desktop entry uses it)\n"
         "  --lang en|zh         the language of the editor's texts: English or Chinese\n"
         "\n"
         "Options of the Qt toolkit (such as -platform NAME) are accepted as well.\n"
         "See quillet(1) for more.\n";
}

QString StartVersionText() {
  return QString("quillet %1\n").arg(QUILLET_VERSION);
}
