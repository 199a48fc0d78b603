#include "login/credentials.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "net/file_replace.h"

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

std::string credentialsText(std::string_view login, std::string_view password) {
  std::string text;
  text.reserve(login.size() + password.size() + 4);
  return text.append(login).append("\r\n").append(password).append("\r\n");
}

void fillLogInFields(Form& form, std::string_view text) {
  const std::vector<std::string> lines = splitLines(text);
  if (!lines.empty()) form.about.loginedit = lines[0];
  if (lines.size() > 1) form.about.passedit = lines[1];
}

void LoadCredentials(Form& form, const fs::path& workdir) {
  const fs::path file = workdir / kCredentialsFileName;
  std::error_code error;
  // Only a file is a remembered log-in. A directory, pipe or device of that name is not,
  // and reading a pipe could block start-up for ever.
  if (!fs::is_regular_file(file, error)) return;
  // The file's presence is the user's choice to be remembered, even if it cannot be read.
  form.about.zap = true;
  std::string bytes;
  if (!readHead(file, bytes)) return;
  fillLogInFields(form, bytes);
}

Result<void> SaveCredentials(const Form& form, const fs::path& workdir) {
  // A failed write keeps the earlier log-in, and the file is never readable by others.
  const Result<void> written =
      replaceFile(workdir / kCredentialsFileName,
                  credentialsText(form.CurrentLogin, form.CurrentPassword), S_IRUSR | S_IWUSR);
  if (written) return {};
  return Failure{std::string("Cannot create file \"") + kCredentialsFileName + "\". " +
                 written.reason()};
}

void forgetCredentials(const fs::path& workdir) {
  // unlink leaves a directory of that name alone: it is not a remembered log-in.
  ::unlink((workdir / kCredentialsFileName).c_str());
}

}  // namespace korvex
