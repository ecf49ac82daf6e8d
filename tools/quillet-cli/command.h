#pragma once

#include <string>
#include <vector>

// Exit statuses of quillet-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;  // the input cannot be read or is damaged
inline constexpr int kExitUsage = 2;

// One subcommand. The dispatcher answers --help from `help` and hands every other argument list
// to `run`, which prints its result on stdout and any error as one line on stderr.
struct CliCommand {
  const char* name;
  const char* summary;  // one line for the tool's own help
  const char* help;     // the subcommand's help, printed as it is
  int (*run)(const std::vector<std::string>& args);
};

// Writes "quillet-cli NAME: MESSAGE" as one line on stderr and returns `status`.
int ReportError(const char* command, const std::string& message, int status);

extern const CliCommand kDumpCommand;
extern const CliCommand kResaveCommand;
extern const CliCommand kDrawsCommand;
extern const CliCommand kRenderCommand;
extern const CliCommand kExportCommand;
extern const CliCommand kStxImportCommand;
extern const CliCommand kStxExportCommand;
extern const CliCommand kStxInfoCommand;
extern const CliCommand kThumbnailCommand;
