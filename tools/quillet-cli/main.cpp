// quillet-cli: reads and writes ".an1" documents and ".stx" tiled images for asset pipelines. Each
// subcommand lives in a file of its own and is listed in kCommands.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/quillet-cli/command.h"

namespace {

const CliCommand* const kCommands[] = {
    &kDumpCommand,      &kResaveCommand,    &kDrawsCommand,   &kRenderCommand,    &kExportCommand,
    &kStxImportCommand, &kStxExportCommand, &kStxInfoCommand, &kThumbnailCommand,
};

bool IsHelp(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

void PrintToolHelp(std::FILE* out) {
  std::fprintf(out,
               "Usage: quillet-cli COMMAND ARGUMENTS...\n"
               "Reads and writes Quillet animation documents (.an1) and tiled images (.stx).\n"
               "Output is JSON on standard output; errors are one line on standard error.\n"
               "'quillet-cli --version' prints the version.\n"
               "Exit status: 0 success, 1 unreadable or damaged input, 2 usage error.\n\n"
               "Commands:\n");
  for (const CliCommand* command : kCommands) {
    std::fprintf(out, "  %-10s %s\n", command->name, command->summary);
  }
  std::fprintf(out, "\nRun 'quillet-cli COMMAND --help' for the arguments of a command.\n");
}

// Hands on `status` once everything printed on standard output has reached it; output that was
// lost (a full disk, a closed pipe) fails the run, since a pipeline would take what it got as
// whole.
int FinishOutput(int status) {
  const bool written = std::ferror(stdout) == 0;
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(stdout) == 0;
  if (written && flushed && closed) {
    return status;
  }
  const int error = flushError != 0 ? flushError : errno;
  std::fprintf(stderr, "quillet-cli: cannot write the standard output: %s\n",
               error != 0 ? std::strerror(error) : "output lost");
  return status == kExitOk ? kExitBadInput : status;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "quillet-cli: no command given (see quillet-cli --help)\n");
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (IsHelp(name)) {
    PrintToolHelp(stdout);
    return kExitOk;
  }
  if (name == "--version") {
    std::printf("%s\n", QUILLET_VERSION);
    return kExitOk;
  }
  for (const CliCommand* command : kCommands) {
    if (name != command->name) {
      continue;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& arg : args) {
      if (IsHelp(arg)) {
        std::fputs(command->help, stdout);
        return kExitOk;
      }
    }
    return command->run(args);
  }
  std::fprintf(stderr, "quillet-cli: unknown command '%s' (see quillet-cli --help)\n",
               name.c_str());
  return kExitUsage;
}

}  // namespace

int ReportError(const char* command, const std::string& message, int status) {
  std::fprintf(stderr, "quillet-cli %s: %s\n", command, message.c_str());
  return status;
}

int main(int argc, char** argv) {
  return FinishOutput(Run(argc, argv));
}
