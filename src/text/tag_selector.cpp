#include "text/tag_selector.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "text/feed_text.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace korvex {

namespace {

// Of 64 bytes: the '<' that are not followed by '/', which alone can open an element,
// and every '<' and '>'; one bit a byte, the first byte lowest. The byte after the 64 is
// read too.
struct Brackets {
  std::uint64_t opens = 0;
  std::uint64_t closes = 0;
  std::uint64_t all = 0;
};

[[gnu::always_inline]] inline Brackets bracketsAt(const char* bytes) {
  Brackets found;
  std::uint64_t slashes = 0;  // bit i: the byte after byte i is '/'
#ifdef __SSE2__
  const auto mask = [](__m128i chunk, char byte) {
    return std::uint64_t{
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(byte))))};
  };
  for (int part = 0; part < 4; ++part) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part + 1));
    found.opens |= mask(chunk, '<') << (16 * part);
    found.closes |= mask(chunk, '>') << (16 * part);
    slashes |= mask(next, '/') << (16 * part);
  }
#else
  for (int i = 0; i < 64; ++i) {
    found.opens |= std::uint64_t{bytes[i] == '<'} << i;
    found.closes |= std::uint64_t{bytes[i] == '>'} << i;
    slashes |= std::uint64_t{bytes[i + 1] == '/'} << i;
  }
#endif
  found.all = found.opens | found.closes;
  found.opens &= ~slashes;
  return found;
}

// Up to eight bytes, the first in the lowest place, the rest zero.
std::uint64_t littleEndianWord(std::string_view bytes) {
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (bytes.size() >= 8) {
      std::memcpy(&word, bytes.data(), 8);
      return word;
    }
    if (bytes.size() >= 4) {
      // Two loads that overlap in the middle.
      std::uint32_t low, high;
      std::memcpy(&low, bytes.data(), 4);
      std::memcpy(&high, bytes.data() + bytes.size() - 4, 4);
      return low | (std::uint64_t{high} << (8 * (bytes.size() - 4)));
    }
  }
  const std::size_t count = bytes.size() < 8 ? bytes.size() : 8;
  for (std::size_t i = 0; i < count; ++i)
    word |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  return word;
}

// The first eight bytes of the `size` bytes at `begin` of `text`, as littleEndianWord.
// Most names have eight bytes of the record after their start, which a little-endian
// load packs in one step.
[[gnu::always_inline]] inline std::uint64_t headAt(std::string_view text, std::size_t begin,
                                                   std::size_t size) {
  if (std::endian::native == std::endian::little && begin + 8 <= text.size()) [[likely]] {
    std::uint64_t head;
    std::memcpy(&head, text.data() + begin, 8);
    return head & (size >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1);
  }
  return littleEndianWord(text.substr(begin, size < 8 ? size : 8));
}

// Calls opening(open, close) for every opening tag of `text` in text order, with the
// positions of its '<' and its '>'. Every "<name>" whose name holds neither '<' nor '>' is
// a '<' followed by the name and a '>' with no other bracket in between, so taking each
// '<' that is not followed by '/' and whose next bracket is a '>' meets each opening tag
// in text order; the tags are found from the bits of 64 bytes at a time. When opening()
// returns an element (a pointer to something with an `end`), and the first '<' after the
// tag is where closes(*element, at) says its closing tag starts, that position becomes the
// element's end: most values hold no tags, and their end is best checked in passing.
template <typename Opening, typename Closes>
void walkOpeningTags(std::string_view text, Opening&& opening, Closes&& closes) {
  const char* bytes = text.data();
  const std::size_t size = text.size();
  constexpr std::uint32_t kNoOpen = ~std::uint32_t{0};
  std::uint32_t pending = kNoOpen;  // a '<' whose next bracket lies beyond the bytes seen
  // A new element whose value may end at the first '<' beyond the bytes seen.
  decltype(opening(std::size_t{}, std::size_t{})) awaiting = nullptr;
  for (std::size_t at = 0; at < size; at += 64) {
    // The last bytes are read from a copy padded with bytes that are no brackets.
    char tail[80];
    const char* chunk = bytes + at;
    if (size - at <= 64) [[unlikely]] {
      std::memset(tail, 0, sizeof tail);
      std::memcpy(tail, chunk, size - at);
      chunk = tail;
    }
    const Brackets brackets = bracketsAt(chunk);
    const auto base = static_cast<std::uint32_t>(at);
    const std::uint64_t lessThans = brackets.all & ~brackets.closes;
    if (awaiting != nullptr && lessThans != 0) {
      const std::size_t first = base + static_cast<std::size_t>(std::countr_zero(lessThans));
      if (closes(*awaiting, first)) awaiting->end = static_cast<std::uint32_t>(first);
      awaiting = nullptr;
    }
    const auto tag = [&](std::size_t open, int close) __attribute__((always_inline)) {
      const auto element = opening(open, base + static_cast<std::size_t>(close));
      if (element == nullptr) return;
      const std::uint64_t later = lessThans & ~((std::uint64_t{2} << close) - 1);
      if (later == 0) {
        awaiting = element;
        return;
      }
      const std::size_t first = base + static_cast<std::size_t>(std::countr_zero(later));
      if (closes(*element, first)) element->end = static_cast<std::uint32_t>(first);
    };
    if (pending != kNoOpen && brackets.all != 0) {
      const int next = std::countr_zero(brackets.all);
      if ((brackets.closes >> next) & 1) tag(pending, next);
      pending = kNoOpen;
    }
    for (std::uint64_t opens = brackets.opens; opens != 0; opens &= opens - 1) {
      const int open = std::countr_zero(opens);
      const std::uint64_t after = brackets.all & ~((std::uint64_t{2} << open) - 1);
      if (after == 0) {
        pending = base + static_cast<std::uint32_t>(open);
        break;
      }
      const int next = std::countr_zero(after);
      if ((brackets.closes >> next) & 1) tag(base + static_cast<std::size_t>(open), next);
    }
  }
}

// Where the first closing tag of a `size`-byte name at or after `from` starts, or npos.
// closes(at) tells whether the closing tag starts at `at`.
template <typename Closes>
std::size_t findClosingTag(std::string_view text, std::size_t from, std::size_t size,
                           Closes&& closes) {
  const char* bytes = text.data();
  // Past `last` no closing tag of the name fits in the text.
  if (text.size() < size + 3) return std::string_view::npos;
  const std::size_t last = text.size() - size - 3;
  std::size_t at = from;
#ifdef __SSE2__
  // Sixteen starts at a time, on the '<' and the '>' the closing tag has at its ends.
  const __m128i open = _mm_set1_epi8('<');
  const __m128i close = _mm_set1_epi8('>');
  for (; at + 15 <= last; at += 16) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    const __m128i end = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + size + 2));
    for (auto starts = static_cast<unsigned>(_mm_movemask_epi8(
             _mm_and_si128(_mm_cmpeq_epi8(first, open), _mm_cmpeq_epi8(end, close))));
         starts != 0; starts &= starts - 1) {
      const std::size_t candidate = at + static_cast<std::size_t>(std::countr_zero(starts));
      if (closes(candidate)) return candidate;
    }
  }
#endif
  for (; at <= last; ++at) {
    if (bytes[at] == '<' && closes(at)) return at;
  }
  return std::string_view::npos;
}

// The value between two positions, without the blanks around it; most values have none.
std::string_view valueBetween(std::string_view text, std::size_t begin, std::size_t end) {
  const std::string_view value = text.substr(begin, end - begin);
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  if (!value.empty() && !blank(value.front()) && !blank(value.back())) return value;
  return trimBlanks(value);
}

}  // namespace

TagSelector::TagSelector(std::initializer_list<std::string_view> names)
    : TagSelector(std::span(names.begin(), names.size())) {}

TagSelector::TagSelector(std::span<const std::string_view> names) {
  slots_.fill(-1);
  for (std::string_view name : names) {
    if (wanted_.size() == kMostNames) break;
    const std::uint64_t head =
        littleEndianWord(name.substr(0, std::min<std::size_t>(name.size(), 8)));
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

// The first opening tag met with a name starts its value; later ones are passed.
[[gnu::always_inline]] inline TagSelector::Wanted* TagSelector::opening(std::size_t open,
                                                                        std::size_t close) {
  const std::size_t size = close - open - 1;
  if (size > longestName_) return nullptr;
  const std::uint64_t head = headAt(text_, open + 1, size);
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
         headAt(text_, at + 2, size) == wanted.head &&
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
  walkOpeningTags(
      text_, [this](std::size_t open, std::size_t close) { return opening(open, close); },
      [this](const Wanted& wanted, std::size_t at) { return closesAt(wanted, at); });
}

std::string_view TagSelector::operator[](std::size_t index) const {
  if (index >= entryOf_.size()) return {};
  const Wanted& wanted = wanted_[entryOf_[index]];
  if (wanted.read != read_) return {};
  if (wanted.end == kUnknown) {
    const std::size_t end = findClosingTag(text_, wanted.value, wanted.name.size(),
                                           [&](std::size_t at) { return closesAt(wanted, at); });
    if (end == std::string_view::npos) return {};
    wanted.end = static_cast<std::uint32_t>(end);
  }
  return valueBetween(text_, wanted.value, wanted.end);
}

std::string_view ExtractTag(std::string_view text, std::string_view name) {
  TagSelector selector{name};
  selector.read(text);
  return selector[0];
}

}  // namespace korvex
