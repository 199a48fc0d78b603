#include "net/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace korvex {

namespace {

// Enough tries that only a folder we cannot create files in, not bad luck, makes us fail.
constexpr int kNameAttempts = 64;

Failure lastError() {
  return {std::generic_category().message(errno)};
}

std::filesystem::path temporarySibling(const std::filesystem::path& file, std::mt19937_64& random) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string suffix = ".";
  std::uint64_t bits = random();
  for (int i = 0; i < 12; ++i, bits >>= 4) suffix += kHex[bits & 0x0F];
  std::filesystem::path temp = file;
  temp += suffix + ".tmp";
  return temp;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;  // a write that makes no progress still has to fail
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

Result<void> replaceFile(const std::filesystem::path& file, std::string_view bytes, mode_t mode) {
  std::mt19937_64 random(std::random_device{}());
  std::filesystem::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temp = temporarySibling(file, random);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) return lastError();
  }
  if (fd < 0) return Failure{std::make_error_code(std::errc::file_exists).message()};

  std::optional<Failure> failure;
  if (!writeAll(fd, bytes)) failure = lastError();
  if (::close(fd) != 0 && !failure) failure = lastError();
  if (!failure && ::rename(temp.c_str(), file.c_str()) != 0) failure = lastError();
  if (!failure) return {};
  ::unlink(temp.c_str());
  return *failure;
}

}  // namespace korvex
