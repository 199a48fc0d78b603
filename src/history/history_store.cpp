#include "history/history_store.h"

#include <pthread.h>
#include <sched.h>

#include <exception>
#include <utility>

#include "history/read_queries.h"
#include "history/store_writer.h"

namespace korvex::history {

struct HistoryStore::Job {
  enum class Kind { Load, Signal, Expiry } kind;
  std::optional<ObservedRows> rows;
  std::vector<std::string> signal;
  Stamp at;  // of the load or the signal; for an expiry, the cut-off
  Done done;
};

HistoryStore::HistoryStore(std::filesystem::path file, std::unique_ptr<Database> writing,
                           std::unique_ptr<Database> reading)
    : file_(std::move(file)),
      writer_(std::make_unique<StoreWriter>(std::move(writing))),
      reading_(std::make_unique<ReadQueries>(std::move(reading))) {
  thread_ = std::thread([this] { writerLoop(); });
}

HistoryStore::~HistoryStore() {
  {
    std::lock_guard lock(queueMutex_);
    stopping_ = true;
  }
  queueChanged_.notify_all();
  thread_.join();
}

void HistoryStore::enqueue(std::unique_ptr<Job> job) {
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(job));
    ++handed_;
  }
  queueChanged_.notify_one();
}

void HistoryStore::recordLoad(ObservedRows rows, Stamp at, Done done) {
  enqueue(std::make_unique<Job>(Job{Job::Kind::Load, std::move(rows), {}, at, std::move(done)}));
}

void HistoryStore::recordSignal(Stamp at, std::vector<std::string> values, Done done) {
  enqueue(std::make_unique<Job>(
      Job{Job::Kind::Signal, std::nullopt, std::move(values), at, std::move(done)}));
}

void HistoryStore::expireBefore(Stamp cutoff) {
  enqueue(std::make_unique<Job>(Job{Job::Kind::Expiry, std::nullopt, {}, cutoff, {}}));
}

void HistoryStore::waitUntilCommitted() {
  std::unique_lock lock(queueMutex_);
  const std::uint64_t target = handed_;
  committedChanged_.wait(lock, [&] { return finished_ >= target; });
}

std::string HistoryStore::lastFailure() const {
  std::lock_guard lock(queueMutex_);
  return lastFailure_;
}

void HistoryStore::writerLoop() {
  // Handing a load over wakes the writer; without this the woken writer would take the
  // core from the window's thread that woke it, for as long as the load takes to write.
  // Batch threads never preempt on waking and still get their full share of the CPU.
  const sched_param batch{};
  pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
  for (;;) {
    std::unique_ptr<Job> job;
    {
      std::unique_lock lock(queueMutex_);
      queueChanged_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      // Whatever was handed over is written before the store closes.
      if (queue_.empty()) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    runJob(*job);
    {
      std::lock_guard lock(queueMutex_);
      ++finished_;
    }
    committedChanged_.notify_all();
  }
}

void HistoryStore::runJob(Job& job) {
  std::string failure;
  try {
    switch (job.kind) {
      case Job::Kind::Load:
        writer_->writeLoad(*job.rows, job.at);
        break;
      case Job::Kind::Signal:
        writer_->writeSignal(job.at, job.signal);
        break;
      case Job::Kind::Expiry:
        writer_->deleteBefore(job.at);
        break;
    }
  } catch (const std::exception& error) {
    failure = error.what();
  }
  {
    std::lock_guard lock(queueMutex_);
    lastFailure_ = failure;
  }
  if (!job.done) return;
  try {
    job.done(failure);
  } catch (...) {
    // The caller's business; the writer goes on with the next load.
  }
}

HistoryStore::Reader HistoryStore::read() {
  return Reader(*this);
}

HistoryStore::Reader::Reader(HistoryStore& store)
    : lock_(store.readMutex_), queries_(store.reading_.get()) {
  try {
    queries_->begin();
  } catch (const DbError&) {
    // Each read then stands alone, and reads as empty if it fails too.
  }
}

HistoryStore::Reader::Reader(Reader&& other) noexcept
    : lock_(std::move(other.lock_)), queries_(std::exchange(other.queries_, nullptr)) {}

HistoryStore::Reader::~Reader() {
  if (queries_ != nullptr) queries_->end();
}

namespace {

// A read that fails reads as nothing: the lists never fail because of the history.
template <typename Result, typename Read>
Result orEmpty(Read&& read) {
  try {
    return read();
  } catch (const std::exception&) {
    return Result{};
  }
}

}  // namespace

std::vector<Observation> HistoryStore::Reader::observations(ListKind list, std::string_view id) {
  return orEmpty<std::vector<Observation>>([&] { return queries_->observations(list, id); });
}

std::optional<Observation> HistoryStore::Reader::first(ListKind list, std::string_view id) {
  return orEmpty<std::optional<Observation>>([&] { return queries_->first(list, id); });
}

std::optional<Observation> HistoryStore::Reader::last(ListKind list, std::string_view id) {
  return orEmpty<std::optional<Observation>>([&] { return queries_->last(list, id); });
}

std::int64_t HistoryStore::Reader::count(ListKind list, std::string_view id) {
  return orEmpty<std::int64_t>([&] { return queries_->count(list, id); });
}

std::optional<Observation> HistoryStore::Reader::closingLine(std::string_view id) {
  return orEmpty<std::optional<Observation>>([&] { return queries_->closingLine(id); });
}

std::vector<Signal> HistoryStore::Reader::storedSignals() {
  return orEmpty<std::vector<Signal>>([&] { return queries_->storedSignals(); });
}

}  // namespace korvex::history
