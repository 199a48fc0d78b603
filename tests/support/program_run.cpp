#include "support/program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/temp_dir.h"

extern char** environ;

namespace korvex::test {

ProgramRun runProgram(const std::string& binary, const std::vector<std::string>& arguments) {
  ProgramRun run;
  // Standard error goes to a file, so that a chatty program cannot block on a full pipe
  // while its standard output is being read.
  TempDir scratch;
  const std::string errFile = (scratch / "stderr").string();
  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> words{binary};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  char buffer[65536];
  while (spawned == 0) {
    const ssize_t n = read(output[0], buffer, sizeof buffer);
    if (n > 0) {
      run.out.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  close(output[0]);
  if (spawned != 0) return run;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = readFile(errFile);
  return run;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

}  // namespace korvex::test
