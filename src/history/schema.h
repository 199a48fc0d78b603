#pragma once

#include <string>

#include "history/sqlite_db.h"

namespace korvex::history {

// What the file's header says it holds: ours, with a version; a new, empty database; or
// anything else.
inline constexpr int kApplicationId = 0x4B525848;  // "KRXH"
inline constexpr int kSchemaVersion = 2;

// The first schema, from before stamps were kept as numbers: new builds never write it,
// but its files are brought up to date when opened.
inline constexpr const char* kSchemaVersion1 = R"(
CREATE TABLE observation(
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  list INTEGER NOT NULL,
  ident TEXT NOT NULL,
  at TEXT NOT NULL,
  vals BLOB NOT NULL);
CREATE INDEX observation_by_ident ON observation(list, ident, seq);
CREATE TABLE signal(
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  at TEXT NOT NULL,
  id TEXT NOT NULL, home TEXT NOT NULL, away TEXT NOT NULL, bet TEXT NOT NULL,
  price TEXT NOT NULL, percent TEXT NOT NULL, amount TEXT NOT NULL);
)";

// Makes `db` a history of the current version: a new file gets the schema, an older one
// is brought up to date, in one transaction. Throws DbError when SQLite fails, or
// NotAHistory when the file holds something else.
void prepareSchema(Database& db);

class NotAHistory : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvex::history
