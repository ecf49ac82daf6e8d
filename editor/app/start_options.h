#pragma once

#include <QString>
#include <QStringList>

// What the program's command line asks for. It is read before the application object exists, so
// that "--help" and "--version" answer without a display.
struct CStartOptions {
  QStringList files;           // the documents named; the first one opens
  QString language;            // "en" or "zh" from --lang; empty when not given
  bool useDataFolder = false;  // --use-data-folder: keep "LastSave.an1" in the data folder
};

// The outcome of reading the command line.
struct CStartRequest {
  enum class EKind { Run, ShowHelp, ShowVersion, BadUsage };
  EKind kind = EKind::Run;
  CStartOptions options;
  QString error;  // for BadUsage: one line saying what is wrong
};

// Reads `arguments` (without the program's name). Options of the Qt toolkit (one dash, such as
// "-platform xcb") are left to Qt: they and their values are not taken for files once the
// application has removed them, so read the application's own arguments for the files.
CStartRequest ReadStartOptions(const QStringList& arguments);

// The text "--help" prints.
QString StartHelpText();
// The line "--version" prints: "quillet 0.1.0".
QString StartVersionText();
