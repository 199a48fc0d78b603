#include "text/tag_selector.h"

#include <algorithm>
#include <limits>

#include "text/tag_walk.h"

namespace korvex {

TagSelector::TagSelector(std::initializer_list<std::string_view> names) {
  slots_.fill(-1);
  for (std::string_view name : names) {
    if (wanted_.size() == kMostNames) break;
    const std::uint64_t head =
        detail::littleEndianWord(name.substr(0, std::min<std::size_t>(name.size(), 8)));
    std::size_t slot = slotOf(head, name.size());
    for (; slots_[slot] >= 0; slot = (slot + 1) % kSlots) {
      if (wanted_[static_cast<std::size_t>(slots_[slot])].name == name) break;
    }
    if (slots_[slot] < 0) {
      slots_[slot] = static_cast<std::int8_t>(wanted_.size());
      wanted_.push_back({std::string(name), head});
      longestName_ = std::max(longestName_, name.size());
    }
    entryOf_.push_back(static_cast<std::uint8_t>(slots_[slot]));
  }
}

std::size_t TagSelector::slotOf(std::uint64_t head, std::size_t size) {
  return static_cast<std::size_t>(((head + size) * 0x9E3779B97F4A7C15u) >> 57) % kSlots;
}

// The first opening met with a name is the one ExtractTag finds; later ones are passed.
[[gnu::always_inline]] inline TagSelector::Wanted* TagSelector::opening(std::size_t open,
                                                                        std::size_t close) {
  const std::size_t size = close - open - 1;
  if (size > longestName_) return nullptr;
  const std::uint64_t head = detail::headAt(text_, open + 1, size);
  for (std::size_t slot = slotOf(head, size); slots_[slot] >= 0; slot = (slot + 1) % kSlots) {
    Wanted& wanted = wanted_[static_cast<std::size_t>(slots_[slot])];
    if (wanted.head != head || wanted.name.size() != size) continue;
    if (size > 8 && text_.substr(open + 9, size - 8) != std::string_view(wanted.name).substr(8))
      continue;
    if (wanted.read == read_) return nullptr;
    wanted.read = read_;
    wanted.value = static_cast<std::uint32_t>(close + 1);
    wanted.end = kUnknown;
    return &wanted;
  }
  return nullptr;
}

[[gnu::always_inline]] inline bool TagSelector::closesAt(const Wanted& wanted,
                                                         std::size_t at) const {
  const std::size_t size = wanted.name.size();
  return text_.size() - at >= size + 3 && text_[at + 1] == '/' && text_[at + 2 + size] == '>' &&
         detail::headAt(text_, at + 2, size) == wanted.head &&
         (size <= 8 || text_.substr(at + 10, size - 8) == std::string_view(wanted.name).substr(8));
}

void TagSelector::read(std::string_view text) {
  // Positions are kept in 32 bits; a record of 4 GiB is beyond any answer we accept.
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) text = {};
  text_ = text;
  // Entries met by earlier reads count as unmet without being touched.
  if (++read_ == 0) {
    for (Wanted& wanted : wanted_) wanted.read = 0;
    read_ = 1;
  }
  detail::walkOpeningTags(
      text_, [this](std::size_t open, std::size_t close) { return opening(open, close); },
      [this](const Wanted& wanted, std::size_t at) { return closesAt(wanted, at); });
}

std::string_view TagSelector::operator[](std::size_t index) const {
  if (index >= entryOf_.size()) return {};
  const Wanted& wanted = wanted_[entryOf_[index]];
  if (wanted.read != read_) return {};
  if (wanted.end == kUnknown) {
    const std::size_t end =
        detail::findClosingTag(text_, wanted.value, wanted.name.size(),
                               [&](std::size_t at) { return closesAt(wanted, at); });
    if (end == std::string_view::npos) return {};
    wanted.end = static_cast<std::uint32_t>(end);
  }
  return detail::valueBetween(text_, wanted.value, wanted.end);
}

}  // namespace korvex
