#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "history/observation.h"
#include "history/stamp.h"

namespace korvex::history {

class Database;
class StoreWriter;
class ReadQueries;
class HistoryStore;

struct HistoryOptions {
  // Observations older than this are deleted when the file is opened.
  std::chrono::days keep{180};
  // How long a call waits for another program that holds the file before giving up.
  std::chrono::milliseconds busyTimeout{2000};
};

// What opening a history came to.
struct HistoryOpen {
  // None when not even a new file could be started: Korvex then runs without a history.
  std::unique_ptr<HistoryStore> store;
  // For the status bar when the file had to be set aside or the history is off; "" when
  // all went well.
  std::string message;
};

// Everything Korvex remembers, in one SQLite file: the lists' observations and the bet
// signals. Handing rows over never waits on the disk: a writer thread of the store's own
// stores each load in one transaction. Reads see what has been committed. Every call may
// come from any thread.
class HistoryStore {
 public:
  // Opens `file`, or starts it. A file that cannot be opened or is not a history (damaged,
  // another program's, another schema, held by another program) is renamed
  // `<file>.broken-<fileStamp(now)>` and a new one started. Observations older than
  // options.keep before `now` are deleted by the writer, as the first thing it does: reads
  // may still see them until then. Never throws. It reads the file (a few milliseconds),
  // so it may run on any thread.
  static HistoryOpen open(const std::filesystem::path& file, Stamp now,
                          const HistoryOptions& options = {});

  // Commits everything handed over, then closes the file.
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  const std::filesystem::path& file() const { return file_; }

  // Called on the writer's thread after each commit with "", or with the reason ("disk
  // I/O error") when the transaction failed and recorded nothing. It must not wait for
  // the store: the writer goes on once it returns.
  using Done = std::function<void(const std::string& failure)>;

  // One observation per row, stamped `at`, for each identifier whose values differ from its
  // last stored observation in the same list (its first always); of several rows with one
  // identifier, the last counts. One transaction.
  void recordLoad(ObservedRows rows, Stamp at, Done done = {});
  // One journal row: `values` as signalValueNames() names them.
  void recordSignal(Stamp at, std::vector<std::string> values, Done done = {});
  // Returns once everything handed over before the call is committed (or has failed).
  void waitUntilCommitted();
  // The reason the last transaction failed, "" when it did not.
  std::string lastFailure() const;

  // A consistent view of what was committed when it was taken. It holds the store's
  // reading connection: take one, read, let it go.
  class Reader {
   public:
    ~Reader();
    Reader(Reader&&) noexcept;
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The identifier's observations in one list, oldest first.
    std::vector<Observation> observations(ListKind list, std::string_view id);
    std::optional<Observation> first(ListKind list, std::string_view id);
    std::optional<Observation> last(ListKind list, std::string_view id);
    std::int64_t count(ListKind list, std::string_view id);
    // The closing line: the identifier's last line observation recorded before its first
    // live observation (every line observation counts while it has no live one).
    std::optional<Observation> closingLine(std::string_view id);
    // Every signal, oldest first.
    std::vector<Signal> storedSignals();

   private:
    friend class HistoryStore;
    explicit Reader(HistoryStore& store);
    std::unique_lock<std::mutex> lock_;
    ReadQueries* queries_;
  };
  // Reads never fail: a file that fails to read reads as empty.
  Reader read();

 private:
  HistoryStore(std::filesystem::path file, std::unique_ptr<Database> writing,
               std::unique_ptr<Database> reading);

  struct Job;
  void enqueue(std::unique_ptr<Job> job);
  void expireBefore(Stamp cutoff);
  void writerLoop();
  void runJob(Job& job);

  std::filesystem::path file_;

  // The writer's side: a queue the writer thread works through.
  std::unique_ptr<StoreWriter> writer_;
  mutable std::mutex queueMutex_;
  std::condition_variable queueChanged_;
  std::condition_variable committedChanged_;
  std::deque<std::unique_ptr<Job>> queue_;
  std::uint64_t handed_ = 0, finished_ = 0;
  bool stopping_ = false;
  std::string lastFailure_;

  // The readers' side.
  std::mutex readMutex_;
  std::unique_ptr<ReadQueries> reading_;

  std::thread thread_;  // last: it starts once everything it uses is in place
};

}  // namespace korvex::history
