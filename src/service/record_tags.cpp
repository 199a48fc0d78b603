#include "service/record_tags.h"

#include <bit>
#include <cstring>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "service/feed_text.h"

namespace korvex {

namespace {

using NameKey = RecordTags::NameKey;

constexpr std::int32_t kFree = -1;

// Calls at(position) for every '<' and '>' of the text, in order. Feed text is mostly
// short values between tags, so sixteen bytes are tested at a time where the processor
// allows it.
template <typename At>
void forEachBracket(std::string_view text, At&& at) {
  const char* bytes = text.data();
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i open = _mm_set1_epi8('<');
  const __m128i close = _mm_set1_epi8('>');
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    auto mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, open), _mm_cmpeq_epi8(chunk, close))));
    for (; mask != 0; mask &= mask - 1) at(i + static_cast<std::size_t>(std::countr_zero(mask)));
  }
#endif
  for (; i < text.size(); ++i) {
    if (bytes[i] == '<' || bytes[i] == '>') at(i);
  }
}

NameKey keyOf(std::string_view name) {
  NameKey key{0, name.size()};
  const std::size_t count = name.size() < 8 ? name.size() : 8;
  for (std::size_t i = 0; i < count; ++i)
    key.head |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  return key;
}

// The key of a name that starts at `begin` of `text`. Most names have eight bytes of
// the record after their start, which a little-endian load packs in one step.
NameKey keyAt(std::string_view text, std::size_t begin, std::size_t size) {
  if constexpr (std::endian::native == std::endian::little) {
    if (begin + 8 <= text.size()) {
      NameKey key{0, size};
      std::memcpy(&key.head, text.data() + begin, 8);
      if (size < 8) key.head &= (std::uint64_t{1} << (8 * size)) - 1;
      return key;
    }
  }
  return keyOf(text.substr(begin, size));
}

std::size_t hashOf(const NameKey& key) {
  return static_cast<std::size_t>(((key.head ^ key.size) * 0x9E3779B97F4A7C15u) >> 32);
}

}  // namespace

// Every "<name>" whose name holds neither '<' nor '>' is a '<' followed by the name and a
// '>' with no other bracket in between, so pairing each '>' with the '<' just before it
// meets each such tag in text order; the first opening met with a name is the one
// ExtractTag finds, and the first closing met after it ends the value just as
// ExtractTag's search does.
void RecordTags::read(std::string_view text) {
  tags_.clear();
  // Positions are kept in 32 bits; a record of 4 GiB is beyond any answer we accept.
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) text = {};
  text_ = text;
  std::size_t open = std::string_view::npos;
  forEachBracket(text, [&](std::size_t at) {
    if (text[at] == '<') {
      open = at;
    } else if (open != std::string_view::npos) {
      const bool closing = at > open + 1 && text[open + 1] == '/';
      const std::size_t begin = open + 1 + (closing ? 1 : 0);
      tags_.push_back({static_cast<std::uint32_t>(open), static_cast<std::uint32_t>(at + 1),
                       keyAt(text, begin, at - begin), closing});
      open = std::string_view::npos;
    }
  });
  indexOpenings();
}

// The tags strictly between an element's opening and its closing are exactly the tags a
// walk over its value finds: the walk enters the value with no '<' pending, and a '<' left
// open inside it is dropped at the closing tag's own '<'. Trimming only drops blanks.
void RecordTags::read(const RecordTags& outer, std::string_view name) {
  tags_.clear();
  text_ = outer.text_;
  if (const auto found = outer.element(name)) {
    const auto first = outer.tags_.begin() + static_cast<std::ptrdiff_t>(found->first) + 1;
    tags_.assign(first, outer.tags_.begin() + static_cast<std::ptrdiff_t>(found->second));
  }
  indexOpenings();
}

void RecordTags::indexOpenings() {
  first_.assign(std::bit_ceil(2 * tags_.size() + 2), kFree);
  const std::size_t mask = first_.size() - 1;
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    const Tag& tag = tags_[i];
    if (tag.closing) continue;
    std::size_t slot = hashOf(tag.key) & mask;
    for (; first_[slot] != kFree; slot = (slot + 1) & mask) {
      if (named(tags_[static_cast<std::size_t>(first_[slot])], tag.key, nameOf(tag))) break;
    }
    if (first_[slot] == kFree) first_[slot] = static_cast<std::int32_t>(i);
  }
}

std::string_view RecordTags::nameOf(const Tag& tag) const {
  const std::size_t begin = tag.open + 1 + (tag.closing ? 1 : 0);
  return text_.substr(begin, tag.end - 1 - begin);
}

bool RecordTags::named(const Tag& tag, const NameKey& key, std::string_view name) const {
  return tag.key == key && (key.size <= 8 || nameOf(tag).substr(8) == name.substr(8));
}

std::optional<std::pair<std::size_t, std::size_t>> RecordTags::element(
    std::string_view name) const {
  if (tags_.empty()) return std::nullopt;
  const NameKey key = keyOf(name);
  const std::size_t mask = first_.size() - 1;
  for (std::size_t slot = hashOf(key) & mask; first_[slot] != kFree; slot = (slot + 1) & mask) {
    const auto index = static_cast<std::size_t>(first_[slot]);
    if (!named(tags_[index], key, name)) continue;
    for (std::size_t i = index + 1; i < tags_.size(); ++i) {
      if (tags_[i].closing && named(tags_[i], key, name)) return std::pair{index, i};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::string_view RecordTags::operator[](std::string_view name) const {
  const auto found = element(name);
  if (!found) return {};
  const std::uint32_t valueStart = tags_[found->first].end;
  return trimBlanks(text_.substr(valueStart, tags_[found->second].open - valueStart));
}

}  // namespace korvex
