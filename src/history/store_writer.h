#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/observation.h"
#include "history/sqlite_db.h"

namespace korvex::history {

// The writing connection and what it remembers between loads: each identifier's last
// stored values, so that a load compares its rows in memory and asks the file only for
// identifiers it has not met yet in this run. Used by the store's writer thread alone.
class StoreWriter {
 public:
  explicit StoreWriter(std::unique_ptr<Database> db);

  // Each throws DbError and then has recorded nothing.
  void writeLoad(const ObservedRows& rows, Stamp at);
  void writeSignal(Stamp at, const std::vector<std::string>& values);
  // Deletes the observations stamped before `cutoff`; signals stay.
  void deleteBefore(Stamp cutoff);

 private:
  using LastValues = std::unordered_map<std::string, std::string>;
  // The identifier's last stored values; nullptr when it has none.
  const std::string* lastStored(ListKind list, std::string_view id);

  std::unique_ptr<Database> db_;
  Statement lastValues_;
  Statement insertObservation_;
  Statement insertSignal_;
  std::array<LastValues, 3> last_;  // by list
};

}  // namespace korvex::history
