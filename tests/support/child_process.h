#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace korvex::test {

struct ProcessRun {
  int exitCode = -1;      // -1 when the process did not exit normally
  int signal = 0;         // the signal that ended it, if one did
  bool timedOut = false;  // killed by the guard below
  std::string out;
  std::string err;
};

struct ProcessOptions {
  // Set (or overridden) in the child's environment; the rest is inherited.
  std::vector<std::pair<std::string, std::string>> environment;
  // Run as `nobody` when the test runs as root: root ignores file permissions, so a
  // read-only directory would mean nothing to it.
  bool asNobodyWhenRoot = false;
  // A hung child fails the test instead of hanging it.
  std::chrono::seconds killAfter{120};
};

inline constexpr uid_t kNobodyUid = 65534;
inline constexpr gid_t kNobodyGid = 65534;

bool runningAsRoot();

// Runs `program` with `args` (argv[0] is added), collects stdout and stderr, and waits.
ProcessRun runProcess(const std::string& program, const std::vector<std::string>& args,
                      const ProcessOptions& options = {});

// Hands `path` and everything under it to the user a child runs as (nobody when the test
// runs as root; nothing to do otherwise).
void giveToChild(const std::filesystem::path& path, const ProcessOptions& options);

}  // namespace korvex::test
