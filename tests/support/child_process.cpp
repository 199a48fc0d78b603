#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>

extern char** environ;

namespace korvex::test {
namespace {

std::vector<std::string> childEnvironment(const ProcessOptions& options) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    bool overridden = false;
    for (const auto& [key, value] : options.environment) overridden = overridden || key == name;
    if (!overridden) entries.push_back(text);
  }
  for (const auto& [key, value] : options.environment) entries.push_back(key + "=" + value);
  return entries;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (std::string& text : texts) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

void writeText(int fd, const char* text) {
  const ssize_t ignored = ::write(fd, text, std::strlen(text));
  (void)ignored;
}

// Runs in the forked child of a threaded test program, so only async-signal-safe calls:
// the raw syscalls change just this thread's ids, which is all there is after fork.
[[noreturn]] void becomeChild(int outFd, int errFd, bool dropToNobody, const char* program,
                              char** argv, char** envp) {
  ::dup2(outFd, STDOUT_FILENO);
  ::dup2(errFd, STDERR_FILENO);
  const int devNull = ::open("/dev/null", O_RDONLY);
  if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
  if (dropToNobody &&
      (::syscall(SYS_setgroups, 0, nullptr) != 0 || ::syscall(SYS_setgid, kNobodyGid) != 0 ||
       ::syscall(SYS_setuid, kNobodyUid) != 0)) {
    writeText(STDERR_FILENO, "child: cannot drop root\n");
    ::_exit(126);
  }
  ::execve(program, argv, envp);
  writeText(STDERR_FILENO, "child: cannot run the program\n");
  ::_exit(127);
}

// Drains both pipes until the child closes them or the deadline passes.
bool collect(int outFd, int errFd, std::string& out, std::string& err,
             std::chrono::steady_clock::time_point deadline) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const int ready = ::poll(fds, 2, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return false;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

// A copy of the program that nobody can run: the checkout it was built in may be private
// to root (a clone in a 0700 temporary directory, say). Removed when the run ends.
class CopyForNobody {
 public:
  explicit CopyForNobody(const std::string& program) {
    char pattern[] = "/tmp/korvex-nobody-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    namespace fs = std::filesystem;
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(directory_, open);
    path_ = directory_ / fs::path(program).filename();
    fs::copy_file(program, path_);
    fs::permissions(path_, open);
  }
  ~CopyForNobody() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  CopyForNobody(const CopyForNobody&) = delete;
  CopyForNobody& operator=(const CopyForNobody&) = delete;
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path directory_;
  std::filesystem::path path_;
};

}  // namespace

bool runningAsRoot() {
  return ::geteuid() == 0;
}

ProcessRun runProcess(const std::string& program, const std::vector<std::string>& args,
                      const ProcessOptions& options) {
  std::vector<std::string> argvTexts{program};
  argvTexts.insert(argvTexts.end(), args.begin(), args.end());
  std::vector<std::string> envTexts = childEnvironment(options);
  std::vector<char*> argv = pointers(argvTexts);
  std::vector<char*> envp = pointers(envTexts);
  const bool dropToNobody = options.asNobodyWhenRoot && runningAsRoot();
  std::optional<CopyForNobody> copy;
  if (dropToNobody) copy.emplace(program);
  const std::string executable = copy ? copy->path() : program;

  int outPipe[2], errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (::pipe2(errPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0)
    becomeChild(outPipe[1], errPipe[1], dropToNobody, executable.c_str(), argv.data(), envp.data());
  ::close(outPipe[1]);
  ::close(errPipe[1]);

  ProcessRun run;
  const auto deadline = std::chrono::steady_clock::now() + options.killAfter;
  run.timedOut = !collect(outPipe[0], errPipe[0], run.out, run.err, deadline);
  ::close(outPipe[0]);
  ::close(errPipe[0]);
  int status = 0;
  // A child that closed its output may still be running: the guard holds until it ends.
  for (;;) {
    if (run.timedOut) ::kill(pid, SIGKILL);
    const pid_t ended = ::waitpid(pid, &status, run.timedOut ? 0 : WNOHANG);
    if (ended == pid || (ended < 0 && errno != EINTR)) break;
    if (ended == 0) {
      run.timedOut = std::chrono::steady_clock::now() >= deadline;
      if (!run.timedOut) ::usleep(2000);
    }
  }
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

void giveToChild(const std::filesystem::path& path, const ProcessOptions& options) {
  if (!options.asNobodyWhenRoot || !runningAsRoot()) return;
  auto hand = [](const std::filesystem::path& entry) {
    if (::lchown(entry.c_str(), kNobodyUid, kNobodyGid) != 0)
      throw std::runtime_error("cannot hand " + entry.string() + " to nobody");
  };
  hand(path);
  if (!std::filesystem::is_directory(path)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) hand(entry.path());
}

}  // namespace korvex::test
