#include "history/store_writer.h"

#include <utility>

namespace korvex::history {

StoreWriter::StoreWriter(std::unique_ptr<Database> db)
    : db_(std::move(db)),
      lastValues_(*db_,
                  "SELECT vals FROM observation WHERE list = ?1 AND ident = ?2 "
                  "ORDER BY seq DESC LIMIT 1"),
      insertObservation_(*db_,
                         "INSERT INTO observation(list, ident, at, vals) VALUES(?1, ?2, ?3, ?4)"),
      insertSignal_(*db_,
                    "INSERT INTO signal(at, id, home, away, bet, price, percent, amount) "
                    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)") {}

const std::string* StoreWriter::lastStored(ListKind list, std::string_view id) {
  LastValues& known = last_[static_cast<std::size_t>(list)];
  auto found = known.find(std::string(id));
  if (found != known.end()) return &found->second;
  lastValues_.bind(1, static_cast<std::int64_t>(list)).bind(2, id);
  if (!lastValues_.step()) return nullptr;
  // What is committed stays true whether or not this load's transaction commits.
  std::string values(lastValues_.blob(0));
  lastValues_.reset();
  return &known.emplace(std::string(id), std::move(values)).first->second;
}

void StoreWriter::writeLoad(const ObservedRows& rows, Stamp at) {
  const ListKind list = rows.list();
  // Of several rows with one identifier, the last is the one the list ends up showing.
  std::unordered_map<std::string_view, std::size_t> lastRow;
  lastRow.reserve(rows.size());
  for (std::size_t row = 0; row < rows.size(); ++row) lastRow[rows.id(row)] = row;

  std::vector<std::size_t> stored;
  Transaction transaction(*db_, "BEGIN IMMEDIATE");
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::string_view id = rows.id(row);
    if (lastRow[id] != row) continue;
    const std::string_view values = rows.packedValues(row);
    const std::string* last = lastStored(list, id);
    if (last != nullptr && *last == values) continue;
    insertObservation_.bind(1, static_cast<std::int64_t>(list))
        .bind(2, id)
        .bind(3, static_cast<std::int64_t>(at.time_since_epoch().count()))
        .bindBlob(4, values);
    insertObservation_.run();
    stored.push_back(row);
  }
  transaction.commit();

  LastValues& known = last_[static_cast<std::size_t>(list)];
  for (std::size_t row : stored) known[std::string(rows.id(row))] = rows.packedValues(row);
}

void StoreWriter::deleteBefore(Stamp cutoff) {
  Statement expired(*db_, "DELETE FROM observation WHERE at < ?1");
  expired.bind(1, static_cast<std::int64_t>(cutoff.time_since_epoch().count())).run();
  // An identifier whose observations all went has none to compare with: its next row is
  // stored as its first again.
  for (LastValues& known : last_) known.clear();
}

void StoreWriter::writeSignal(Stamp at, const std::vector<std::string>& values) {
  insertSignal_.bind(1, static_cast<std::int64_t>(at.time_since_epoch().count()));
  for (std::size_t i = 0; i < signalValueNames().size(); ++i)
    insertSignal_.bind(static_cast<int>(i) + 2,
                       i < values.size() ? std::string_view(values[i]) : std::string_view());
  insertSignal_.run();
}

}  // namespace korvex::history
