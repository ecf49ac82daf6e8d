#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_dir.h"

// Runs the built quillet-cli (its path comes from the build as QUILLET_CLI) and collects what it
// printed and its exit status.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs quillet-cli with `args` (already quoted for the shell).
inline CliRun RunCli(const TempDir& dir, const std::string& args) {
  const std::string err_path = dir.File("stderr.txt");
  const std::string command =
      std::string("'") + QUILLET_CLI + "' " + args + " 2>'" + err_path + "'";
  CliRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
    run.out.append(buffer, got);
  }
  const int wait_status = ::pclose(pipe);
  run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  run.err = ReadFileText(err_path);
  return run;
}

inline std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}
