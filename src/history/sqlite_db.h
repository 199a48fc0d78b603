#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace korvex::history {

// What SQLite said when a call failed: its result code and its words. Never leaves the
// history: the store turns it into a message or a quiet fallback.
class DbError : public std::runtime_error {
 public:
  DbError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }
  // Another connection holds the file for now.
  bool busy() const;

 private:
  int code_;
};

// One connection, used by one thread at a time.
class Database {
 public:
  // Throws DbError when the file cannot be opened (or, with `create`, made).
  Database(const std::filesystem::path& file, bool create, std::chrono::milliseconds busyTimeout);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  sqlite3* handle() const { return db_; }
  // Runs statements that return nothing of interest.
  void exec(const char* sql);
  // The first column of the first row of a one-row query, as a whole number.
  std::int64_t queryNumber(const char* sql);
  [[noreturn]] void fail(int code) const;

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement, reset after every run.
class Statement {
 public:
  Statement(Database& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1, as in the SQL.
  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, std::string_view text);
  Statement& bindBlob(int index, std::string_view bytes);
  // Moves to the next row; false when there is none (and the statement is ready to run
  // again).
  bool step();
  // Runs a statement that returns no rows.
  void run();
  void reset();

  std::int64_t number(int column) const;
  // Valid until the next step.
  std::string_view text(int column) const;
  std::string_view blob(int column) const;

 private:
  Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// A transaction that rolls back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db, const char* begin = "BEGIN");
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace korvex::history
