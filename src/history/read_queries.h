#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "history/observation.h"
#include "history/sqlite_db.h"

namespace korvex::history {

// The reading connection and its prepared queries. Used under the store's reading lock.
class ReadQueries {
 public:
  explicit ReadQueries(std::unique_ptr<Database> db);

  // One snapshot for every read between them.
  void begin();
  void end();

  // Each throws DbError.
  std::vector<Observation> observations(ListKind list, std::string_view id);
  std::optional<Observation> first(ListKind list, std::string_view id);
  std::optional<Observation> last(ListKind list, std::string_view id);
  std::int64_t count(ListKind list, std::string_view id);
  std::optional<Observation> closingLine(std::string_view id);
  std::vector<Signal> storedSignals();

 private:
  // Runs `query`, bound to (list, id), and gathers its rows of (seq, at, vals).
  std::vector<Observation> gather(Statement& query, ListKind list);
  std::optional<Observation> one(Statement& query, ListKind list, std::string_view id);

  std::unique_ptr<Database> db_;
  Statement all_, first_, last_, count_, closingLine_, signals_;
  bool inSnapshot_ = false;
};

}  // namespace korvex::history
