#include "history/read_queries.h"

#include <utility>

namespace korvex::history {

namespace {

constexpr const char* kColumns = "SELECT seq, at, vals FROM observation ";

std::string observationQuery(const char* rest) {
  return std::string(kColumns) + rest;
}

}  // namespace

ReadQueries::ReadQueries(std::unique_ptr<Database> db)
    : db_(std::move(db)),
      all_(*db_, observationQuery("WHERE list = ?1 AND ident = ?2 ORDER BY seq").c_str()),
      first_(*db_, observationQuery("WHERE list = ?1 AND ident = ?2 ORDER BY seq LIMIT 1").c_str()),
      last_(*db_,
            observationQuery("WHERE list = ?1 AND ident = ?2 ORDER BY seq DESC LIMIT 1").c_str()),
      count_(*db_, "SELECT count(*) FROM observation WHERE list = ?1 AND ident = ?2"),
      // ?1 is the line's number; ?3 the live list's.
      closingLine_(*db_, observationQuery(
                             "WHERE list = ?1 AND ident = ?2 AND seq < "
                             "  coalesce((SELECT min(seq) FROM observation "
                             "            WHERE list = ?3 AND ident = ?2), 9223372036854775807) "
                             "ORDER BY seq DESC LIMIT 1")
                             .c_str()),
      signals_(*db_,
               "SELECT at, id, home, away, bet, price, percent, amount FROM signal ORDER BY seq") {}

void ReadQueries::begin() {
  if (inSnapshot_) return;
  db_->exec("BEGIN");
  inSnapshot_ = true;
}

void ReadQueries::end() {
  if (!inSnapshot_) return;
  inSnapshot_ = false;
  try {
    db_->exec("COMMIT");
  } catch (const DbError&) {
    // A read-only transaction has nothing to lose, but must end before the next BEGIN.
    try {
      db_->exec("ROLLBACK");
    } catch (const DbError&) {
    }
  }
}

std::vector<Observation> ReadQueries::gather(Statement& query, ListKind list) {
  const std::size_t count = valueNames(list).size();
  std::vector<Observation> found;
  while (query.step()) {
    // A row whose values do not unpack was damaged on disk; the others still count.
    auto values = unpackValues(query.blob(2), count);
    if (!values) continue;
    found.push_back(
        {query.number(0), Stamp(std::chrono::seconds(query.number(1))), std::move(*values)});
  }
  return found;
}

std::optional<Observation> ReadQueries::one(Statement& query, ListKind list, std::string_view id) {
  query.bind(1, static_cast<std::int64_t>(list)).bind(2, id);
  auto found = gather(query, list);
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::vector<Observation> ReadQueries::observations(ListKind list, std::string_view id) {
  all_.bind(1, static_cast<std::int64_t>(list)).bind(2, id);
  return gather(all_, list);
}

std::optional<Observation> ReadQueries::first(ListKind list, std::string_view id) {
  return one(first_, list, id);
}

std::optional<Observation> ReadQueries::last(ListKind list, std::string_view id) {
  return one(last_, list, id);
}

std::int64_t ReadQueries::count(ListKind list, std::string_view id) {
  count_.bind(1, static_cast<std::int64_t>(list)).bind(2, id);
  std::int64_t n = 0;
  while (count_.step()) n = count_.number(0);
  return n;
}

std::optional<Observation> ReadQueries::closingLine(std::string_view id) {
  closingLine_.bind(3, static_cast<std::int64_t>(ListKind::Live));
  return one(closingLine_, ListKind::Line, id);
}

std::vector<Signal> ReadQueries::storedSignals() {
  std::vector<Signal> found;
  while (signals_.step()) {
    Signal signal{Stamp(std::chrono::seconds(signals_.number(0))), {}};
    for (std::size_t i = 0; i < signalValueNames().size(); ++i)
      signal.values.emplace_back(signals_.text(static_cast<int>(i) + 1));
    found.push_back(std::move(signal));
  }
  return found;
}

}  // namespace korvex::history
