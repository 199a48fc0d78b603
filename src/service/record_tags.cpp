#include "service/record_tags.h"

#include <bit>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "service/feed_text.h"

namespace korvex {

namespace {

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

// Tag names are short: their length and first eight bytes, mixed by one multiplication,
// tell them apart well enough, and a clash only costs a comparison.
std::uint32_t hashOf(std::string_view name) {
  std::uint64_t word = name.size();
  const std::size_t head = name.size() < 8 ? name.size() : 8;
  for (std::size_t i = 0; i < head; ++i)
    word ^= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  return static_cast<std::uint32_t>((word * 0x9E3779B97F4A7C15u) >> 32);
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
      tags_.push_back(
          {static_cast<std::uint32_t>(open), static_cast<std::uint32_t>(at + 1), 0, closing});
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
    Tag& tag = tags_[i];
    if (tag.closing) continue;
    const std::string_view name = nameOf(tag);
    tag.hash = hashOf(name);
    std::size_t slot = tag.hash & mask;
    for (; first_[slot] != kFree; slot = (slot + 1) & mask) {
      const Tag& other = tags_[static_cast<std::size_t>(first_[slot])];
      if (other.hash == tag.hash && nameOf(other) == name) break;
    }
    if (first_[slot] == kFree) first_[slot] = static_cast<std::int32_t>(i);
  }
}

std::string_view RecordTags::nameOf(const Tag& tag) const {
  const std::size_t begin = tag.open + 1 + (tag.closing ? 1 : 0);
  return text_.substr(begin, tag.end - 1 - begin);
}

std::optional<std::pair<std::size_t, std::size_t>> RecordTags::element(
    std::string_view name) const {
  if (tags_.empty()) return std::nullopt;
  const std::uint32_t hash = hashOf(name);
  const std::size_t mask = first_.size() - 1;
  for (std::size_t slot = hash & mask; first_[slot] != kFree; slot = (slot + 1) & mask) {
    const auto index = static_cast<std::size_t>(first_[slot]);
    if (tags_[index].hash != hash || nameOf(tags_[index]) != name) continue;
    for (std::size_t i = index + 1; i < tags_.size(); ++i) {
      if (tags_[i].closing && nameOf(tags_[i]) == name) return std::pair{index, i};
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
