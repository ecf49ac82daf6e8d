#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct MakeRun {
  int status = -1;
  std::vector<std::string> lines;  // stdout and stderr together
};

// Runs make in the repository root with `arguments`, in an environment changed by `env`
// (arguments for env(1)). It runs as a make of its own: when the tests run under `make test`,
// the outer make's flags and job server are not this one's.
MakeRun RunMake(const std::string& env, const std::string& arguments) {
  const std::string command = "env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL " + env +
                              " make --no-print-directory -C '" + QUILLET_SOURCE_DIR + "' " +
                              arguments + " 2>&1";
  MakeRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  std::string output;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
    output.append(buffer, got);
  }
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    run.lines.push_back(line);
  }
  return run;
}

}  // namespace

TEST(MakeRun, WithoutADisplayItSaysSoInOneLineAndDoesNothingElse) {
  const MakeRun run = RunMake("-u DISPLAY -u WAYLAND_DISPLAY", "run");
  EXPECT_NE(run.status, 0);
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_NE(run.lines[0].find("needs a display"), std::string::npos) << run.lines[0];
  EXPECT_NE(run.lines[0].find("xvfb-run make run"), std::string::npos) << run.lines[0];

  // An empty variable is no display either.
  EXPECT_EQ(RunMake("DISPLAY= WAYLAND_DISPLAY=", "run").lines.size(), 1u);
}

TEST(MakeRun, WithADisplayItInstallsBuildsAndOpensTheExampleFromTheRoot) {
  // A dry run lists the steps in order without running them.
  const MakeRun run = RunMake("-u WAYLAND_DISPLAY DISPLAY=:0", "-n run");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> expected = {
      "./scripts/install-deps.sh",
      "cmake --preset release",
      "cmake --build --preset release --target quillet",
      "./build/release/editor/quillet examples/hero.an1",
  };
  EXPECT_EQ(run.lines, expected);
  // A Wayland session alone is a display too.
  EXPECT_EQ(RunMake("-u DISPLAY WAYLAND_DISPLAY=wayland-0", "-n run").status, 0);
}
