#include "support/demo_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace korvex::test {
namespace {

// Generous limits: they only keep a broken binary from hanging the test run.
constexpr auto kStartLimit = std::chrono::seconds(20);
constexpr auto kStopLimit = std::chrono::seconds(10);

// Reads the child's first output line; empty when it ended or stayed silent too long.
std::string readFirstLine(int fd) {
  std::string line;
  auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd entry{fd, POLLIN, 0};
    int ready = poll(&entry, 1, 100);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    char c = 0;
    ssize_t got = read(fd, &c, 1);
    if (got <= 0) break;
    if (c == '\n') return line;
    line += c;
  }
  return {};
}

}  // namespace

DemoServiceProcess::DemoServiceProcess(const std::string& binary,
                                       const std::vector<std::string>& arguments) {
  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

  std::vector<std::string> words{binary, "--port", "0"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int spawned = posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  if (spawned != 0) {
    close(output[0]);
    pid_ = -1;
    throw std::runtime_error("cannot start " + binary);
  }
  base_ = readFirstLine(output[0]);
  // The service prints nothing more; it ignores SIGPIPE, so closing our end is harmless.
  close(output[0]);
  if (base_.rfind("http://127.0.0.1:", 0) != 0) {
    stop();
    throw std::runtime_error(binary + " printed no base address (got \"" + base_ + "\")");
  }
}

DemoServiceProcess::~DemoServiceProcess() {
  stop();
}

int DemoServiceProcess::stop() {
  if (pid_ < 0) return exitCode_;
  kill(pid_, SIGTERM);
  auto deadline = std::chrono::steady_clock::now() + kStopLimit;
  int status = 0;
  pid_t reaped = 0;
  while ((reaped = waitpid(pid_, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (reaped == 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  exitCode_ = reaped > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  return exitCode_;
}

}  // namespace korvex::test
