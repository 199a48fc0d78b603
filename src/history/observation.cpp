#include "history/observation.h"

#include <array>

namespace korvex::history {

namespace {

constexpr std::array<std::string_view, 12> kLineNames{
    "kf1", "kf2", "hand1", "kof1", "hand2", "kof2", "total", "u", "o", "home", "away", "polliga"};
constexpr std::array<std::string_view, 9> kLiveNames{"score", "set1",    "set2", "set3", "set4",
                                                     "set5",  "podacha", "kf1",  "kf2"};
constexpr std::array<std::string_view, 6> kRadarNames{"k1", "pr1", "s1", "k2", "pr2", "s2"};
constexpr std::array<std::string_view, 7> kSignalNames{"id",    "home",    "away",  "bet",
                                                       "price", "percent", "amount"};

void appendLength(std::string& into, std::size_t length) {
  while (length >= 0x80) {
    into.push_back(static_cast<char>(0x80 | (length & 0x7F)));
    length >>= 7;
  }
  into.push_back(static_cast<char>(length));
}

std::optional<std::size_t> readLength(std::string_view& from) {
  std::size_t length = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    if (from.empty()) return std::nullopt;
    const auto byte = static_cast<unsigned char>(from.front());
    from.remove_prefix(1);
    length |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return length;
  }
  return std::nullopt;
}

}  // namespace

std::span<const std::string_view> valueNames(ListKind list) {
  switch (list) {
    case ListKind::Line:
      return kLineNames;
    case ListKind::Live:
      return kLiveNames;
    case ListKind::Radar:
      return kRadarNames;
  }
  return {};
}

std::span<const std::string_view> signalValueNames() {
  return kSignalNames;
}

std::string_view listName(ListKind list) {
  switch (list) {
    case ListKind::Line:
      return "line";
    case ListKind::Live:
      return "live";
    case ListKind::Radar:
      return "radar";
  }
  return "";
}

void packValues(std::string& into, std::span<const std::string_view> values) {
  for (std::string_view value : values) {
    appendLength(into, value.size());
    into.append(value);
  }
}

std::optional<std::vector<std::string>> unpackValues(std::string_view packed, std::size_t count) {
  std::vector<std::string> values;
  values.reserve(count);
  while (values.size() < count) {
    const auto length = readLength(packed);
    if (!length || *length > packed.size()) return std::nullopt;
    values.emplace_back(packed.substr(0, *length));
    packed.remove_prefix(*length);
  }
  if (!packed.empty()) return std::nullopt;
  return values;
}

void ObservedRows::reserve(std::size_t rows, std::size_t bytes) {
  rows_.reserve(rows);
  bytes_.reserve(bytes);
}

void ObservedRows::add(std::string_view id, std::span<const std::string_view> values) {
  if (values.size() != valueNames(list_).size()) return;
  Row row;
  row.begin = static_cast<std::uint32_t>(bytes_.size());
  bytes_.append(id);
  row.valuesBegin = static_cast<std::uint32_t>(bytes_.size());
  packValues(bytes_, values);
  row.end = static_cast<std::uint32_t>(bytes_.size());
  rows_.push_back(row);
}

std::string_view ObservedRows::id(std::size_t row) const {
  const Row& r = rows_.at(row);
  return std::string_view(bytes_).substr(r.begin, r.valuesBegin - r.begin);
}

std::string_view ObservedRows::packedValues(std::size_t row) const {
  const Row& r = rows_.at(row);
  return std::string_view(bytes_).substr(r.valuesBegin, r.end - r.valuesBegin);
}

}  // namespace korvex::history
