#include "app/credentials.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace korvex {

namespace fs = std::filesystem;

namespace {

// Two short lines are all the file should hold; whatever junk lies past this is ignored
// rather than read into memory.
constexpr std::size_t kMostBytesRead = 64 * 1024;

bool readHead(const fs::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.resize(kMostBytesRead);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return false;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return true;
}

[[noreturn]] void failToWrite(int error) {
  throw std::runtime_error(std::string("Cannot create file \"") + kCredentialsFileName + "\". " +
                           std::strerror(error));
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

void loadCredentials(Form& form, const fs::path& workdir) {
  const fs::path file = workdir / kCredentialsFileName;
  std::error_code error;
  // Only a file is a remembered log-in. A directory, pipe or device of that name is not,
  // and reading a pipe could block start-up for ever.
  if (!fs::is_regular_file(file, error)) return;
  // The file's presence is the user's choice to be remembered, even if it cannot be read.
  form.zap = true;
  std::string bytes;
  if (!readHead(file, bytes)) return;
  const std::vector<std::string> lines = splitLines(bytes);
  if (!lines.empty()) form.loginedit = lines[0];
  if (lines.size() > 1) form.passedit = lines[1];
}

void saveCredentials(const Form& form, const fs::path& workdir) {
  const std::string bytes = form.CurrentLogin + "\r\n" + form.CurrentPassword + "\r\n";
  const fs::path file = workdir / kCredentialsFileName;
  // Written beside the file and renamed over it, so a failed write keeps the earlier
  // log-in, and the new file never exists with wider permissions than the owner's.
  const fs::path temp = workdir / (std::string(kCredentialsFileName) + ".new");
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) failToWrite(errno);
  const bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, bytes);
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : writeError;
    ::unlink(temp.c_str());
    failToWrite(error);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    failToWrite(error);
  }
}

void forgetCredentials(const fs::path& workdir) {
  // unlink leaves a directory of that name alone: it is not a remembered log-in.
  ::unlink((workdir / kCredentialsFileName).c_str());
}

}  // namespace korvex
