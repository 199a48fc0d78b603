// Opening the history file, and setting aside one that cannot serve.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <system_error>
#include <utility>

#include "history/history_store.h"
#include "history/schema.h"
#include "history/sqlite_db.h"
#include "text/result.h"

namespace korvex::history {

namespace {

// What may lie beside the file: SQLite's write-ahead log, its shared-memory index and a
// rollback journal. They belong to the file and go where it goes.
constexpr std::array<const char*, 3> kCompanions{"-wal", "-shm", "-journal"};

std::filesystem::path withSuffix(const std::filesystem::path& file, const std::string& suffix) {
  std::filesystem::path named = file;
  named += suffix;
  return named;
}

// Whether anything, even a dangling link, has that name.
bool present(const std::filesystem::path& file) {
  std::error_code unknown;
  return std::filesystem::exists(std::filesystem::symlink_status(file, unknown));
}

// The history tells where the user went and what they bet on: readable by the user alone.
// SQLite gives its log and index the file's own mode.
void createPrivately(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);
}

struct Connections {
  std::unique_ptr<Database> writing, reading;
};

Connections openConnections(const std::filesystem::path& file, const HistoryOptions& options) {
  Connections opened;
  createPrivately(file);
  opened.writing = std::make_unique<Database>(file, true, options.busyTimeout);
  Database& db = *opened.writing;
  prepareSchema(db);
  // Readers go on reading while a load is written, and a commit costs no wait for the
  // disk: the history may lose its last seconds in a power cut, never its consistency.
  db.exec("PRAGMA journal_mode = WAL");
  db.exec("PRAGMA synchronous = NORMAL");
  opened.reading = std::make_unique<Database>(file, false, options.busyTimeout);
  return opened;
}

// Renames the file and its companions to `<file>.broken-<stamp>`, or with "-2", "-3"...
// after it when that name is taken. Gives the new name.
Result<std::filesystem::path> setAside(const std::filesystem::path& file, Stamp now) {
  const std::string base = ".broken-" + fileStamp(now);
  std::filesystem::path target = withSuffix(file, base);
  for (int n = 2; present(target); ++n) target = withSuffix(file, base + "-" + std::to_string(n));
  std::error_code error;
  std::filesystem::rename(file, target, error);
  if (error) return Failure{error.message()};
  for (const char* companion : kCompanions) {
    const auto from = withSuffix(file, companion);
    std::error_code ignored;
    if (present(from)) std::filesystem::rename(from, withSuffix(target, companion), ignored);
  }
  return target;
}

std::string displayName(const std::filesystem::path& file) {
  return file.filename().string();
}

}  // namespace

HistoryOpen HistoryStore::open(const std::filesystem::path& file, Stamp now,
                               const HistoryOptions& options) {
  // A store that starts drops at once what is older than the history keeps.
  const auto start = [&] {
    auto opened = openConnections(file, options);
    std::unique_ptr<HistoryStore> store(
        new HistoryStore(file, std::move(opened.writing), std::move(opened.reading)));
    store->expireBefore(now - std::chrono::duration_cast<std::chrono::seconds>(options.keep));
    return store;
  };
  HistoryOpen result;
  std::string reason;
  const bool existed = present(file);
  try {
    result.store = start();
    return result;
  } catch (const std::exception& error) {
    reason = error.what();
  }
  if (!existed) {
    result.message =
        "History is off: " + displayName(file) + " could not be created (" + reason + ").";
    return result;
  }

  const auto asideAs = setAside(file, now);
  if (!asideAs) {
    result.message = "History is off: " + displayName(file) + " cannot be used (" + reason +
                     ") nor set aside (" + asideAs.reason() + ").";
    return result;
  }
  try {
    result.store = start();
    result.message = "The history could not be used (" + reason + "); it was set aside as " +
                     displayName(*asideAs) + " and a new one started.";
  } catch (const std::exception& error) {
    result.message = "History is off: " + displayName(file) + " could not be used (" + reason +
                     ") and a new one could not be created (" + error.what() + ").";
  }
  return result;
}

}  // namespace korvex::history
