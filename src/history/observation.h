#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/stamp.h"

namespace korvex::history {

// The lists whose rows are observed; the numbers are what the file stores.
enum class ListKind { Line = 0, Live = 1, Radar = 2 };

// Each list's values by name, in the order valueNames() gives them: the feed's tags.
enum class LineValue { Kf1, Kf2, Hand1, Kof1, Hand2, Kof2, Total, U, O, Home, Away, Polliga };
enum class LiveValue { Score, Set1, Set2, Set3, Set4, Set5, Podacha, Kf1, Kf2 };
enum class RadarValue { K1, Pr1, S1, K2, Pr2, S2 };
enum class SignalValue { Id, Home, Away, Bet, Price, Percent, Amount };

std::span<const std::string_view> valueNames(ListKind list);
std::span<const std::string_view> signalValueNames();
// "line", "live", "radar".
std::string_view listName(ListKind list);

template <typename Name>
concept ValueName = std::is_same_v<Name, LineValue> || std::is_same_v<Name, LiveValue> ||
    std::is_same_v<Name, RadarValue> || std::is_same_v<Name, SignalValue>;

// One stored observation of one identifier in one list.
struct Observation {
  std::int64_t seq = 0;  // the order of recording, across every list
  Stamp at;
  std::vector<std::string> values;  // CP1251, as valueNames(list) names them

  const std::string& operator[](ValueName auto name) const {
    return values[static_cast<std::size_t>(name)];
  }
};

struct Signal {
  Stamp at;
  std::vector<std::string> values;  // CP1251, as signalValueNames() names them

  const std::string& operator[](SignalValue name) const {
    return values[static_cast<std::size_t>(name)];
  }
};

// The rows of one load, each an identifier and the list's values, packed into one buffer:
// handing a list of 20,000 rows to the store costs a few allocations, not one per value.
// A row's values are kept in the very form the file stores them, so the writer compares
// and stores them without unpacking.
class ObservedRows {
 public:
  explicit ObservedRows(ListKind list) : list_(list) {}

  ListKind list() const { return list_; }
  std::size_t size() const { return rows_.size(); }
  void reserve(std::size_t rows, std::size_t bytes);

  // `values` in the order of valueNames(list()); a row with another count is not added.
  void add(std::string_view id, std::span<const std::string_view> values);

  std::string_view id(std::size_t row) const;
  std::string_view packedValues(std::size_t row) const;

 private:
  struct Row {
    std::uint32_t begin, valuesBegin, end;
  };
  ListKind list_;
  std::string bytes_;
  std::vector<Row> rows_;
};

// The stored form of a row's values: each value's length (7 bits a byte, low first), then
// its bytes, so any byte may occur in a value.
void packValues(std::string& into, std::span<const std::string_view> values);
// Exactly `count` values, or nullopt when `packed` does not hold that.
std::optional<std::vector<std::string>> unpackValues(std::string_view packed, std::size_t count);

}  // namespace korvex::history
