#include "service/record_tags.h"

#include <bit>
#include <cstring>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "service/feed_text.h"

#define KORVEX_INLINE [[gnu::always_inline]] inline
#define KORVEX_LAMBDA_INLINE __attribute__((always_inline))

namespace korvex {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15u;
constexpr std::size_t kFewestSlots = 64;
constexpr std::uint32_t kNoOpen = ~std::uint32_t{0};

// Of 64 bytes: the '<' that are not followed by '/', which alone can open an element,
// and every '<' and '>'; one bit a byte, the first byte lowest. The byte after the 64 is
// read too.
struct Brackets {
  std::uint64_t opens = 0;
  std::uint64_t closes = 0;
  std::uint64_t all = 0;
};

Brackets bracketsAt(const char* bytes) {
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

// The bytes after the eighth are hashed too, so that long names alike in their first
// eight bytes, which a hostile record may hold by the thousand, do not share a chain.
KORVEX_INLINE std::uint64_t hashOf(std::uint64_t head, std::size_t size, std::string_view rest) {
  std::uint64_t hash = (head + size) * kGolden;
  if (!rest.empty()) [[unlikely]] {
    for (; !rest.empty(); rest.remove_prefix(rest.size() < 8 ? rest.size() : 8))
      hash = (hash ^ littleEndianWord(rest)) * kGolden;
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

// Most names have eight bytes of the record after their start, which a little-endian
// load packs in one step.
KORVEX_INLINE RecordTags::Name RecordTags::nameAt(std::size_t begin, std::size_t size) const {
  Name name{0, static_cast<std::uint32_t>(size), {}};
  if (std::endian::native == std::endian::little && begin + 8 <= text_.size()) [[likely]] {
    std::memcpy(&name.head, text_.data() + begin, 8);
    name.head &= size >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1;
  } else {
    name.head = littleEndianWord(text_.substr(begin, size));
  }
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
  return slotOf(name, hashOf(name.head, name.size, name.rest));
}

KORVEX_INLINE std::size_t RecordTags::slotOf(const Name& name, std::uint64_t hash) const {
  for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask_) {
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

// Every "<name>" whose name holds neither '<' nor '>' is a '<' followed by the name and a
// '>' with no other bracket in between, so taking each '<' that is not followed by '/'
// and whose next bracket is a '>' meets each opening tag in text order. The tags are found
// from the bits of 64 bytes at a time rather than byte by byte, and closing tags are passed
// over: see searchEnd().
void RecordTags::read(std::string_view text) {
  startOver(text);
  const char* bytes = text_.data();
  const std::size_t size = text_.size();
  std::uint32_t pending = kNoOpen;  // a '<' whose next bracket lies beyond the bytes seen
  // A new element whose value may end at the first '<' beyond the bytes seen: most values
  // hold no tags, and their end is best checked while the walk passes it.
  Element* awaiting = nullptr;
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
      if (closesAt(*awaiting, first)) awaiting->end = static_cast<std::uint32_t>(first);
      awaiting = nullptr;
    }
    const auto tag = [&](std::size_t open, int close) KORVEX_LAMBDA_INLINE {
      Element* element = opening(open, base + static_cast<std::size_t>(close));
      if (element == nullptr) return;
      const std::uint64_t later = lessThans & ~((std::uint64_t{2} << close) - 1);
      if (later == 0) {
        awaiting = element;
        return;
      }
      const std::size_t first = base + static_cast<std::size_t>(std::countr_zero(later));
      if (closesAt(*element, first)) element->end = static_cast<std::uint32_t>(first);
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
  const std::size_t size = element.size;
  const char* bytes = text_.data();
  // Past `last` no closing tag of the name fits in the text.
  if (text_.size() < size + 3) return std::string_view::npos;
  const std::size_t last = text_.size() - size - 3;
  std::size_t at = element.value;
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
      if (closesAt(element, candidate)) return element.end = static_cast<std::uint32_t>(candidate);
    }
  }
#endif
  for (; at <= last; ++at) {
    if (bytes[at] == '<' && closesAt(element, at))
      return element.end = static_cast<std::uint32_t>(at);
  }
  return std::string_view::npos;
}

RecordTags::Key::Key(std::string_view name)
    : name_{littleEndianWord(name), static_cast<std::uint32_t>(name.size()), restOf(name)},
      hash_(hashOf(name_.head, name_.size, name_.rest)) {}

std::string_view RecordTags::operator[](std::string_view name) const {
  return (*this)[Key(name)];
}

std::string_view RecordTags::operator[](const Key& key) const {
  if (used_ == 0) return {};
  const Element& element = slots_[slotOf(key.name_, key.hash_)];
  if (element.read != read_) return {};
  const std::size_t end = element.end != kUnknown ? element.end : searchEnd(element);
  if (end == std::string_view::npos) return {};
  const std::string_view value = text_.substr(element.value, end - element.value);
  // Most values come without blanks around them.
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  if (!value.empty() && !blank(value.front()) && !blank(value.back())) return value;
  return trimBlanks(value);
}

}  // namespace korvex
