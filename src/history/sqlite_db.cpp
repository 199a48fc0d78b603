#include "history/sqlite_db.h"

#include <sqlite3.h>

namespace korvex::history {

namespace {

// SQLite binds a null pointer as NULL, not as an empty value.
const char* bytesOf(std::string_view text) {
  return text.data() != nullptr ? text.data() : "";
}

}  // namespace

bool DbError::busy() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

Database::Database(const std::filesystem::path& file, bool create,
                   std::chrono::milliseconds busyTimeout) {
  // Each connection is used by one thread at a time, under the store's own locks, so
  // SQLite's per-connection mutex would only cost.
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  if (create) flags |= SQLITE_OPEN_CREATE;
  const int code = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    const std::string what = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError(code, what);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
}

Database::~Database() {
  // Statements are finalised by their owners first; close_v2 waits for any left.
  sqlite3_close_v2(db_);
}

void Database::fail(int code) const {
  throw DbError(code, sqlite3_errmsg(db_));
}

void Database::exec(const char* sql) {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) fail(code);
}

std::int64_t Database::queryNumber(const char* sql) {
  Statement query(*this, sql);
  if (!query.step()) return 0;
  return query.number(0);
}

Statement::Statement(Database& db, const char* sql) : db_(db) {
  const int code =
      sqlite3_prepare_v3(db.handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  if (code != SQLITE_OK) db.fail(code);
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
  const int code = sqlite3_bind_int64(stmt_, index, value);
  if (code != SQLITE_OK) db_.fail(code);
  return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
  // Text is CP1251 bytes: stored and compared as they are, never converted.
  const int code =
      sqlite3_bind_text64(stmt_, index, bytesOf(text), text.size(), SQLITE_STATIC, SQLITE_UTF8);
  if (code != SQLITE_OK) db_.fail(code);
  return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
  const int code = sqlite3_bind_blob64(stmt_, index, bytesOf(bytes), bytes.size(), SQLITE_STATIC);
  if (code != SQLITE_OK) db_.fail(code);
  return *this;
}

bool Statement::step() {
  const int code = sqlite3_step(stmt_);
  if (code == SQLITE_ROW) return true;
  sqlite3_reset(stmt_);
  if (code != SQLITE_DONE) db_.fail(code);
  return false;
}

void Statement::run() {
  while (step()) {
  }
}

void Statement::reset() {
  sqlite3_reset(stmt_);
}

std::int64_t Statement::number(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::text(int column) const {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (bytes == nullptr) return {};
  return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::string_view Statement::blob(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
  if (bytes == nullptr) return {};
  return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

Transaction::Transaction(Database& db, const char* begin) : db_(db) {
  db_.exec(begin);
}

Transaction::~Transaction() {
  if (!open_) return;
  // Nothing to do about a failed rollback: the connection rolls back when it closes.
  sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  db_.exec("COMMIT");
  open_ = false;
}

}  // namespace korvex::history
