#include "history/schema.h"

#include <string>

namespace korvex::history {

namespace {

// Stamps are seconds since 1970 (UTC): a third of the text's bytes, and the retention's
// cut-off is one range of the time index. Every observation of every list shares one
// sequence, so "before" and "after" hold across lists even within one second.
constexpr const char* kTables = R"(
CREATE TABLE observation(
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  list INTEGER NOT NULL,
  ident TEXT NOT NULL,
  at INTEGER NOT NULL,
  vals BLOB NOT NULL);
CREATE TABLE signal(
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  at INTEGER NOT NULL,
  id TEXT NOT NULL, home TEXT NOT NULL, away TEXT NOT NULL, bet TEXT NOT NULL,
  price TEXT NOT NULL, percent TEXT NOT NULL, amount TEXT NOT NULL);
)";
// One identifier's observations in the order they were recorded: its first, its last and
// its count each read one short range.
constexpr const char* kIndexes = R"(
CREATE INDEX observation_by_ident ON observation(list, ident, seq);
CREATE INDEX observation_by_time ON observation(at);
)";

void setVersion(Database& db) {
  db.exec(("PRAGMA application_id = " + std::to_string(kApplicationId) +
           "; PRAGMA user_version = " + std::to_string(kSchemaVersion))
              .c_str());
}

// Version 1 kept stamps as text. One that SQLite cannot read becomes 0, which the
// retention then removes, rather than failing the whole file.
void migrateFrom1(Database& db) {
  db.exec(
      "ALTER TABLE observation RENAME TO observation_v1;"
      "ALTER TABLE signal RENAME TO signal_v1;"
      "DROP INDEX observation_by_ident;");
  db.exec(kTables);
  db.exec(R"(
INSERT INTO observation(seq, list, ident, at, vals)
  SELECT seq, list, ident, COALESCE(CAST(strftime('%s', at) AS INTEGER), 0), vals
  FROM observation_v1 ORDER BY seq;
INSERT INTO signal(seq, at, id, home, away, bet, price, percent, amount)
  SELECT seq, COALESCE(CAST(strftime('%s', at) AS INTEGER), 0), id, home, away, bet, price,
         percent, amount
  FROM signal_v1 ORDER BY seq;
DROP TABLE observation_v1;
DROP TABLE signal_v1;
)");
  db.exec(kIndexes);
}

bool hasTable(Database& db, std::string_view name) {
  Statement query(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
  query.bind(1, name);
  const bool found = query.step() && query.number(0) > 0;
  query.reset();
  return found;
}

struct Header {
  std::int64_t application, version, objects;
};

Header readHeader(Database& db) {
  return {db.queryNumber("PRAGMA application_id"), db.queryNumber("PRAGMA user_version"),
          db.queryNumber("SELECT count(*) FROM sqlite_schema")};
}

bool isNew(const Header& header) {
  return header.application == 0 && header.version == 0 && header.objects == 0;
}

// Throws NotAHistory unless the file is new or holds a history this build can use.
void checkHeader(const Header& header) {
  if (isNew(header)) return;
  if (header.application != kApplicationId) throw NotAHistory("it holds another program's data");
  if (header.version != 1 && header.version != kSchemaVersion)
    throw NotAHistory("it holds history version " + std::to_string(header.version) +
                      ", which this Korvex does not know");
}

}  // namespace

void prepareSchema(Database& db) {
  // Reading the header is the first read: a file that is not a database, or that another
  // program holds for itself alone, fails here. A plain read waits for no writer, so a
  // history that another Korvex is writing to opens at once.
  {
    Transaction reading(db);
    const Header header = readHeader(db);
    checkHeader(header);
    if (header.version == kSchemaVersion) {
      if (!hasTable(db, "observation") || !hasTable(db, "signal"))
        throw NotAHistory("its tables are missing");
      reading.commit();
      return;
    }
    reading.commit();
  }
  // A new file or an older schema: written under the write lock, the header read again
  // in case another Korvex got there first.
  Transaction writing(db, "BEGIN IMMEDIATE");
  const Header header = readHeader(db);
  checkHeader(header);
  if (isNew(header)) {
    db.exec(kTables);
    db.exec(kIndexes);
    setVersion(db);
  } else if (header.version == 1) {
    migrateFrom1(db);
    setVersion(db);
  }
  writing.commit();
}

}  // namespace korvex::history
