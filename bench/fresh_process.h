#pragma once

// A measurement taken in a process of its own, so that nothing an earlier benchmark left
// in this one (its heap, its caches, its peak resident size) colours it.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace korvex::bench {

// Runs `args` and returns what it printed; throws naming `what` when it fails. Spawned
// rather than forked: a fork would mark every page of this process copy-on-write, and the
// transfers and reloads timed after it would pay a fault for each page they write.
inline std::string runFreshProcess(std::vector<std::string> args, const std::string& what) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string printed;
  char buffer[256];
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
    printed.append(buffer, static_cast<std::size_t>(got));
  ::close(out[0]);
  int status = 0;
  if (failed != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    throw std::runtime_error(what + " failed");
  return printed;
}

}  // namespace korvex::bench
