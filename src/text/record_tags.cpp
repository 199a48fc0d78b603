#include "text/record_tags.h"

#include <bit>
#include <cstring>
#include <limits>

#include "text/tag_walk.h"

#define KORVEX_INLINE [[gnu::always_inline]] inline

namespace korvex {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15u;
constexpr std::size_t kFewestSlots = 64;

// The bytes after the eighth are hashed too, so that long names alike in their first
// eight bytes, which a hostile record may hold by the thousand, do not share a chain.
KORVEX_INLINE std::uint64_t hashOf(std::uint64_t head, std::size_t size, std::string_view rest) {
  std::uint64_t hash = (head + size) * kGolden;
  if (!rest.empty()) [[unlikely]] {
    for (; !rest.empty(); rest.remove_prefix(rest.size() < 8 ? rest.size() : 8))
      hash = (hash ^ detail::littleEndianWord(rest)) * kGolden;
  }
  return hash;
}

std::string_view restOf(std::string_view name) {
  return name.size() > 8 ? name.substr(8) : std::string_view{};
}

}  // namespace

void RecordTags::startOver(std::string_view text) {
  // Positions are kept in 32 bits; a record of 4 GiB is beyond any answer we accept.
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) text = {};
  text_ = text;
  if (slots_.empty()) {
    slots_.assign(kFewestSlots, Element{});
    mask_ = kFewestSlots - 1;
    shift_ = 64 - std::countr_zero(kFewestSlots);
  }
  // Slots filled by earlier reads are free without being touched.
  if (++read_ == 0) {
    for (Element& slot : slots_) slot.read = 0;
    read_ = 1;
  }
  used_ = 0;
}

KORVEX_INLINE RecordTags::Name RecordTags::nameAt(std::size_t begin, std::size_t size) const {
  Name name{detail::headAt(text_, begin, size), static_cast<std::uint32_t>(size), {}};
  if (size > 8) [[unlikely]]
    name.rest = text_.substr(begin + 8, size - 8);
  return name;
}

KORVEX_INLINE bool RecordTags::named(const Element& element, const Name& name) const {
  return element.head == name.head && element.size == name.size &&
         (name.size <= 8 ||
          text_.substr(element.value - 1 - element.size + 8, name.size - 8) == name.rest);
}

KORVEX_INLINE bool RecordTags::closesAt(const Element& element, std::size_t at) const {
  const std::size_t size = element.size;
  return text_.size() - at >= size + 3 && text_[at + 1] == '/' && text_[at + 2 + size] == '>' &&
         named(element, nameAt(at + 2, size));
}

KORVEX_INLINE std::size_t RecordTags::slotOf(const Name& name) const {
  for (std::size_t slot = hashOf(name.head, name.size, name.rest) >> shift_;;
       slot = (slot + 1) & mask_) {
    const Element& element = slots_[slot];
    if (element.read != read_ || named(element, name)) return slot;
  }
}

// The first opening met with a name is the one ExtractTag finds: the element of a name
// met before is left alone, a new one is returned.
KORVEX_INLINE RecordTags::Element* RecordTags::opening(std::size_t open, std::size_t close) {
  const Name name = nameAt(open + 1, close - open - 1);
  std::size_t slot = slotOf(name);
  if (slots_[slot].read == read_) return nullptr;
  // At most half the slots are taken, so a probe soon meets a free one.
  if (2 * (used_ + 1) > mask_ + 1) [[unlikely]] {
    grow();
    slot = slotOf(name);
  }
  ++used_;
  Element& element = slots_[slot];
  element = {name.head, name.size, read_, static_cast<std::uint32_t>(close + 1), kUnknown};
  return &element;
}

void RecordTags::read(std::string_view text) {
  startOver(text);
  detail::walkOpeningTags(
      text_, [this](std::size_t open, std::size_t close) { return opening(open, close); },
      [this](const Element& element, std::size_t at) { return closesAt(element, at); });
}

void RecordTags::read(const RecordTags& outer, std::string_view name) {
  read(outer[name]);
}

void RecordTags::grow() {
  std::vector<Element> old(2 * slots_.size(), Element{});
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  --shift_;
  for (const Element& element : old) {
    if (element.read != read_) continue;
    const std::size_t begin = element.value - 1 - element.size;
    slots_[slotOf({element.head, element.size, restOf(text_.substr(begin, element.size))})] =
        element;
  }
}

// Closing tags are not indexed: pairing each with its opening would cost the walk more
// than searching when asked, for the few values that do not end at the first '<' after
// them. The search is ExtractTag's own, started where it would start.
std::size_t RecordTags::searchEnd(const Element& element) const {
  const std::size_t end = detail::findClosingTag(
      text_, element.value, element.size, [&](std::size_t at) { return closesAt(element, at); });
  if (end != std::string_view::npos) element.end = static_cast<std::uint32_t>(end);
  return end;
}

std::string_view RecordTags::operator[](std::string_view name) const {
  if (used_ == 0) return {};
  const Element& element = slots_[slotOf(
      {detail::littleEndianWord(name), static_cast<std::uint32_t>(name.size()), restOf(name)})];
  if (element.read != read_) return {};
  const std::size_t end = element.end != kUnknown ? element.end : searchEnd(element);
  if (end == std::string_view::npos) return {};
  return detail::valueBetween(text_, element.value, end);
}

}  // namespace korvex
